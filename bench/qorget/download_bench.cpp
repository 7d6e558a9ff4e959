// Downloads 256 MiB from a loopback server four ways, rounds interleaved:
//   curl -o            the curl tool writing the same URL to a file
//   curl -o + sync     the same, then `sync` of the file: the durable anchor,
//                      since a download is flushed to the disk before it
//                      takes its name
//   qorget_download    the library call, progress figure included
//   without progress   the same transfer into the same staged file, no figure
// and prints the median throughput of each, its ratio to both curl anchors,
// and the file system written to.
//
// Usage: qorget_download_bench [output folder] [rounds]
#include "host/host_fs.h"
#include "host/host_http.h"
#include "host/host_private_folders.h"
#include "support/loopback_http_server.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <qoros/qorget.h>
#include <string>
#include <vector>

namespace {

constexpr uint64_t kBodyBytes = 256ull << 20;

bool write_only(void* context, const void* data, size_t size) {
    return qor::host::write_staged(static_cast<qor::host::staged_file*>(context), data, size);
}

// The download path of qorget_download minus the progress figure.
bool download_without_progress(const std::string& url, const std::string& dest) {
    qor::host::staged_file file;
    if (!qor::host::stage_file(dest.c_str(), &file)) return false;
    qor::host::http_client* client = qor::host::http_open("Qorget/6.0");
    const qor::host::http_sink sink{&file, nullptr, write_only};
    const bool ok = client && qor::host::http_get(client, url.c_str(), sink) ==
                                  qor::host::http_outcome::complete;
    qor::host::http_close(client);
    if (!ok) {
        qor::host::discard_staged_file(&file);
        return false;
    }
    return qor::host::commit_staged_file(&file);
}

struct contender {
    const char* name;
    std::function<bool()> run;
    std::vector<double> seconds;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    std::string folder = argc > 1 ? argv[1] : qor::host::temp_folder();
    if (!folder.empty() && folder.back() != '/') folder += '/';
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;

    qor::test::loopback_http_server server;
    qor::test::http_route route;
    route.pattern_length = kBodyBytes;
    server.route("/big", route);
    const std::string url = server.url("/big");
    const std::string curl_dest = folder + "bench-curl.bin";
    const std::string synced_dest = folder + "bench-curl-sync.bin";
    const std::string qorget_dest = folder + "bench-qorget.bin";
    const std::string plain_dest = folder + "bench-plain.bin";
    const std::string curl_command = "curl -s -f --noproxy '*' -o '" + curl_dest + "' " + url;
    const std::string synced_command = "curl -s -f --noproxy '*' -o '" + synced_dest + "' " + url +
                                       " && sync '" + synced_dest + "'";

    std::vector<contender> contenders = {
        {"curl -o", [&] { return std::system(curl_command.c_str()) == 0; }, {}},
        {"curl -o + sync", [&] { return std::system(synced_command.c_str()) == 0; }, {}},
        {"qorget_download",
         [&] { return qorget_download(url.c_str(), qorget_dest.c_str(), 0) == 0; },
         {}},
        {"without progress", [&] { return download_without_progress(url, plain_dest); }, {}},
    };
    for (int round = 0; round < rounds; ++round) {
        for (auto& c : contenders) {
            const auto start = std::chrono::steady_clock::now();
            if (!c.run()) {
                std::fprintf(stderr, "%s failed\n", c.name);
                return 1;
            }
            const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            c.seconds.push_back(took.count());
        }
    }
    for (const auto* path : {&curl_dest, &synced_dest, &qorget_dest, &plain_dest})
        qor::host::remove_file(path->c_str());

    const double mib = static_cast<double>(kBodyBytes) / (1 << 20);
    const double curl_speed = mib / median(contenders[0].seconds);
    const double synced_speed = mib / median(contenders[1].seconds);
    std::printf("256 MiB from 127.0.0.1, median of %d rounds, file system: ", rounds);
    std::fflush(stdout);
    std::system(("findmnt -n -o FSTYPE -T '" + folder + "'").c_str());
    for (const auto& c : contenders) {
        const double speed = mib / median(c.seconds);
        std::printf("%-18s %8.1f MiB/s  %.2fx curl  %.2fx curl+sync\n", c.name, speed,
                    speed / curl_speed, speed / synced_speed);
    }
    return 0;
}
