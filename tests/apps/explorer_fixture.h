// An explorer over a scratch bootsys/homet tree, with the document opener
// replaced by a recorder so no program starts.
#pragma once

#include "desktop/explorer.h"
#include "host/host_fs.h"
#include "host/host_shell.h"
#include "support/scratch.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace qor::test {

using namespace qor::desktop;

// Documents the explorer asked the host to open.
inline std::vector<std::string>& open_requests() {
    static std::vector<std::string> requests;
    return requests;
}

inline const host::shell_backend kRecordingShell{
    [](const char* path) {
        open_requests().emplace_back(path);
        return true;
    },
    [](const char*, const char*, const char*) { return false; }};

inline std::vector<std::string> listed_names() {
    std::vector<std::string> names;
    for (int i = 0; i < g_files.count; ++i)
        names.emplace_back(g_files.entries[i].name);
    return names;
}

inline int index_of(const std::string& name) {
    for (int i = 0; i < g_files.count; ++i)
        if (name == g_files.entries[i].name) return i;
    return -1;
}

inline const file_entry* entry_named(const std::string& name) {
    const int i = index_of(name);
    return i < 0 ? nullptr : &g_files.entries[i];
}

inline std::string status_text() {
    char text[kStatusTextSize];
    files_status_text(text);
    return text;
}

// Points the system's folders and a fresh explorer at `home` (below bootsys).
inline void set_home(const std::string& home) {
    std::snprintf(g_bootsys_dir, sizeof g_bootsys_dir, "%s",
                  std::filesystem::path(home).parent_path().string().c_str());
    std::snprintf(g_homet_dir, sizeof g_homet_dir, "%s", home.c_str());
    g_files = explorer_state{};
    std::snprintf(g_files.path, sizeof g_files.path, "%s", home.c_str());
    g_files.selected = -1;
}

// The scratch tree and the recorder; the process folder is put back after.
struct scratch_home {
    void enter() {
        ASSERT_TRUE(host::current_folder(&process_folder_before));
        bootsys = fresh_folder("bootsys");
        home = bootsys / "homet";
        std::filesystem::create_directory(home);
        set_home(home.string());
        open_requests().clear();
        host::set_shell_backend(&kRecordingShell);
    }
    void leave() {
        host::set_shell_backend(nullptr);
        files_set_folder_lister(nullptr);
        host::change_folder(process_folder_before.c_str());
    }
    std::string process_folder_before;
    std::filesystem::path bootsys, home;
};

// The window rectangle explorer windows open with.
constexpr int kX = 80, kY = 40, kW = 640, kH = 480;

class ExplorerTest : public ::testing::Test, public scratch_home {
  protected:
    void SetUp() override { enter(); }
    void TearDown() override { leave(); }

    // A click in the middle of list row `row` (counted from the first drawn row).
    static void click_row(int row) {
        files_handle_click(kX, kY, kW, kH, kX + 300, kY + 90 + 28 * row);
    }
    static void click_entry(const std::string& name) {
        const int i = index_of(name);
        ASSERT_GE(i, 0) << name << " is not listed";
        click_row(i - g_files.scroll);
    }
    static void click_up_button() { files_handle_click(kX, kY, kW, kH, kX + 15, kY + 37); }
    static void click_quick_access(int i) {
        files_handle_click(kX, kY, kW, kH, kX + 40, kY + 84 + 24 * i);
    }
};

} // namespace qor::test
