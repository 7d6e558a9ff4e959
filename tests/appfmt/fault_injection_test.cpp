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
using qor::test::fresh_folder;
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
    std::filesystem::path dir = fresh_folder();
    void SetUp() override { qor::host::set_fs_fault_hook(planned_fault); }
    void TearDown() override { qor::host::set_fs_fault_hook(nullptr); }

    // How often a clean run performs each operation.
    std::map<fs_op, int> count_operations(const std::function<int()>& run) {
        g_plan = {};
        EXPECT_EQ(run(), QOR_OK);
        return g_plan.seen;
    }

    // Fails each counted operation of the kinds given, one at a time, and
    // checks what the run reports and what it leaves on disk.
    void fail_each(const std::function<int()>& run, std::initializer_list<fs_op> ops,
                   const std::filesystem::path& destination, int expected_code) {
        const auto counts = count_operations(run);
        write_bytes(destination, "previous content");
        const std::string listing = qor::test::folder_listing(destination.parent_path());
        for (fs_op op : ops) {
            const auto found = counts.find(op);
            ASSERT_NE(found, counts.end()) << "operation " << static_cast<int>(op) << " never ran";
            for (int position = 1; position <= found->second; ++position) {
                g_plan = {};
                g_plan.op = op;
                g_plan.fail_at = position;
                EXPECT_EQ(run(), expected_code)
                    << "op " << static_cast<int>(op) << " failing at " << position;
                EXPECT_EQ(read_bytes(destination), "previous content");
                EXPECT_EQ(qor::test::folder_listing(destination.parent_path()), listing);
            }
        }
    }
};

TEST_F(FaultInjection, ConversionFailuresLeaveTheOldPackage) {
    write_bytes(dir / "p.exe", qor::test::program_bytes(3u << 20));
    const auto qpa = dir / "out" / "p.qpa";
    std::filesystem::create_directory(dir / "out");
    const auto run = [&] {
        return qpa_convert_exe((dir / "p.exe").string().c_str(), qpa.string().c_str(), "P", 0, 0, 0,
                               0, 0, 0);
    };
    fail_each(run, {fs_op::open_write, fs_op::write, fs_op::seek, fs_op::rename}, qpa, QOR_ERR_IO);
}

TEST_F(FaultInjection, ProgramReadFailureLeavesTheOldPackage) {
    write_bytes(dir / "p.exe", qor::test::program_bytes(3u << 20));
    const auto qpa = dir / "out" / "p.qpa";
    std::filesystem::create_directory(dir / "out");
    const auto run = [&] {
        return qpa_convert_exe((dir / "p.exe").string().c_str(), qpa.string().c_str(), "P", 0, 0, 0,
                               0, 0, 0);
    };
    fail_each(run, {fs_op::open_read, fs_op::read}, qpa, QOR_ERR_IO);
}

TEST_F(FaultInjection, IconReadFailureYieldsAPackageWithoutIcon) {
    const std::string program = qor::test::program_bytes(1000);
    write_bytes(dir / "p.exe", program);
    write_bytes(dir / "i.ico", qor::test::random_bytes(2u << 20, 4));
    const auto qpa = dir / "p.qpa";
    // Reads: program prefix (1), icon chunks (2, 3), program rest (4).
    for (int position : {2, 3}) {
        g_plan = {};
        g_plan.op = fs_op::read;
        g_plan.fail_at = position;
        ASSERT_EQ(qpa_convert_exe((dir / "p.exe").string().c_str(), qpa.string().c_str(), "P", 0, 0,
                                  0, (dir / "i.ico").string().c_str(), 0, QPA_FLAG_GUI),
                  QOR_OK);
        const std::string file = read_bytes(qpa);
        const qpa_header h = qor::test::header_of(file);
        EXPECT_EQ(+h.flags, QPA_FLAG_GUI);
        EXPECT_EQ(+h.icon_size, 0u);
        EXPECT_EQ(file.substr(512), program);
        EXPECT_EQ(qor::test::folder_listing(dir), "i.ico\np.exe\np.qpa\n");
    }
}

} // namespace

namespace {

TEST_F(FaultInjection, ExtractionFailuresLeaveTheOldFile) {
    write_bytes(dir / "p.exe", qor::test::program_bytes(3u << 20));
    const auto qpa = dir / "p.qpa";
    ASSERT_EQ(qpa_convert_exe((dir / "p.exe").string().c_str(), qpa.string().c_str(), "P", 0, 0, 0,
                              0, 0, 0),
              QOR_OK);
    std::filesystem::create_directory(dir / "out");
    const auto out = dir / "out" / "app.exe";
    const auto run = [&] { return qpa_extract_exe(qpa.string().c_str(), out.string().c_str()); };
    fail_each(run,
              {fs_op::open_read, fs_op::read, fs_op::seek, fs_op::open_write, fs_op::write,
               fs_op::rename},
              out, QOR_ERR_IO);
}

} // namespace
