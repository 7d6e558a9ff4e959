// The system log: one line per call appended to Logs/system.log.
#include "boot/bounded_text.h"
#include "boot/system_tree.h"
#include "host/host_fs.h"
#include "host/host_time.h"

#include <cstring>
#include <qoros/qor_log.h>
#include <string>
#include <vector>

namespace {

constexpr size_t kLineBuffer = 1024; // a written line is at most 1023 bytes
constexpr const char kLineEnd[] = "\r\n";
constexpr int64_t kSecondsPerDay = 86400;

bool format_log_path(char (&out)[QOR_PATH_MAX]) {
    const char* dir = qor_log_get_dir();
    return *dir && qor::format_whole(out, "%s%csystem.log", dir, qor::host::kPathSeparator);
}

// "[timestamp] [level] message\r\n", control characters of the texts
// replaced by '?', cut inside the text part when too long
// so the line always keeps its line end and never splits a UTF-8 character.
size_t build_line(char (&line)[kLineBuffer], const char* level, const char* message) {
    const qor::host::local_time t = qor::host::now_local();
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d.%03d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second, t.millisecond);
    std::string text = std::string("[") + stamp + "] [" + level + "] " + message;
    // One call, one line: no caller's text may end the line or forge another.
    // Multi-byte UTF-8 characters use only bytes from 0x80 up and stay.
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    const size_t limit = kLineBuffer - 1 - (sizeof kLineEnd - 1);
    const size_t kept = qor::utf8_prefix_length(text.data(), text.size(), limit);
    std::memcpy(line, text.data(), kept);
    std::memcpy(line + kept, kLineEnd, sizeof kLineEnd);
    return kept + sizeof kLineEnd - 1;
}

bool has_log_suffix(const std::string& name) {
    return name.size() >= 4 && name.compare(name.size() - 4, 4, ".log") == 0;
}

} // namespace

extern "C" int qor_log_write(const char* level, const char* message) {
    if (!level || !message) return QOR_ERR_INVALID_ARG;
    char path[QOR_PATH_MAX];
    if (!format_log_path(path)) return QOR_ERR_IO;
    char line[kLineBuffer];
    const size_t length = build_line(line, level, message);

    // One append-mode write per line: concurrent writers (other threads or
    // a second Tarnwick) land whole lines one after another, never mixed.
    const auto file = qor::host::open_file(path, qor::host::open_mode::append);
    if (file == qor::host::kInvalidFile) return QOR_ERR_IO;
    const bool written = qor::host::write_file(file, line, length);
    const bool closed = qor::host::close_file(file);
    return written && closed ? QOR_OK : QOR_ERR_IO;
}

extern "C" int qor_log_info(const char* message) {
    return qor_log_write("INFO", message);
}
extern "C" int qor_log_warn(const char* message) {
    return qor_log_write("WARN", message);
}
extern "C" int qor_log_error(const char* message) {
    return qor_log_write("ERROR", message);
}

namespace qor {

int log_cleanup_at(uint32_t days, int64_t now_unix) {
    const char* dir = qor_log_get_dir();
    std::vector<host::folder_entry> entries;
    if (!*dir || !host::list_folder(dir, &entries)) return QOR_OK;
    int result = QOR_OK;
    for (const auto& entry : entries) {
        if (!has_log_suffix(entry.name)) continue;
        // A creation time in the future (clock set back) counts as age 0,
        // rather than wrapping round to an enormous age.
        const int64_t seconds = now_unix - entry.info.created_unix;
        const uint64_t age_days = seconds > 0 ? static_cast<uint64_t>(seconds / kSecondsPerDay) : 0;
        if (age_days <= days) continue;
        const std::string path = std::string(dir) + host::kPathSeparator + entry.name;
        if (!host::remove_file(path.c_str())) result = QOR_ERR_IO;
    }
    return result;
}

} // namespace qor

extern "C" int qor_log_cleanup(uint32_t days) {
    return qor::log_cleanup_at(days, qor::host::now_unix());
}
