// The bootsys tree beside the program: its path globals and folders.
#pragma once

#include <qoros/qor_types.h>

extern char g_bootsys_dir[QOR_PATH_MAX];
extern char g_homet_dir[QOR_PATH_MAX];
extern char g_firefox_qpa[QOR_PATH_MAX];

// Fills the path globals from the running program's folder.
void init_paths();
// Creates bootsys and the folders beneath it; existing folders are fine.
void init_directories();
// True for a non-empty path the host reports as a file or folder.
bool qor_file_exists(const char* path);
