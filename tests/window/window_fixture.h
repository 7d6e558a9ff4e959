// The registry lives for the whole process: every test starts with it empty.
#pragma once

#include <qoros/qor_window.h>

#include <gtest/gtest.h>

#include <vector>

namespace qor::test {

inline std::vector<qor_window_info> list_windows(unsigned capacity = QOR_WINDOW_MAX) {
    std::vector<qor_window_info> windows(QOR_WINDOW_MAX);
    int count = -1;
    EXPECT_EQ(qor_window_list(windows.data(), capacity, &count), QOR_OK);
    windows.resize(static_cast<size_t>(count));
    return windows;
}

inline void destroy_all_windows() {
    for (const qor_window_info& window : list_windows())
        qor_window_destroy(window.id);
}

} // namespace qor::test
