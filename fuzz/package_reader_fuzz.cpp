// Arbitrary file bytes as a package: header reading, verification, both
// extractions and the bounded reading of header texts must stay safe.
#include "appfmt/package_header.h"

#include <qoros/qor_package.h>

#include "fuzz_scratch.h"

#include <cstdint>
#include <fstream>

using qor::fuzz::work_folder;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto package = work_folder() / "input.qpa";
    {
        std::ofstream file(package, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    qpa_header header;
    if (qpa_read_header(package.c_str(), &header) == QOR_OK) {
        // What the runner's log line and the store page show.
        volatile size_t shown = qor::appfmt::header_text(header.name).size() +
                                qor::appfmt::header_text(header.version).size() +
                                qor::appfmt::header_text(header.category).size();
        (void)shown;
    }
    (void)qpa_verify(package.c_str());
    (void)qpa_extract_exe(package.c_str(), (work_folder() / "app.exe").c_str());
    (void)qpa_extract_icon(package.c_str(), (work_folder() / "app.ico").c_str());
    return 0;
}
