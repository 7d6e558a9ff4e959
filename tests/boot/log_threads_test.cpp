#include "system_tree_fixture.h"

#include <thread>

// The first log call of several threads at once builds the tree once, and
// their lines come out whole.
TEST(SystemLogThreads, ConcurrentFirstUseAndLinesStayWhole) {
    constexpr int kThreads = 4, kLines = 200;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([t] {
            const std::string message = "线程" + std::to_string(t) + std::string(300, 'a' + t);
            for (int i = 0; i < kLines; ++i)
                qor_log_info(message.c_str());
        });
    for (auto& thread : threads)
        thread.join();

    const auto lines = qor::test::split_lines(qor::test::read_bytes(qor::test::log_file()));
    ASSERT_EQ(lines.size(), static_cast<size_t>(kThreads * kLines));
    for (const auto& line : lines) {
        const size_t at = line.find("线程");
        ASSERT_NE(at, std::string::npos) << line;
        const int t = line[at + 6] - '0';
        ASSERT_GE(t, 0);
        ASSERT_LT(t, kThreads);
        EXPECT_EQ(line.substr(at + 7), std::string(300, 'a' + t));
    }
}
