#include "host/host_fs.h"
#include "host/host_system_folders.h"
#include "security/security_state.h"

#include <gtest/gtest.h>
#include <thread>
#include <vector>

using namespace qor::security;

TEST(SecurityInitRace, ConcurrentStartsAddTheSystemFoldersOnce) {
    std::vector<std::thread> threads;
    for (int i = 0; i < 4; ++i)
        threads.emplace_back([] { EXPECT_EQ(qor_security_init(), QOR_OK); });
    for (std::thread& thread : threads)
        thread.join();

    EXPECT_EQ(g_protected_file_count, 5);
    int active = 0;
    for (const qor_protected_file& slot : g_protected_files)
        active += slot.active ? 1 : 0;
    EXPECT_EQ(active, 5);
    const std::string system_file =
        std::string(qor::host::protected_system_folders()[0]) + qor::host::kPathSeparator + "x";
    EXPECT_FALSE(qor_security_check_file_access(system_file.c_str(), QOR_ACCESS_WRITE));
}
