// Starting programs from tests: run one to completion with its output
// captured, or start one in the background and stop it again.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace qor::test {

struct run_result {
    int exit_code = -1; // -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs program with args (argv[1..]) in the working folder `cwd` (empty: the
// test's own), with `env_overrides` set on top of the test's environment. A
// relative program path is found from `cwd`; the program sees it as given in
// argv[0]. On Windows a missing ".exe" is added to find the file.
run_result run_program(const std::string& program, const std::vector<std::string>& args,
                       const std::map<std::string, std::string>& env_overrides = {},
                       const std::string& cwd = "");

// A program running in the background.
struct background_program {
    int pid = 0;
    intptr_t native = 0; // the host's handle of the child (its pid on POSIX)
};
background_program start_background(const std::string& program,
                                    const std::vector<std::string>& args,
                                    const std::map<std::string, std::string>& env_overrides = {});
// Waits for it to end and returns its exit code (-1 when it was killed).
int wait_for(background_program* program);
// Kills it and collects it.
void stop(background_program* program);

} // namespace qor::test
