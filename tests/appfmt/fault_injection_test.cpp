// File faults injected through the host layer at every position: a failed
// conversion or extraction leaves the destination as it was and no stray
// file behind.
#include "package_fixtures.h"

#include "host/host_fault.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {

using qor::host::fs_op;
using qor::test::folder_names;
using qor::test::read_bytes;
using qor::test::write_bytes;

struct fault_plan {
    std::map<fs_op, int> seen;
    fs_op op = fs_op::read;
    int fail_at = 0; // 0: never fail, only count
};
fault_plan g_plan;

bool planned_fault(fs_op op) {
    return ++g_plan.seen[op] == g_plan.fail_at && op == g_plan.op;
}

struct FaultInjection : ::testing::Test {
    std::filesystem::path dir = qor::test::fresh_folder();
    std::filesystem::path exe = dir / "p.exe";
    void SetUp() override {
        write_bytes(exe, qor::test::program_bytes(3u << 20));
        std::filesystem::create_directory(dir / "out");
        qor::host::set_fs_fault_hook(planned_fault);
    }
    void TearDown() override { qor::host::set_fs_fault_hook(nullptr); }

    // Counts each operation of a clean run, then fails each counted one of
    // the kinds given in turn and checks the result and what is on disk.
    void fail_each(const std::function<int()>& run, std::initializer_list<fs_op> ops,
                   const std::filesystem::path& destination) {
        g_plan = {};
        ASSERT_EQ(run(), QOR_OK);
        const auto counts = g_plan.seen;
        write_bytes(destination, "previous content");
        const auto listing = folder_names(destination.parent_path());
        for (fs_op op : ops) {
            ASSERT_TRUE(counts.count(op)) << "operation " << static_cast<int>(op) << " never ran";
            for (int position = 1; position <= counts.at(op); ++position) {
                SCOPED_TRACE("op " + std::to_string(static_cast<int>(op)) + " failing at " +
                             std::to_string(position));
                g_plan = {{}, op, position};
                EXPECT_EQ(run(), QOR_ERR_IO);
                EXPECT_EQ(read_bytes(destination), "previous content");
                EXPECT_EQ(folder_names(destination.parent_path()), listing);
            }
        }
    }
};

TEST_F(FaultInjection, ConversionFailuresLeaveTheOldPackage) {
    const auto qpa = dir / "out" / "p.qpa";
    fail_each(
        [&] {
            return qpa_convert_exe(exe.string().c_str(), qpa.string().c_str(), "P", 0, 0, 0, 0, 0,
                                   0);
        },
        {fs_op::open_read, fs_op::read, fs_op::open_write, fs_op::write, fs_op::seek,
         fs_op::rename},
        qpa);
}

TEST_F(FaultInjection, ExtractionFailuresLeaveTheOldFile) {
    const auto qpa = dir / "p.qpa";
    ASSERT_EQ(qpa_convert_exe(exe.string().c_str(), qpa.string().c_str(), "P", 0, 0, 0, 0, 0, 0),
              QOR_OK);
    const auto out = dir / "out" / "app.exe";
    fail_each([&] { return qpa_extract_exe(qpa.string().c_str(), out.string().c_str()); },
              {fs_op::open_read, fs_op::read, fs_op::seek, fs_op::open_write, fs_op::write,
               fs_op::rename},
              out);
}

TEST_F(FaultInjection, IconReadFailureYieldsAPackageWithoutIcon) {
    const std::string program = qor::test::program_bytes(1000);
    write_bytes(exe, program);
    write_bytes(dir / "i.ico", qor::test::random_bytes(2u << 20, 4));
    const auto qpa = dir / "p.qpa";
    // Reads: program prefix (1), icon chunks (2, 3), program rest (4).
    for (int position : {2, 3}) {
        g_plan = {{}, fs_op::read, position};
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
