// The Ctrl+Tab+A handler the desktop frame loop runs while the hotkey is held.
#pragma once

// Mounts every host drive into the M: drive, prints the outcome on the
// console and writes it to the system log.
void handle_disk_mount();
