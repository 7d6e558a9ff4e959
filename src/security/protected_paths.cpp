// Protected paths: a fixed table of folders and files that no access may
// write to or execute from, matched by case-folded prefix.
#include "security/path_normalize.h"
#include "security/security_state.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>

namespace qor::security {

qor_protected_file g_protected_files[QOR_SECURITY_MAX_PROTECTED_FILES];
int32_t g_protected_file_count = 0;

namespace {
std::mutex g_protected_files_lock; // guards g_protected_files and its count
} // namespace

void clear_protected_files() {
    std::lock_guard<std::mutex> guard(g_protected_files_lock);
    for (qor_protected_file& slot : g_protected_files) {
        std::free(slot.path);
        slot = qor_protected_file{};
    }
    g_protected_file_count = 0;
}

namespace {

char fold(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}

// True when text begins with prefix, A-Z folded. No separator is needed after
// the prefix: "/usr" also covers "/usrlocal", and "" covers everything.
bool starts_with_folded(const std::string& text, const char* prefix) {
    size_t i = 0;
    for (; prefix[i] != '\0'; ++i) {
        if (i >= text.size() || fold(text[i]) != fold(prefix[i])) return false;
    }
    return true;
}

int find_normalised_locked(const std::string& path) {
    for (int i = 0; i < QOR_SECURITY_MAX_PROTECTED_FILES; ++i) {
        const qor_protected_file& slot = g_protected_files[i];
        if (slot.active && slot.path && sec_strcasecmp(slot.path, path.c_str()) == 0) return i;
    }
    return -1;
}

bool refuses(uint32_t mode) {
    return (mode & (QOR_ACCESS_WRITE | QOR_ACCESS_EXECUTE)) != 0;
}

} // namespace

} // namespace qor::security

using namespace qor::security;

extern "C" int sec_strcasecmp(const char* a, const char* b) {
    // An absent text sorts before every text, as an empty one would.
    if (!a || !b) return (a == b) ? 0 : (a ? 1 : -1);
    for (;; ++a, ++b) {
        const signed char x = static_cast<signed char>(fold(*a));
        const signed char y = static_cast<signed char>(fold(*b));
        if (x != y) return x < y ? -1 : 1;
        if (x == 0) return 0;
    }
}

extern "C" int find_protected_file(const char* path) {
    if (!path) return -1;
    const std::string normal = normalize_host_path(path);
    std::lock_guard<std::mutex> guard(g_protected_files_lock);
    return find_normalised_locked(normal);
}

extern "C" int qor_security_protect_file(const char* path) {
    if (!path) return QOR_ERR_SECURITY;
    const std::string normal = normalize_host_path(path);
    std::lock_guard<std::mutex> guard(g_protected_files_lock);
    if (find_normalised_locked(normal) >= 0) return QOR_OK;

    for (qor_protected_file& slot : g_protected_files) {
        if (slot.active) continue;
        slot.path = static_cast<char*>(std::malloc(normal.size() + 1));
        if (!slot.path) return QOR_ERR_NO_MEMORY;
        std::memcpy(slot.path, normal.c_str(), normal.size() + 1);
        slot.active = true;
        ++g_protected_file_count;
        return QOR_OK;
    }
    return QOR_ERR_SECURITY;
}

extern "C" int qor_security_unprotect_file(const char* path) {
    if (!path) return QOR_ERR_SECURITY;
    const std::string normal = normalize_host_path(path);
    std::lock_guard<std::mutex> guard(g_protected_files_lock);
    const int index = find_normalised_locked(normal);
    if (index < 0) return QOR_ERR_NOT_FOUND;
    qor_protected_file& slot = g_protected_files[index];
    std::free(slot.path);
    slot = qor_protected_file{};
    --g_protected_file_count;
    return QOR_OK;
}

extern "C" bool qor_security_check_file_access(const char* path, uint32_t mode) {
    if (!path) return false;
    if (!g_initialized.load()) return true;
    // Reads pass every slot, so only a refusing mode needs the walk.
    if (!refuses(mode)) return true;

    const std::string normal = normalize_host_path(path);
    std::lock_guard<std::mutex> guard(g_protected_files_lock);
    for (const qor_protected_file& slot : g_protected_files) {
        if (slot.active && slot.path && starts_with_folded(normal, slot.path)) return false;
    }
    return true;
}
