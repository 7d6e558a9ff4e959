// The explorer's listing: one record per entry of the current folder, in the
// order the host enumerates them, with type, size and modification texts.
#include "desktop/explorer.h"
#include "desktop/explorer_paths.h"

#include "host/host_fs.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace qor::desktop {

namespace {

// Both explorer kinds open 480 pixels high and windows never change size, so
// this is the row count a refresh keeps the scroll position within.
constexpr int kExplorerWindowHeight = 480;

files_folder_lister g_folder_lister = qor::host::list_folder;

void copy_text(char* out, size_t size, const char* text) {
    std::snprintf(out, size, "%s", text);
}

// The text after the last dot, letters a..z in capitals; "文件" without a dot.
void type_text(const char* name, char (&out)[16]) {
    const char* dot = std::strrchr(name, '.');
    if (!dot) {
        copy_text(out, sizeof out, "文件");
        return;
    }
    copy_text(out, sizeof out, dot + 1);
    for (char* c = out; *c; ++c) {
        if (*c >= 'a' && *c <= 'z') *c = static_cast<char>(*c - 'a' + 'A');
    }
}

// Last-write time in UTC, as the list shows it.
void modified_text(int64_t unix_seconds, char (&out)[32]) {
    using namespace std::chrono;
    const sys_seconds when{seconds{unix_seconds}};
    const sys_days day = floor<days>(when);
    const year_month_day date{day};
    const hh_mm_ss<seconds> time{when - day};
    std::snprintf(out, sizeof out, "%04d-%02d-%02d %02d:%02d", static_cast<int>(date.year()),
                  static_cast<int>(static_cast<unsigned>(date.month())),
                  static_cast<int>(static_cast<unsigned>(date.day())),
                  static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()));
}

void fill_up_entry(file_entry* e) {
    *e = file_entry{};
    copy_text(e->name, sizeof e->name, "..");
    e->is_dir = 1;
    copy_text(e->type, sizeof e->type, "上行");
}

void fill_entry(file_entry* e, const qor::host::folder_entry& item) {
    *e = file_entry{};
    copy_text(e->name, sizeof e->name, item.name.c_str());
    e->is_dir = item.info.is_folder ? 1 : 0;
    // Folder sizes are the host's bookkeeping, not content; the list shows none.
    e->size = item.info.is_folder ? 0 : item.info.size;
    if (e->is_dir) {
        copy_text(e->type, sizeof e->type, "文件夹");
    } else {
        type_text(e->name, e->type);
    }
    modified_text(item.info.modified_unix, e->modified);
}

void clamp_scroll(int visible_rows) {
    const int last_start = std::max(0, g_files.count - visible_rows);
    g_files.scroll = std::clamp(g_files.scroll, 0, last_start);
}

} // namespace

void files_set_folder_lister(files_folder_lister lister) {
    g_folder_lister = lister ? lister : qor::host::list_folder;
}

// Row j's highlight spans y + 79 + 28j .. y + 105 + 28j; only rows that end
// above the status bar (at y + h - 18) are listed whole.
int files_visible_rows(int h) {
    return std::max(0, (h - 96) / 28);
}

void files_refresh() {
    g_files.count = 0;
    g_files.selected = -1;
    std::vector<qor::host::folder_entry> items;
    if (g_folder_lister(g_files.path, &items)) {
        char above[QOR_PATH_MAX];
        // The root has no folder above; its ".." (which POSIX hosts report)
        // would lead nowhere, so the root lists like a Windows drive root.
        const bool has_parent = explorer_parent(g_files.path, above);
        for (const qor::host::folder_entry& item : items) {
            if (item.name == ".") continue;
            if (g_files.count >= kExplorerMaxEntries) break;
            if (item.name == "..") {
                if (!has_parent) continue;
                fill_up_entry(&g_files.entries[g_files.count]);
            } else {
                fill_entry(&g_files.entries[g_files.count], item);
            }
            ++g_files.count;
        }
    }
    clamp_scroll(files_visible_rows(kExplorerWindowHeight));
}

void files_scroll_by(int rows, int visible_rows) {
    g_files.scroll += rows;
    clamp_scroll(visible_rows);
}

void files_status_text(char (&out)[kStatusTextSize]) {
    // The ".." entry is not an item of the folder.
    std::snprintf(out, sizeof out, "项目: %d  |  路径: %s", std::max(g_files.count, 1) - 1,
                  g_files.path);
}

void files_size_text(uint64_t size, char (&out)[32]) {
    constexpr uint64_t kKiB = 1024, kMiB = kKiB * 1024, kGiB = kMiB * 1024;
    const double s = static_cast<double>(size);
    if (size < kKiB) {
        std::snprintf(out, sizeof out, "%llu B", static_cast<unsigned long long>(size));
    } else if (size < kMiB) {
        std::snprintf(out, sizeof out, "%.1f KB", s / kKiB);
    } else if (size < kGiB) {
        std::snprintf(out, sizeof out, "%.1f MB", s / kMiB);
    } else {
        std::snprintf(out, sizeof out, "%.1f GB", s / kGiB);
    }
}

} // namespace qor::desktop
