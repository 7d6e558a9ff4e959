// Installing a package: downloading it by name into the host temporary folder.
#include "host/host_fs.h"
#include "host/host_private_folders.h"
#include "qorget/requests.h"

#include <qoros/qorget.h>

#include <cstring>
#include <string>

namespace {

// The name also becomes a file name in the temporary folder, so it must not
// be able to name anything outside it.
bool is_plain_file_name(const char* name) {
    return qor::qorget::is_one_path_segment(name) && !std::strchr(name, '/') &&
           !std::strchr(name, '\\') && !std::strstr(name, "..");
}

} // namespace

extern "C" {

int qorget_install(const char* name, int32_t source_id) {
    if (!name || !is_plain_file_name(name)) return QOR_ERR_INVALID_ARG;
    const std::string folder = qor::host::temp_folder();
    if (folder.empty() || folder.size() >= QOR_PATH_MAX) return QOR_ERR_IO;
    const std::string destination = folder + name + ".qpa";
    // A path cut to fit would name a different file.
    if (destination.size() >= QOR_PATH_MAX) return QOR_ERR_INVALID_ARG;
    return qorget_download(name, destination.c_str(), source_id);
}

} // extern "C"
