// Extraction of the wrapped program or the icon. Offsets and sizes are taken
// from the header as stored, whatever they hold: a seek the host refuses is a
// failure, a size beyond the end of the file copies what is there. The output
// is a staged file, so it appears only complete and an existing file at the
// destination survives any failure.
#include "appfmt/file_copy.h"
#include "appfmt/package_header.h"

namespace {

int extract_part(const char* qpa_path, const char* out_path, bool icon) {
    using namespace qor::appfmt;
    namespace host = qor::host;
    if (qpa_path == nullptr || out_path == nullptr) return QOR_ERR_INVALID_ARG;
    qpa_header header;
    if (const int rc = qpa_read_header(qpa_path, &header); rc != QOR_OK) return rc;
    if (icon && ((header.flags & QPA_FLAG_ICON) == 0 || header.icon_size == 0))
        return QOR_ERR_NOT_FOUND;
    const uint64_t offset = icon ? header.icon_offset : header.exe_offset;
    const uint64_t size = icon ? header.icon_size : header.exe_size;

    const scoped_file package(host::open_file(qpa_path, host::open_mode::read));
    if (!package.valid() || !host::seek_file(package.file, offset)) return QOR_ERR_IO;
    host::staged_file out;
    if (!host::stage_file(out_path, &out)) return QOR_ERR_IO;
    copy_buffer buffer;
    switch (copy_file_bytes(package.file, &out, size, buffer, nullptr)) {
    case copy_status::complete:
    case copy_status::input_ended: // a package cut short yields what is there
        return host::commit_staged_file(&out) ? QOR_OK : QOR_ERR_IO;
    default:
        host::discard_staged_file(&out);
        return QOR_ERR_IO;
    }
}

} // namespace

extern "C" int qpa_extract_exe(const char* qpa_path, const char* out_path) {
    return extract_part(qpa_path, out_path, false);
}

extern "C" int qpa_extract_icon(const char* qpa_path, const char* out_path) {
    return extract_part(qpa_path, out_path, true);
}
