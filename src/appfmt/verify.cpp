// Package verification: the CRC-32 of the whole file except its crc32 field,
// streamed in chunks so that a package of any size is checked in bounded
// memory.
#include "appfmt/file_copy.h"
#include "appfmt/package_header.h"

extern "C" bool qpa_verify(const char* qpa_path) {
    using namespace qor::appfmt;
    namespace host = qor::host;
    qpa_header header;
    if (qpa_path == nullptr || qpa_read_header(qpa_path, &header) != QOR_OK) return false;
    const scoped_file file(host::open_file(qpa_path, host::open_mode::read));
    uint64_t size = 0;
    if (!file.valid() || !host::file_size(file.file, &size) || size < QPA_HEADER_SIZE) return false;
    // The header is read again from this handle so that the checksum covers
    // exactly the bytes of this one pass.
    qpa_header current;
    if (read_fully(file.file, &current, sizeof current) != static_cast<int64_t>(sizeof current))
        return false;
    uint32_t crc = header_crc32(current);
    copy_buffer buffer;
    if (copy_file_bytes(file.file, nullptr, size - QPA_HEADER_SIZE, buffer, &crc) !=
        copy_status::complete)
        return false;
    return crc == header.crc32;
}
