// Whole frames with the terminal, the explorer and the editor, compared with
// reviewed images. Text comes from the test glyph source and the explorer's
// listing from a fixed double (host order and dates differ between
// machines), so the frames are the same everywhere.
#include "apps_desktop_fixture.h"
#include "desktop/golden.h"

namespace qor::test {
namespace {

// A home folder that exists on no machine, in the host's spelling: nothing
// below reads it except the listing double.
std::string fixed_home() {
    std::string path = "/qoros/bootsys/homet";
    for (char& c : path)
        if (c == '/') c = host::kPathSeparator;
    return path;
}

bool fixed_listing(const char*, std::vector<host::folder_entry>* out) {
    const struct {
        const char* name;
        bool folder;
        uint64_t size;
    } rows[] = {{".", true, 0},          {"..", true, 0},
                {"Documents", true, 0},  {"report.pdf", false, 1536},
                {"README", false, 1023}, {"archive.tar.gz", false, 1048575}};
    out->clear();
    for (const auto& row : rows) {
        host::folder_entry e;
        e.name = row.name;
        e.info.is_folder = row.folder;
        e.info.size = row.size;
        e.info.modified_unix = 1757669400; // 2025-09-12 09:30 UTC
        out->push_back(e);
    }
    return true;
}

class AppsGoldenFrame : public AppsDesktopTest {
  protected:
    void SetUp() override {
        AppsDesktopTest::SetUp();
        set_home(fixed_home());
        terminal_init(&g_term, fixed_home().c_str()); // missing; the prompt still shows it
        files_set_folder_lister(fixed_listing);
    }
};

TEST_F(AppsGoldenFrame, TerminalAfterHelp) {
    click_icon(kIconTerm);
    type_keys("help");
    desktop_driver_key(kVkEnter);
    type_keys("ls -a");
    desktop_driver_key(0x25); // cursor one place left
    desktop_driver_render();
    EXPECT_TRUE(frame_matches_golden("terminal_after_help"));
}

TEST_F(AppsGoldenFrame, TerminalLongInputLine) {
    click_icon(kIconTerm);
    type_keys("echo " + std::string(120, 'w') + " end");
    desktop_driver_render();
    EXPECT_TRUE(frame_matches_golden("terminal_long_input"));
}

TEST_F(AppsGoldenFrame, ExplorerWithASelectedFile) {
    click_icon(kIconFiles);
    const app_window win = g_app_wins[g_active_win];
    click_entry_in_window("README");
    ASSERT_EQ(open_requests().size(), 1u);
    desktop_driver_render();
    EXPECT_TRUE(frame_matches_golden("explorer_files"));

    // A few pixels worked out from the layout, independent of the image.
    const int x = win.x, y = win.y, r = y + 86 + 28 * index_of("README");
    expect_pixels({{x + 121 + (win.w - 122) - 1, r - 7, 0xFFFFE8CC, "selection"},
                   {x + 2, y + 84 - 6, 0xFFFFE8CC, "quick access: homet"},
                   {x + 8, y + 84 + 24, 0xFF3CC8FF, "its folder icon"},
                   {x + 1, y + win.h - 17, 0xFFFAF5F5, "status bar"},
                   {x + 5, y + win.h - 18, 0xFFD2C8C8, "its top line"},
                   {x + 120, y + 300, 0xFFD2C8C8, "pane divider"}});
}

// Long names stop at their column; scrolled to the end, the last entry shows
// whole above the status bar.
TEST_F(AppsGoldenFrame, ExplorerLongNamesScrolledToTheEnd) {
    files_set_folder_lister([](const char*, std::vector<host::folder_entry>* out) {
        out->clear();
        for (int i = 0; i < 20; ++i) {
            host::folder_entry e;
            e.name = i % 3 ? "file" + std::to_string(i)
                           : "a very long file name that runs far past its column " +
                                 std::to_string(i) + ".txt";
            e.info.size = 1000u * i;
            e.info.modified_unix = 1757669400;
            out->push_back(e);
        }
        return true;
    });
    click_icon(kIconFiles);
    const app_window win = g_app_wins[g_active_win];
    desktop_driver_wheel(win.x + 300, win.y + 200, -100);
    desktop_driver_render();
    EXPECT_TRUE(frame_matches_golden("explorer_long_names_end"));
}

TEST_F(AppsGoldenFrame, EmptyHometWindow) {
    files_set_folder_lister([](const char*, std::vector<host::folder_entry>* out) {
        out->assign(2, host::folder_entry{});
        (*out)[0].name = ".";
        (*out)[1].name = "..";
        return true;
    });
    click_icon(kIconHomet);
    desktop_driver_render();
    EXPECT_TRUE(frame_matches_golden("explorer_homet_empty"));
}

TEST_F(AppsGoldenFrame, CodeEditorSample) {
    click_icon(kIconCode);
    desktop_driver_key(0x26); // up to line 5
    desktop_driver_key(0x23); // its end
    desktop_driver_render();
    EXPECT_TRUE(frame_matches_golden("code_editor"));
}

} // namespace
} // namespace qor::test
