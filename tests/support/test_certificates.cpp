#include "support/test_certificates.h"

#include <cstdlib>
#include <fstream>

namespace qor::test {

namespace {

bool run_openssl(const std::filesystem::path& folder, const std::string& arguments) {
    const std::string command =
        "cd '" + folder.string() + "' && openssl " + arguments + " >>openssl.log 2>&1";
    return std::system(command.c_str()) == 0;
}

} // namespace

bool make_test_certificates(const std::filesystem::path& folder, test_certificates* out) {
    const std::string new_key = "-newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes";
    std::ofstream(folder / "server.ext") << "subjectAltName=IP:127.0.0.1\n"
                                            "basicConstraints=CA:FALSE\n"
                                            "extendedKeyUsage=serverAuth\n";
    const bool made =
        run_openssl(folder, "req -x509 " + new_key +
                                " -keyout ca.key -out ca.pem -days 2 -subj '/CN=QorOS Test CA'"
                                " -addext basicConstraints=critical,CA:TRUE"
                                " -addext keyUsage=critical,keyCertSign,cRLSign") &&
        run_openssl(folder, "req " + new_key +
                                " -keyout server.key -out server.csr -subj '/CN=127.0.0.1'") &&
        run_openssl(folder, "x509 -req -in server.csr -CA ca.pem -CAkey ca.key -CAcreateserial"
                            " -out server.pem -days 2 -extfile server.ext");
    if (!made) return false;
    out->authority_path = (folder / "ca.pem").string();
    out->server.certificate_path = (folder / "server.pem").string();
    out->server.key_path = (folder / "server.key").string();
    return true;
}

} // namespace qor::test
