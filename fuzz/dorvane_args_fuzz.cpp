// dorvane's command line from arbitrary argument vectors: the input bytes
// split at NUL bytes are argv[0..]. Parsing never reads outside the vector,
// and what it reports points into the arguments it was given.
#include "dorvane/command_line.h"

#include <qoros/qor_package.h>

#include "fuzz_scratch.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

using qor::fuzz::require;

namespace {

bool points_into(const char* text, const std::vector<char*>& argv) {
    for (char* arg : argv)
        if (text >= arg && text <= arg + std::strlen(arg)) return true;
    return false;
}

bool is_default_or_argument(const char* text, const char* fallback,
                            const std::vector<char*>& argv) {
    return (text != nullptr && std::strcmp(text, fallback) == 0) || points_into(text, argv);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Every argument in its own heap block, so a read past one is reported.
    std::vector<std::vector<char>> storage(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            storage.back().push_back('\0');
            storage.emplace_back();
        } else {
            storage.back().push_back(static_cast<char>(data[i]));
        }
    }
    storage.back().push_back('\0');
    std::vector<char*> argv;
    for (auto& arg : storage)
        argv.push_back(arg.data());
    const int argc = static_cast<int>(argv.size());
    argv.push_back(nullptr);

    dorvane::options opts;
    const bool parsed = dorvane::parse_command_line(argc, argv.data(), &opts);
    argv.pop_back();
    require(parsed == (argc >= 3));
    if (!parsed) return 0;
    require(opts.input == argv[1] && opts.output == argv[2]);
    require(opts.name != nullptr && points_into(opts.name, argv));
    require(is_default_or_argument(opts.version, dorvane::options{}.version, argv));
    require(is_default_or_argument(opts.author, dorvane::options{}.author, argv));
    require(is_default_or_argument(opts.description, dorvane::options{}.description, argv));
    require(is_default_or_argument(opts.category, dorvane::options{}.category, argv));
    require(opts.icon == nullptr || points_into(opts.icon, argv));
    require((opts.flags & ~(QPA_FLAG_GUI | QPA_FLAG_MDRIVE | QPA_FLAG_ADMIN)) == 0);
    // The name taken from a path follows its last '\', else its last '/'
    // (so "a\\b/c" keeps "b/c": the backslash rule wins).
    const char* derived = dorvane::name_from_path(opts.input);
    require(std::strchr(derived, '\\') == nullptr);
    if (std::strchr(opts.input, '\\') == nullptr) require(std::strchr(derived, '/') == nullptr);
    return 0;
}
