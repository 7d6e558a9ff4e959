// The layer before qor_security_init: checks allow, the audit refuses, the
// tables already work; the start then empties them.
#include "security/security_state.h"

#include <gtest/gtest.h>

using namespace qor::security;

TEST(SecurityBeforeInit, AllowsEverythingThenStartsFromCleanTables) {
    ASSERT_FALSE(g_initialized.load());
    EXPECT_TRUE(qor_security_check_file_access("/usr/bin/x", QOR_ACCESS_WRITE));
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
    EXPECT_FALSE(qor_security_check_file_access("/usr/bin/x", QOR_ACCESS_WRITE));
    EXPECT_NE(qor_security_memory_audit(), QOR_ERR_NOT_INIT);
}
