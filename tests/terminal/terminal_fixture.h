// A freshly initialised terminal in a scratch folder, with helpers to type
// and submit lines the way the desktop feeds them. terminal_init moves the
// process's current folder; every test puts it back.
#pragma once

#include "host/host_fs.h"
#include "host/host_keys.h"
#include "qoros/qor_terminal.h"
#include "support/scratch.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace qor::test {

using namespace qor::host::keys;

inline std::string current_folder() {
    std::string now;
    EXPECT_TRUE(host::current_folder(&now));
    return now;
}

class TerminalTest : public ::testing::Test {
  protected:
    void SetUp() override {
        process_folder_before = current_folder();
        home = fresh_folder("homet");
        terminal_init(&term, home.string().c_str());
    }
    void TearDown() override { host::change_folder(process_folder_before.c_str()); }

    void type(const std::string& text) {
        for (char c : text)
            terminal_process_char(&term, c);
    }
    // The "changed" flag the key reported.
    int key(unsigned code) {
        int changed = -1;
        terminal_process_key(&term, code, &changed);
        return changed;
    }
    void run(const std::string& line) {
        type(line);
        key(kKeyEnter);
    }

    std::vector<std::string> output() const {
        return {term.output, term.output + term.output_count};
    }
    // Lines added since the scroll-back held `before` lines.
    std::vector<std::string> output_since(int before) const {
        return {term.output + before, term.output + term.output_count};
    }
    std::vector<std::string> history() const {
        return {term.history, term.history + term.history_count};
    }

    std::string process_folder_before;
    std::filesystem::path home;
    terminal_state term{};
};

} // namespace qor::test
