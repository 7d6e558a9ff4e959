// The converter: wraps a Windows program (and optionally an icon) into a
// package. It streams: the header is complete before any program byte is
// read (sizes come from the file system), so the checksum is computed while
// the bytes are copied, one chunk at a time. The package is written as a
// staged file and appears under its name only when complete.
//
// This file is compiled twice: into libqoros with format version 6 and into
// the dorvane tool with version 7 (QPA_FORMAT_VERSION).
#include "appfmt/crc32.h"
#include "appfmt/file_copy.h"
#include "appfmt/package_header.h"

#include "host/host_fs.h"

#include <ctime>

#ifndef QPA_FORMAT_VERSION
#error "QPA_FORMAT_VERSION must be defined by the build"
#endif

namespace qor::appfmt {

namespace {

struct open_source {
    scoped_file handle;
    uint64_t size = 0;
};

bool open_for_reading(const char* path, open_source* out) {
    out->handle.reset(host::open_file(path, host::open_mode::read));
    return out->handle.valid() && host::file_size(out->handle.file, &out->size);
}

struct package_texts {
    const char* name;
    const char* version;
    const char* author;
    const char* description;
    const char* category;
};

qpa_header build_header(const package_texts& texts, int caller_flags, uint64_t icon_size,
                        uint64_t exe_size) {
    qpa_header header{};
    std::memcpy(header.magic, kPackageMagic, sizeof header.magic);
    header.format_version = QPA_FORMAT_VERSION;
    header.flags = static_cast<uint16_t>((caller_flags & 0xFFFF) | (icon_size ? QPA_FLAG_ICON : 0));
    qpa_strncpy_safe(header.name, texts.name, sizeof header.name);
    qpa_strncpy_safe(header.version, texts.version ? texts.version : "1.0.0",
                     sizeof header.version);
    qpa_strncpy_safe(header.author, texts.author ? texts.author : "Unknown", sizeof header.author);
    qpa_strncpy_safe(header.description, texts.description ? texts.description : "",
                     sizeof header.description);
    qpa_strncpy_safe(header.category, texts.category ? texts.category : "Utilities",
                     sizeof header.category);
    header.icon_offset = icon_size ? QPA_HEADER_SIZE : 0;
    header.icon_size = icon_size;
    header.exe_offset = QPA_HEADER_SIZE + icon_size;
    header.exe_size = exe_size;
    header.exe_size_2 = exe_size;
    header.created_time = static_cast<int64_t>(std::time(nullptr));
    header.fixed_600 = kFixed600;
    return header;
}

enum class write_result { written, icon_failed, input_failed, output_failed };

// The program's first bytes were read ahead for the "MZ" test.
struct program_source {
    open_source* file;
    const uint8_t* prefix;
    size_t prefix_size;
};

write_result write_package(host::staged_file* out, qpa_header& header, open_source* icon,
                           const program_source& program, copy_buffer& buffer) {
    uint32_t crc = header_crc32(header);
    if (!host::write_staged(out, &header, sizeof header)) return write_result::output_failed;
    if (icon) {
        switch (copy_file_bytes(icon->handle.file, out, icon->size, buffer, &crc)) {
        case copy_status::complete:
            break;
        case copy_status::write_failed:
            return write_result::output_failed;
        default:
            return write_result::icon_failed;
        }
    }
    crc = crc32_update(crc, program.prefix, program.prefix_size);
    if (!host::write_staged(out, program.prefix, program.prefix_size))
        return write_result::output_failed;
    const uint64_t rest = program.file->size - program.prefix_size;
    switch (copy_file_bytes(program.file->handle.file, out, rest, buffer, &crc)) {
    case copy_status::complete:
        break;
    case copy_status::write_failed:
        return write_result::output_failed;
    default:
        return write_result::input_failed; // unreadable, or shrank under us
    }
    header.crc32 = crc;
    // The checksum goes into the header at the start once all is written.
    if (!host::seek_file(out->file, 0) || !host::write_file(out->file, &header, sizeof header))
        return write_result::output_failed;
    return write_result::written;
}

} // namespace

} // namespace qor::appfmt

extern "C" int qpa_convert_exe(const char* exe_path, const char* qpa_path, const char* name,
                               const char* version, const char* author, const char* description,
                               const char* icon_path, const char* category, int flags) {
    using namespace qor::appfmt;
    namespace host = qor::host;
    if (qpa_path == nullptr || name == nullptr || exe_path == nullptr) return QOR_ERR_INVALID_ARG;

    open_source program;
    if (!open_for_reading(exe_path, &program) || program.size == 0) return QOR_ERR_IO;
    uint8_t prefix[2];
    const int64_t got = read_fully(program.handle.file, prefix, sizeof prefix);
    if (got <= 0) return QOR_ERR_IO;
    if (program.size < 2 || got < 2 || prefix[0] != 'M' || prefix[1] != 'Z')
        return QOR_ERR_INVALID_ARG;

    // An icon that cannot be opened, is empty, or fails while being copied is
    // left out; it never fails the conversion.
    open_source icon_file;
    open_source* icon = nullptr;
    if (icon_path && open_for_reading(icon_path, &icon_file) && icon_file.size > 0)
        icon = &icon_file;

    copy_buffer buffer;
    const package_texts texts{name, version, author, description, category};
    const program_source source{&program, prefix, sizeof prefix};
    for (;;) {
        qpa_header header = build_header(texts, flags, icon ? icon->size : 0, program.size);
        host::staged_file out;
        if (!host::stage_file(qpa_path, &out)) return QOR_ERR_IO;
        const write_result result = write_package(&out, header, icon, source, buffer);
        if (result == write_result::written)
            return host::commit_staged_file(&out) ? QOR_OK : QOR_ERR_IO;
        host::discard_staged_file(&out);
        if (result != write_result::icon_failed) return QOR_ERR_IO;
        icon = nullptr;
    }
}
