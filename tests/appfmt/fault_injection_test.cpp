// File faults injected through the host layer at every position: a failed
// conversion or extraction leaves the destination as it was and no stray
// file behind.
#include "package_fixtures.h"

#include "support/fault_matrix.h"

#include <gtest/gtest.h>

namespace {

using qor::host::fs_op;
using qor::test::fail_each;
using qor::test::folder_names;
using qor::test::read_bytes;
using qor::test::write_bytes;

struct FaultInjection : ::testing::Test {
    std::filesystem::path dir = qor::test::fresh_folder();
    std::filesystem::path exe = dir / "p.exe";
    qor::test::scoped_fault_plan faults;
    void SetUp() override {
        write_bytes(exe, qor::test::program_bytes(3u << 20));
        std::filesystem::create_directory(dir / "out");
    }
};

TEST_F(FaultInjection, ConversionFailuresLeaveTheOldPackage) {
    const auto qpa = dir / "out" / "p.qpa";
    fail_each(
        "package conversion",
        [&] {
            return qpa_convert_exe(exe.string().c_str(), qpa.string().c_str(), "P", 0, 0, 0, 0, 0,
                                   0);
        },
        {fs_op::open_read, fs_op::read, fs_op::open_write, fs_op::write, fs_op::seek,
         fs_op::rename},
        qpa, QOR_ERR_IO);
}

TEST_F(FaultInjection, ExtractionFailuresLeaveTheOldFile) {
    const auto qpa = dir / "p.qpa";
    ASSERT_EQ(qpa_convert_exe(exe.string().c_str(), qpa.string().c_str(), "P", 0, 0, 0, 0, 0, 0),
              QOR_OK);
    const auto out = dir / "out" / "app.exe";
    fail_each(
        "package extraction",
        [&] { return qpa_extract_exe(qpa.string().c_str(), out.string().c_str()); },
        {fs_op::open_read, fs_op::read, fs_op::seek, fs_op::open_write, fs_op::write,
         fs_op::rename},
        out, QOR_ERR_IO);
}

TEST_F(FaultInjection, IconReadFailureYieldsAPackageWithoutIcon) {
    const std::string program = qor::test::program_bytes(1000);
    write_bytes(exe, program);
    write_bytes(dir / "i.ico", qor::test::random_bytes(2u << 20, 4));
    const auto qpa = dir / "p.qpa";
    // Reads: program prefix (1), icon chunks (2, 3), program rest (4).
    for (int position : {2, 3}) {
        qor::test::plan_fault(fs_op::read, position);
        ASSERT_EQ(qpa_convert_exe(exe.string().c_str(), qpa.string().c_str(), "P", 0, 0, 0,
                                  (dir / "i.ico").string().c_str(), 0, QPA_FLAG_GUI),
                  QOR_OK);
        const std::string file = read_bytes(qpa);
        const qpa_header h = qor::test::header_of(file);
        EXPECT_EQ(+h.flags, QPA_FLAG_GUI);
        EXPECT_EQ(+h.icon_size, 0u);
        EXPECT_EQ(file.substr(512), program);
        EXPECT_EQ(folder_names(dir), (std::vector<std::string>{"i.ico", "out", "p.exe", "p.qpa"}));
    }
}

} // namespace
