// The fixed pages drawn inside application windows: the downloader, the
// disk manager, the application store, About and the browser launcher. Each
// takes the window's slot and draws relative to its outer rectangle.
#pragma once

namespace qor::desktop {

void render_qorget_page(int slot);
void render_disk_manager_page(int slot);
void render_app_store_page(int slot);
void render_about_page(int slot);
void render_browser_page(int slot);

// The browser package g_firefox_qpa is named and exists.
bool browser_package_installed();

// Starts the browser package when it is installed (the launch result is
// not reported: the package runner logs failures). Returns whether it was
// installed.
bool launch_browser_package();

} // namespace qor::desktop
