// Downloads under failing disks: a staged file that cannot be created, a
// write that fails in the middle of the body, a final rename that fails.
// The result is an I/O failure and the user's file at the destination stays
// byte for byte as it was.
#include "qorget_fixture.h"
#include "support/fault_matrix.h"

namespace qor::test {
namespace {

using host::fs_op;
using DownloadFaults = QorgetTest;

TEST_F(DownloadFaults, EveryFileFaultKeepsTheOldFile) {
    loopback_http_server server;
    http_route route;
    route.pattern_length = 64 * 1024; // at least four body writes of at most 16 KiB
    server.route("/file", route);
    const auto dest = fresh_folder() / "keep.qpa";
    const std::string url = server.url("/file");
    scoped_fault_plan faults;
    fail_each(
        "download", [&] { return qorget_download(url.c_str(), dest.c_str(), 0); },
        {fs_op::open_write, fs_op::write, fs_op::rename}, dest, QOR_ERR_IO, 4);
}

} // namespace
} // namespace qor::test
