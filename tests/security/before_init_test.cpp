// The layer before qor_security_init: checks allow, the audit refuses, the
// tables already work; the start then empties them.
#include "host/host_fs.h"
#include "host/host_system_folders.h"
#include "security/security_state.h"

#include <gtest/gtest.h>

using namespace qor::security;

TEST(SecurityBeforeInit, AllowsEverythingThenStartsFromCleanTables) {
    // A file in the host's most specific system folder.
    const std::string system_file =
        std::string(qor::host::protected_system_folders()[0]) + qor::host::kPathSeparator + "x";
    ASSERT_FALSE(g_initialized.load());
    EXPECT_TRUE(qor_security_check_file_access(system_file.c_str(), QOR_ACCESS_WRITE));
    EXPECT_FALSE(qor_security_check_file_access(nullptr, QOR_ACCESS_READ));
    EXPECT_EQ(qor_security_memory_audit(), QOR_ERR_NOT_INIT);

    EXPECT_EQ(qor_security_protect_file("/srv/early"), QOR_OK);
    EXPECT_EQ(g_protected_file_count, 1);
    EXPECT_TRUE(qor_security_check_file_access("/srv/early/x", QOR_ACCESS_WRITE));
    EXPECT_EQ(qor_security_canary_push(), 1u);

    ASSERT_EQ(qor_security_init(), QOR_OK);
    EXPECT_EQ(g_protected_file_count, 5);
    EXPECT_EQ(find_protected_file("/srv/early"), -1);
    EXPECT_EQ(g_canary_top, 0u);
    EXPECT_FALSE(qor_security_check_file_access(system_file.c_str(), QOR_ACCESS_WRITE));
    EXPECT_NE(qor_security_memory_audit(), QOR_ERR_NOT_INIT);
}
