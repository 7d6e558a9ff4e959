// Converting (the built dorvane), verifying and extracting a large program,
// each beside two anchors in the same run: `cp --reflink=never` of the same
// file, and that copy followed by `sync` of the copy, since a package is
// flushed to the disk before it takes its name. Every operation runs in its
// own process (this program started again with --op), so its peak resident
// memory (VmHWM) belongs to that operation alone. The file system is named.
//
//   qor_bench_package_io [folder] [size in MiB]   (default: $TMPDIR, 1024)
#include <qoros/qor_package.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The shared machine's disk is noisy: the best of several runs is compared.
constexpr int kRounds = 5;

long peak_rss_kib() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
    return -1;
}

int run_operation(const std::string& op, const char* in, const char* out) {
    int rc = -100;
    if (op == "verify") rc = qpa_verify(in) ? 0 : -1;
    if (op == "extract") rc = qpa_extract_exe(in, out);
    std::printf("%ld\n", peak_rss_kib());
    return rc == 0 ? 0 : 1;
}

void make_program(const fs::path& path, size_t mib) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    std::vector<char> chunk(1 << 20);
    std::mt19937 random(5);
    for (size_t i = 0; i < mib; ++i) {
        for (auto& c : chunk)
            c = static_cast<char>(random());
        if (i == 0) chunk[0] = 'M', chunk[1] = 'Z';
        file.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    }
}

std::string quote(const fs::path& path) {
    return "'" + path.string() + "'";
}

struct timing {
    double seconds = 1e30;
    long peak_kib = 0;
};

// Wall time of a shell command (best of the runs). The peak memory is the
// first line of its output when numeric (the --op runs), else what
// /usr/bin/time wrote into rss.txt.
void time_command(const std::string& command, const fs::path& scratch, timing* best) {
    std::system("sync");
    fs::remove(scratch / "rss.txt");
    const auto start = std::chrono::steady_clock::now();
    const int rc = std::system(("{ " + command + "; } >" + quote(scratch / "out.txt")).c_str());
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (rc != 0) {
        std::fprintf(stderr, "failed: %s\n", command.c_str());
        std::exit(1);
    }
    best->seconds = std::min(best->seconds, seconds);
    long kib = 0;
    std::ifstream out(scratch / "out.txt");
    std::ifstream rss(scratch / "rss.txt");
    if ((out >> kib) || (rss >> kib)) best->peak_kib = std::max(best->peak_kib, kib);
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::string(argv[1]) == "--op")
        return run_operation(argv[2], argv[3], argv[4]);

    const char* tmp = std::getenv("TMPDIR");
    const fs::path folder =
        fs::path(argc > 1 ? argv[1] : (tmp && *tmp ? tmp : "/tmp")) / "qor_bench_io";
    const size_t mib = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 1024;
    fs::create_directories(folder);
    const fs::path program = folder / "program.exe", copy = folder / "copy.exe",
                   package = folder / "program.qpa", extracted = folder / "extracted.exe";
    make_program(program, mib);
    const std::string self = quote(fs::read_symlink("/proc/self/exe"));
    const bool have_time = fs::exists("/usr/bin/time");

    const std::string measured =
        have_time ? "/usr/bin/time -f %M -o " + quote(folder / "rss.txt") + " " : "";
    const std::string cp_command =
        measured + "cp --reflink=never " + quote(program) + " " + quote(copy);

    timing cp, cp_sync, convert, verify, extract;
    for (int round = 0; round < kRounds; ++round) {
        time_command(cp_command, folder, &cp);
        fs::remove(copy);
        time_command(cp_command + " && sync " + quote(copy), folder, &cp_sync);
        fs::remove(copy);
        fs::remove(package);
        time_command(measured + quote(QOR_DORVANE_PATH) + " " + quote(program) + " " +
                         quote(package),
                     folder, &convert);
        time_command(self + " --op verify " + quote(package) + " -", folder, &verify);
        time_command(self + " --op extract " + quote(package) + " " + quote(extracted), folder,
                     &extract);
        fs::remove(extracted);
    }
    std::printf("%zu MiB program, best of %d runs, file system: ", mib, kRounds);
    std::fflush(stdout);
    std::system(("findmnt -n -o FSTYPE -T " + quote(folder)).c_str());
    std::printf("%-10s %9s %9s %11s %12s\n", "", "seconds", "x cp", "x cp+sync", "peak RSS");
    for (const auto& [name, t] : {std::pair<const char*, timing>{"cp", cp},
                                  {"cp + sync", cp_sync},
                                  {"dorvane", convert},
                                  {"verify", verify},
                                  {"extract", extract}})
        std::printf("%-10s %9.3f %9.2f %11.2f %9ld KiB\n", name, t.seconds, t.seconds / cp.seconds,
                    t.seconds / cp_sync.seconds, t.peak_kib);
    fs::remove_all(folder);
    return 0;
}
