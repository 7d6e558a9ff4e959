// Access checks on arbitrary path texts. Input: one byte access mode, then
// the path. A refusing mode must refuse every spelling of a protected place
// ("/usr/../usr/bin", "//USR//bin/."), reading passes everywhere, and the
// lexical normalisation the check relies on is stable in both path styles.
#include <qoros/qor_security.h>

#include "security/path_normalize.h"

#include "fuzz_scratch.h"

#include <cstdint>
#include <cstring>
#include <string>

using qor::fuzz::require;
using qor::security::normalize_path;
using qor::security::path_style;

namespace {

constexpr const char* kProtected = "/srv/QorOS/Protected";

bool set_up() {
    qor_security_init();
    return qor_security_protect_file(kProtected) == QOR_OK;
}

bool has_dot_segment(const std::string& path, char separator) {
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find(separator, start);
        if (end == std::string::npos) end = path.size();
        const std::string segment = path.substr(start, end - start);
        if (segment == "." || segment == "..") return true;
        start = end + 1;
    }
    return false;
}

// No "." or ".." segment survives, except as a UNC server or share name
// ("\\\\srv\\.\\"), which is part of the root and taken as written, as
// Windows takes it.
void check_normalisation(const std::string& path, const char* current, path_style style) {
    const std::string once = normalize_path(path, current, style);
    require(normalize_path(once, current, style) == once);
    const bool unc = style == path_style::windows && once.rfind("\\\\", 0) == 0;
    if (!unc) require(!has_dot_segment(once, style == path_style::posix ? '/' : '\\'));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = set_up();
    require(ready);
    if (size < 1) return 0;
    const uint32_t mode = data[0];
    // The C interface sees the text up to its first NUL.
    const std::string path(reinterpret_cast<const char*>(data + 1),
                           strnlen(reinterpret_cast<const char*>(data + 1), size - 1));

    const bool allowed = qor_security_check_file_access(path.c_str(), mode);
    if ((mode & (QOR_ACCESS_WRITE | QOR_ACCESS_EXECUTE)) == 0) require(allowed);
    // The check and the normalised spelling agree.
    const std::string normal = qor::security::normalize_host_path(path);
    require(allowed == qor_security_check_file_access(normal.c_str(), mode));
    // Anything below the protected folder, however spelt, is refused.
    const std::string below = std::string(kProtected) + "/" + path;
    if (!path.empty() && normalize_path(below, "/", path_style::posix).rfind(kProtected, 0) == 0)
        require(!qor_security_check_file_access(below.c_str(), QOR_ACCESS_WRITE));

    check_normalisation(path, "/home/user", path_style::posix);
    check_normalisation(path, "C:\\Users\\user", path_style::windows);
    return 0;
}
