// The package library's raw file handles, over the host file layer.
#include "host/host_fs.h"

#include <qoros/qor_package.h>

extern "C" qpa_file qpa_open_file_read(const char* path) {
    if (path == nullptr) return QPA_INVALID_FILE;
    return qor::host::open_file(path, qor::host::open_mode::read);
}

extern "C" qpa_file qpa_open_file_write(const char* path) {
    if (path == nullptr) return QPA_INVALID_FILE;
    return qor::host::open_file(path, qor::host::open_mode::write_truncate);
}

extern "C" void qpa_close_file(qpa_file file) {
    if (file != QPA_INVALID_FILE) qor::host::close_file(file);
}
