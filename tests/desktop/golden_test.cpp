// Whole frames compared with reviewed images. Text comes from the test
// glyph source, so the images are the same on every machine.
#include <cstring>
#include <filesystem>
#include <string>

#include <qoros/qor_log.h>
#include <qoros/qor_package.h>

#include "desktop_fixture.h"
#include "golden.h"
#include "support/scratch.h"

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

struct golden_scene {
    const char* golden;
    void (*arrange)();
};

const golden_scene kScenes[] = {
    {"empty_desktop", [] {}},
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
};

class GoldenFrame : public DesktopTest, public ::testing::WithParamInterface<golden_scene> {
  protected:
    void SetUp() override {
        DesktopTest::SetUp();
        remove_installed_packages();
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
