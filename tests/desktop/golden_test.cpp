// Whole frames compared with reviewed images. Text comes from the test
// glyph source and the explorer's listing from a fixed double (host order
// and dates differ between machines), so the images are the same on every
// machine.
#include <cstring>
#include <filesystem>
#include <string>

#include <qoros/qor_log.h>
#include <qoros/qor_package.h>

#include "desktop_fixture.h"
#include "golden.h"

namespace qor::test {
namespace {

void remove_installed_packages() {
    for (const auto& entry : std::filesystem::directory_iterator(qor_apps_get_dir()))
        std::filesystem::remove_all(entry.path());
}

void install_package(const std::string& file, const char* name, const char* version,
                     const char* category) {
    qpa_header header{};
    std::memcpy(header.magic, "QORAPP", 6);
    std::strncpy(header.name, name, sizeof header.name - 1);
    std::strncpy(header.version, version, sizeof header.version - 1);
    std::strncpy(header.category, category, sizeof header.category - 1);
    write_bytes(std::filesystem::path(qor_apps_get_dir()) / file,
                std::string(reinterpret_cast<const char*>(&header), sizeof header));
}

// A home folder that exists on no machine, in the host's spelling: nothing
// below reads it except the listing doubles.
std::string fixed_home() {
    std::string path = "/qoros/bootsys/homet";
    for (char& c : path)
        if (c == '/') c = host::kPathSeparator;
    return path;
}

host::folder_entry listed(std::string name, bool folder, uint64_t size) {
    host::folder_entry e;
    e.name = std::move(name);
    e.info.is_folder = folder;
    e.info.size = size;
    e.info.modified_unix = 1757669400; // 2025-09-12 09:30 UTC
    return e;
}

bool fixed_listing(const char*, std::vector<host::folder_entry>* out) {
    *out = {listed(".", true, 0),          listed("..", true, 0),
            listed("Documents", true, 0),  listed("report.pdf", false, 1536),
            listed("README", false, 1023), listed("archive.tar.gz", false, 1048575)};
    return true;
}

struct golden_scene {
    const char* golden;
    void (*arrange)();
};

const golden_scene kScenes[] = {
    {"empty_desktop", [] {}},
    {"icon_hover", [] { desktop_driver_move(44, 184); }}, // the Qorget disc lights up
    {"start_menu_hover",
     [] {
         desktop_driver_click(40, 585);
         desktop_driver_move(100, 380 + 20 * 6 + 9); // "homet Files"
     }},
    {"frames_active_inactive",
     [] {
         open_window(WIN_DISK_MANAGER);
         open_window(WIN_ABOUT);
     }},
    {"minimised_window",
     [] {
         open_window(WIN_QORGET);
         open_window(WIN_ABOUT);
         desktop_driver_click(95 + 50, 585); // activate the downloader
         desktop_driver_click(95 + 50, 585); // and minimise it
     }},
    {"page_downloader", [] { open_window(WIN_QORGET); }},
    {"page_disk_manager", [] { open_window(WIN_DISK_MANAGER); }},
    {"page_disk_manager_mounted",
     [] {
         ASSERT_EQ(qor_disk_mount_all(), 0); // the fixture unmounts again
         open_window(WIN_DISK_MANAGER);
     }},
    {"page_about", [] { open_window(WIN_ABOUT); }},
    {"page_browser_missing", [] { open_window(WIN_BROWSER); }},
    {"page_browser_installed",
     [] {
         const auto package = fresh_folder() / "firefox.qpa";
         write_bytes(package, "present");
         std::strncpy(g_firefox_qpa, package.string().c_str(), QOR_PATH_MAX - 1);
         open_window(WIN_BROWSER);
     }},
    {"page_store_empty", [] { open_window(WIN_APP_STORE); }},
    {"page_store_one",
     [] {
         install_package("demo.qpa", "Demo", "1.0", "Tools");
         open_window(WIN_APP_STORE);
     }},
    // Twelve packages with the same texts, so the host's listing order does
    // not matter: the heading counts twelve and exactly ten lines are listed.
    {"page_store_twelve",
     [] {
         for (int i = 0; i < 12; ++i)
             install_package("pkg" + std::to_string(i) + ".qpa", "Same", "2.0", "Games");
         open_window(WIN_APP_STORE);
     }},
    // Ten windows share the taskbar's room before the version label.
    {"taskbar_ten_buttons",
     [] {
         for (int32_t kind = WIN_START_MENU; kind <= WIN_BROWSER; ++kind)
             open_window(kind);
         desktop_driver_click(95 + 3, 585); // the first button brings its window forward
     }},
    {"terminal_after_help",
     [] {
         click_icon(kIconTerm);
         type_keys("help");
         desktop_driver_key(kKeyEnter);
         type_keys("ls -a");
         desktop_driver_key(kKeyLeft);
     }},
    {"terminal_long_input",
     [] {
         click_icon(kIconTerm);
         type_keys("echo " + std::string(120, 'w') + " end");
     }},
    {"explorer_files",
     [] {
         click_icon(kIconFiles);
         desktop_driver_click(80 + 300, 40 + 90 + 28 * index_of("README")); // selects it
     }},
    // Long names stop at their column; scrolled to the end, the last entry
    // shows whole above the status bar.
    {"explorer_long_names_end",
     [] {
         files_set_folder_lister([](const char*, std::vector<host::folder_entry>* out) {
             out->clear();
             for (int i = 0; i < 20; ++i)
                 out->push_back(
                     listed(i % 3 ? "file" + std::to_string(i)
                                  : "a very long file name that runs far past its column " +
                                        std::to_string(i) + ".txt",
                            false, 1000u * i));
             return true;
         });
         click_icon(kIconFiles);
         desktop_driver_wheel(80 + 300, 40 + 200, -100);
     }},
    {"explorer_homet_empty",
     [] {
         files_set_folder_lister([](const char*, std::vector<host::folder_entry>* out) {
             out->assign(2, host::folder_entry{});
             (*out)[0].name = ".";
             (*out)[1].name = "..";
             return true;
         });
         click_icon(kIconHomet);
     }},
    {"code_editor",
     [] {
         click_icon(kIconCode);
         desktop_driver_key(0x26); // up to line 5
         desktop_driver_key(0x23); // its end
     }},
};

class GoldenFrame : public DesktopTest, public ::testing::WithParamInterface<golden_scene> {
  protected:
    void SetUp() override {
        DesktopTest::SetUp();
        remove_installed_packages();
        set_home(fixed_home());
        terminal_init(&g_term, fixed_home().c_str()); // missing; the prompt still shows it
        files_set_folder_lister(fixed_listing);
    }
    void TearDown() override {
        remove_installed_packages();
        qor_disk_unmount_all();
        DesktopTest::TearDown();
    }
};

TEST_P(GoldenFrame, Matches) {
    GetParam().arrange();
    desktop_driver_render();
    EXPECT_TRUE(frame_matches_golden(GetParam().golden));
}

INSTANTIATE_TEST_SUITE_P(Desktop, GoldenFrame, ::testing::ValuesIn(kScenes),
                         [](const auto& scene) { return std::string(scene.param.golden); });

} // namespace
} // namespace qor::test
