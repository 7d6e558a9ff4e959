// Runs a private copy of the built Tarnwick: each copy has its own folder,
// so its bootsys tree and its temporary tree belong to this test alone.
#pragma once

#include "support/child_process.h"
#include "support/scratch.h"

#include <filesystem>
#include <string>
#include <vector>

namespace qor::test {

struct tarnwick_copy {
    std::filesystem::path folder; // holds the program and its bootsys tree
    std::filesystem::path temp;   // the TMPDIR it runs with

    std::filesystem::path program() const {
        return folder /
               ("Tarnwick" + std::filesystem::path(QOR_TARNWICK_PATH).extension().string());
    }
    std::filesystem::path system_log() const { return temp / "QorOS" / "Logs" / "system.log"; }
    // The temporary folder is TMPDIR on Linux, TMP on Windows. Console
    // lines come back ending in "\n" on both.
    run_result run(const std::vector<std::string>& args) const {
        run_result result = run_program(program().string(), args,
                                        {{"TMPDIR", temp.string()}, {"TMP", temp.string()}});
        result.out = console_text(result.out);
        result.err = console_text(result.err);
        return result;
    }
};

tarnwick_copy copy_tarnwick();

// Splits at "\n".
std::vector<std::string> lines_of(const std::string& text);

} // namespace qor::test
