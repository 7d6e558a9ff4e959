// Converting, verifying and extracting a large program, each beside `cp` of
// the same file in the same run. Every operation runs in its own process
// (this program started again with --op), so its peak resident memory
// (VmHWM) belongs to that operation alone.
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

long peak_rss_kib() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
    return -1;
}

int run_operation(const std::string& op, const char* in, const char* out) {
    int rc = -100;
    if (op == "convert") rc = qpa_convert_exe(in, out, "Bench", "1.0", 0, 0, 0, 0, 0);
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

// Wall time of a shell command (best of the runs); its stdout's first line,
// when numeric, is the peak memory.
void time_command(const std::string& command, const fs::path& scratch, timing* best) {
    std::system("sync");
    const auto start = std::chrono::steady_clock::now();
    const int rc = std::system((command + " >" + quote(scratch / "out.txt")).c_str());
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (rc != 0) {
        std::fprintf(stderr, "failed: %s\n", command.c_str());
        std::exit(1);
    }
    best->seconds = std::min(best->seconds, seconds);
    std::ifstream out(scratch / "out.txt");
    long kib = 0;
    if (out >> kib) best->peak_kib = std::max(best->peak_kib, kib);
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

    timing cp, convert, verify, extract;
    for (int round = 0; round < 3; ++round) {
        time_command((have_time ? "/usr/bin/time -f %M -o /dev/stdout cp " : "cp ") +
                         quote(program) + " " + quote(copy),
                     folder, &cp);
        fs::remove(copy);
        fs::remove(package);
        time_command(self + " --op convert " + quote(program) + " " + quote(package), folder,
                     &convert);
        time_command(self + " --op verify " + quote(package) + " -", folder, &verify);
        time_command(self + " --op extract " + quote(package) + " " + quote(extracted), folder,
                     &extract);
        fs::remove(extracted);
    }
    std::printf("%zu MiB program, best of 3 runs\n", mib);
    std::printf("%-8s %9s %9s %12s\n", "", "seconds", "x cp", "peak RSS");
    for (const auto& [name, t] : {std::pair<const char*, timing>{"cp", cp},
                                  {"convert", convert},
                                  {"verify", verify},
                                  {"extract", extract}})
        std::printf("%-8s %9.3f %9.2f %9ld KiB\n", name, t.seconds, t.seconds / cp.seconds,
                    t.peak_kib);
    fs::remove_all(folder);
    return 0;
}
