// Test fixture for the virtual drive: a replaceable host drive list and a
// clean mount root in this process's TMPDIR.
#pragma once

#include "host/host_drives.h"
#include "host/host_fs.h"
#include "host/host_private_folders.h"

#include <qoros/qor_disk.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace qor::test {

inline host::drive make_drive(char letter, host::drive_type type, uint64_t total = 0,
                              uint64_t free = 0) {
    return host::drive{letter, type, total, free};
}

class VirtualDrive : public ::testing::Test {
  protected:
    void SetUp() override {
        qor_disk_unmount_all();
        std::filesystem::remove_all(mount_root());
        g_drives = {make_drive('C', host::drive_type::fixed, 1000, 400)};
        host::set_drive_source([] { return g_drives; });
    }
    void TearDown() override {
        qor_disk_unmount_all();
        host::set_drive_source(nullptr);
    }

    static std::filesystem::path mount_root() { return host::temp_folder() + "QorOS_MDrive"; }
    static std::string drive_folder(char letter) {
        return (mount_root() / (std::string("DiskDr") + letter)).string();
    }
    static std::vector<qor_disk_entry> list_rows(uint32_t capacity = QOR_DISK_MAX_DRIVES) {
        std::vector<qor_disk_entry> rows(QOR_DISK_MAX_DRIVES + 1, qor_disk_entry{.kind = -1});
        uint32_t count = 99;
        EXPECT_EQ(qor_disk_list(rows.data(), capacity, &count), QOR_OK);
        EXPECT_EQ(rows[capacity].kind, -1) << "a row written past the capacity";
        rows.resize(count);
        return rows;
    }

    // What the host reports as its drives.
    static inline std::vector<host::drive> g_drives;
};

} // namespace qor::test
