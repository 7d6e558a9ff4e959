// Runs a private copy of the built Tarnwick: each copy has its own folder,
// so its bootsys tree and its temporary tree belong to this test alone.
#pragma once

#include "support/child_process.h"

#include <filesystem>
#include <string>
#include <vector>

namespace qor::test {

struct tarnwick_copy {
    std::filesystem::path folder; // holds the program and its bootsys tree
    std::filesystem::path temp;   // the TMPDIR it runs with

    std::filesystem::path program() const { return folder / "Tarnwick"; }
    std::filesystem::path system_log() const { return temp / "QorOS" / "Logs" / "system.log"; }
    run_result run(const std::vector<std::string>& args) const {
        return run_program(program().string(), args, {{"TMPDIR", temp.string()}});
    }
};

tarnwick_copy copy_tarnwick();

// Splits at "\n".
std::vector<std::string> lines_of(const std::string& text);

} // namespace qor::test
