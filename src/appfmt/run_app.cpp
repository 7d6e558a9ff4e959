// Launching a package: its program is extracted into a fresh folder of the
// temporary area and started through the host shell. The launch does not
// wait and leaves the extracted copy in place; it does not verify the
// checksum first.
#include "appfmt/package_header.h"

#include "host/host_fs.h"
#include "host/host_shell.h"

#include <qoros/qor_log.h>

#include <cstdio>
#include <string>

namespace {

void log_error(const char* message) {
    qor_log_write("ERROR", message);
}

// The header's texts are bounded to their fields: a hostile package without
// terminators cannot make the log line read past them.
void log_launch(const qpa_header& header) {
    const std::string_view name = qor::appfmt::header_text(header.name);
    const std::string_view version = qor::appfmt::header_text(header.version);
    char line[256];
    std::snprintf(line, sizeof line, "Running QPA app: %.*s (v%.*s)", static_cast<int>(name.size()),
                  name.data(), static_cast<int>(version.size()), version.data());
    qor_log_write("INFO", line);
}

} // namespace

extern "C" int qpa_run_app(const char* qpa_path, const char* working_dir, const char* params) {
    if (qpa_path == nullptr) return QOR_ERR_INVALID_ARG;
    qpa_header header;
    if (const int rc = qpa_read_header(qpa_path, &header); rc != QOR_OK) {
        log_error("qpa_run_app: invalid QPA file");
        return rc;
    }
    char folder[QOR_PATH_MAX];
    if (const int rc = qor_temp_mkdir(folder, sizeof folder); rc != QOR_OK) {
        log_error("qpa_run_app: failed to create temp dir");
        return rc;
    }
    const std::string program = std::string(folder) + qor::host::kPathSeparator + "app.exe";
    if (const int rc = qpa_extract_exe(qpa_path, program.c_str()); rc != QOR_OK) {
        log_error("qpa_run_app: failed to extract exe");
        return rc;
    }
    log_launch(header);
    const char* cwd = working_dir ? working_dir : folder;
    if (!qor::host::shell_start_program(program.c_str(), params, cwd)) {
        log_error("qpa_run_app: ShellExecute failed");
        return QOR_ERR_PROCESS;
    }
    return QOR_OK;
}
