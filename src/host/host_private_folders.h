// Folders that belong to this user alone: where QorOS keeps its state (the
// QorOS tree, the virtual M: drive) and, for a program installed where the
// user may not write, its bootsys tree. On a machine shared with other users
// nothing here is trusted by its name alone: every folder QorOS makes or
// reuses is checked before use, and a link is never followed.
#pragma once

#include <span>
#include <string>

namespace qor::host {

enum class folder_state {
    usable,         // a real folder, this user's, writable by nobody else
    cannot_create,  // missing, and the host refused to make it
    not_a_folder,   // a file or device holds the name
    link,           // a symbolic link (or reparse point) holds the name
    foreign_owner,  // the folder belongs to another user
    open_to_others, // group or others may write into it
};

// Creates the folder when it is missing (only this user may enter a new
// one), then checks what holds the name without following a link.
folder_state make_private_folder(const char* path);

// "QorOS will not use <path>: <what is wrong>; <what to do>." Empty for a
// usable folder.
std::string private_folder_problem(const std::string& path, folder_state state);

// make_private_folder, and when the folder is refused the reason goes to the
// console (standard error) and into `problem` when given.
bool use_private_folder(const char* path, std::string* problem = nullptr);

// A folder chosen for this user (with its trailing separator), or, with an
// empty path, the reason there is none and what to do about it.
struct user_folder {
    std::string path;
    std::string problem;
    // Folders made beneath it must pass make_private_folder too.
    bool private_tree = false;
};

// The user's own temporary folder, private and lasting: on Linux $TMPDIR when
// set, else ${XDG_STATE_HOME:-$HOME/.local/state}/qoros/ (created, checked);
// on Windows the per-user %TEMP%.
user_folder private_temp_folder();
// Its path alone: empty when there is none.
std::string temp_folder();

// The folder that holds bootsys for a program in `program_folder`: that
// folder itself when the user may write it and it is no system folder; on
// Linux otherwise ${XDG_DATA_HOME:-$HOME/.local/share}/qoros/.
user_folder bootsys_parent(const std::string& program_folder);

// True when `path` is one of `prefixes` or lies beneath one (whole path
// segments compared, so "/optional" is not under "/opt").
bool lies_under(const std::string& path, std::span<const char* const> prefixes);

} // namespace qor::host
