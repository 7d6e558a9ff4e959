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

class GoldenFrame : public DesktopTest {
  protected:
    void SetUp() override {
        DesktopTest::SetUp();
        remove_installed_packages();
    }
    void TearDown() override {
        remove_installed_packages();
        DesktopTest::TearDown();
    }

    static void remove_installed_packages() {
        for (const auto& entry : std::filesystem::directory_iterator(qor_apps_get_dir())) {
            std::filesystem::remove_all(entry.path());
        }
    }

    static void install_package(const std::string& file, const char* name, const char* version,
                                const char* category) {
        qpa_header header{};
        std::memcpy(header.magic, "QORAPP", 6);
        std::strncpy(header.name, name, sizeof header.name - 1);
        std::strncpy(header.version, version, sizeof header.version - 1);
        std::strncpy(header.category, category, sizeof header.category - 1);
        write_bytes(std::filesystem::path(qor_apps_get_dir()) / file,
                    std::string(reinterpret_cast<const char*>(&header), sizeof header));
    }

    static void open_and_render(int32_t kind) {
        open_window(kind);
        desktop_driver_render();
    }
};

TEST_F(GoldenFrame, EmptyDesktop) {
    desktop_driver_render();
    EXPECT_TRUE(frame_matches_golden("empty_desktop"));
}

TEST_F(GoldenFrame, StartMenuWithHoveredEntry) {
    desktop_driver_click(40, 585);
    desktop_driver_move(100, 380 + 20 * 6 + 9); // "homet Files"
    desktop_driver_render();
    EXPECT_TRUE(frame_matches_golden("start_menu_hover"));
}

TEST_F(GoldenFrame, ActiveOverInactiveFrames) {
    open_window(WIN_DISK_MANAGER);
    open_window(WIN_ABOUT);
    desktop_driver_render();
    EXPECT_TRUE(frame_matches_golden("frames_active_inactive"));
}

TEST_F(GoldenFrame, MinimisedWindowKeepsItsButton) {
    open_window(WIN_QORGET);
    open_window(WIN_ABOUT);
    desktop_driver_click(95 + 50, 585); // activate the downloader
    desktop_driver_click(95 + 50, 585); // and minimise it
    desktop_driver_render();
    EXPECT_TRUE(frame_matches_golden("minimised_window"));
}

TEST_F(GoldenFrame, DownloaderPage) {
    open_and_render(WIN_QORGET);
    EXPECT_TRUE(frame_matches_golden("page_downloader"));
}

TEST_F(GoldenFrame, DiskManagerPage) {
    open_and_render(WIN_DISK_MANAGER);
    EXPECT_TRUE(frame_matches_golden("page_disk_manager"));
}

TEST_F(GoldenFrame, DiskManagerPageAndTaskbarWithTheDriveMounted) {
    ASSERT_EQ(qor_disk_mount_all(), 0);
    open_and_render(WIN_DISK_MANAGER);
    qor_disk_unmount_all();
    EXPECT_TRUE(frame_matches_golden("page_disk_manager_mounted"));
}

TEST_F(GoldenFrame, AboutPage) {
    open_and_render(WIN_ABOUT);
    EXPECT_TRUE(frame_matches_golden("page_about"));
}

TEST_F(GoldenFrame, BrowserPageWithoutThePackage) {
    open_and_render(WIN_BROWSER);
    EXPECT_TRUE(frame_matches_golden("page_browser_missing"));
}

TEST_F(GoldenFrame, BrowserPageWithThePackage) {
    const auto package = fresh_folder() / "firefox.qpa";
    write_bytes(package, "present");
    std::strncpy(g_firefox_qpa, package.c_str(), QOR_PATH_MAX - 1);
    open_and_render(WIN_BROWSER);
    EXPECT_TRUE(frame_matches_golden("page_browser_installed"));
}

TEST_F(GoldenFrame, StoreWithoutPackages) {
    open_and_render(WIN_APP_STORE);
    EXPECT_TRUE(frame_matches_golden("page_store_empty"));
}

TEST_F(GoldenFrame, StoreWithOnePackage) {
    install_package("demo.qpa", "Demo", "1.0", "Tools");
    open_and_render(WIN_APP_STORE);
    EXPECT_TRUE(frame_matches_golden("page_store_one"));
}

// Twelve packages with the same texts, so the host's listing order does not
// matter: the heading counts twelve and exactly ten lines are listed.
TEST_F(GoldenFrame, StoreWithTwelvePackages) {
    for (int i = 0; i < 12; ++i) {
        install_package("pkg" + std::to_string(i) + ".qpa", "Same", "2.0", "Games");
    }
    open_and_render(WIN_APP_STORE);
    EXPECT_TRUE(frame_matches_golden("page_store_twelve"));
}

} // namespace
} // namespace qor::test
