// Terminal lines from arbitrary bytes, run inside a scratch folder tree.
// Each input is a sequence of records split at '\n': a record starting with
// 0x01 is typed key by key (bytes 1..7 pick the editing keys, the rest are
// characters), any other record is put into the input line as it is (bytes
// the keyboard could never type included) and run. After every step the
// state's texts stay terminated and its counters in range.
#include <qoros/qor_terminal.h>

#include "fuzz_scratch.h"

#include <cstdint>
#include <cstring>
#include <fstream>

using qor::fuzz::require;
using qor::fuzz::work_folder;

namespace {

const std::string& start_folder() {
    static const std::string folder = [] {
        const auto root = work_folder() / "home";
        std::filesystem::create_directories(root / "Documents" / "notes");
        std::filesystem::create_directories(root / "Pictures");
        std::ofstream(root / "readme.txt") << "hello\n";
        return root.string();
    }();
    return folder;
}

bool terminated(const char* text, size_t size) {
    return std::memchr(text, '\0', size) != nullptr;
}

void check_state(const terminal_state& t) {
    require(t.input_len >= 0 && t.input_len < TERMINAL_LINE_SIZE);
    require(std::strlen(t.input) == static_cast<size_t>(t.input_len));
    require(t.cursor >= 0 && t.cursor <= t.input_len);
    require(t.output_count >= 0 && t.output_count <= TERMINAL_OUTPUT_LINES);
    require(t.history_count >= 0 && t.history_count <= TERMINAL_HISTORY_LINES);
    require(t.history_index >= -1 && t.history_index < t.history_count);
    require(terminated(t.cwd, sizeof t.cwd));
    for (const auto& line : t.output)
        require(terminated(line, sizeof line));
    for (const auto& line : t.history)
        require(terminated(line, sizeof line));
}

constexpr unsigned kKeys[] = {8, 13, 35, 36, 37, 38, 39, 40};

void type_record(terminal_state* t, const uint8_t* p, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        if (p[i] < 8) {
            int changed = -1;
            terminal_process_key(t, kKeys[p[i]], &changed);
            require(changed == 0 || changed == 1);
        } else {
            terminal_process_char(t, p[i]);
        }
        check_state(*t);
    }
}

void run_raw_line(terminal_state* t, const uint8_t* p, size_t n) {
    const size_t kept = n < TERMINAL_LINE_SIZE - 1 ? n : TERMINAL_LINE_SIZE - 1;
    std::memcpy(t->input, p, kept);
    t->input[kept] = '\0';
    t->input_len = static_cast<int32_t>(std::strlen(t->input));
    t->cursor = t->input_len;
    terminal_execute(t);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const qor::fuzz::keep_current_folder back_afterwards;
    static terminal_state term;
    terminal_init(&term, start_folder().c_str());
    check_state(term);
    size_t start = 0;
    while (start <= size) {
        const uint8_t* end =
            static_cast<const uint8_t*>(std::memchr(data + start, '\n', size - start));
        const size_t n = end ? static_cast<size_t>(end - (data + start)) : size - start;
        if (n > 0 && data[start] == 0x01)
            type_record(&term, data + start + 1, n - 1);
        else
            run_raw_line(&term, data + start, n);
        check_state(term);
        require(terminal_get_output(&term) != nullptr);
        start += n + 1;
    }
    return 0;
}
