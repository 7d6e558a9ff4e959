// Kernel file I/O: reads, writes and folder listings against real files.
#include "support/scratch.h"

#include <qoros/qor_io.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using qor::test::read_bytes;
using qor::test::write_bytes;

namespace {

class KernelIo : public ::testing::Test {
  protected:
    void SetUp() override { folder = qor::test::fresh_folder(); }

    // Lists path and returns the sorted names (freed), or "error <code>".
    static std::vector<std::string> list(const fs::path& path, uint32_t capacity = 10) {
        char* names[10] = {};
        int32_t count = -1;
        const int code = qor_kernel_io_list_dir(path.string().c_str(), names, capacity, &count);
        if (code != QOR_OK)
            return {"error " + std::to_string(code) + " count " + std::to_string(count)};
        std::vector<std::string> out(names, names + count);
        for (int32_t i = 0; i < count; ++i)
            qor_free(names[i]);
        std::sort(out.begin(), out.end());
        return out;
    }

    fs::path folder;
};

TEST_F(KernelIo, ReadTakesUpToTheBufferSizeFromTheStart) {
    const std::string file = (folder / "ten").string();
    write_bytes(file, "0123456789");
    char buffer[100] = {};
    uint64_t got = 99;
    EXPECT_EQ(qor_kernel_io_read(file.c_str(), buffer, sizeof buffer, &got), QOR_OK);
    EXPECT_EQ(std::string(buffer, got), "0123456789");
    EXPECT_EQ(qor_kernel_io_read(file.c_str(), buffer, 4, &got), QOR_OK);
    EXPECT_EQ(got, 4u);
    EXPECT_EQ(qor_kernel_io_read(file.c_str(), buffer, 4, nullptr), QOR_OK);
}

TEST_F(KernelIo, ReadFailuresReportIoError) {
    write_bytes(folder / "data", "abc");
    char buffer[8];
    for (const fs::path& path : {folder / "missing", folder}) {
        uint64_t got = 99;
        EXPECT_EQ(qor_kernel_io_read(path.string().c_str(), buffer, 8, &got), QOR_ERR_IO) << path;
        EXPECT_EQ(got, 0u) << path;
    }
    // Refused before opening: the count is left alone.
    uint64_t got = 99;
    EXPECT_EQ(qor_kernel_io_read((folder / "data").string().c_str(), buffer, -1, &got), QOR_ERR_IO);
    EXPECT_EQ(qor_kernel_io_read(nullptr, buffer, 8, &got), QOR_ERR_IO);
    EXPECT_EQ(got, 99u);
}

TEST_F(KernelIo, WriteReplacesOrCreatesTheWholeFile) {
    write_bytes(folder / "fifty", std::string(50, 'x'));
    uint64_t written = 0;
    EXPECT_EQ(qor_kernel_io_write((folder / "fifty").string().c_str(), "hello", 5, &written),
              QOR_OK);
    EXPECT_EQ(written, 5u);
    EXPECT_EQ(read_bytes(folder / "fifty"), "hello");
    EXPECT_EQ(qor_kernel_io_write((folder / "empty").string().c_str(), "", 0, nullptr), QOR_OK);
    EXPECT_TRUE(fs::exists(folder / "empty"));
    EXPECT_EQ(fs::file_size(folder / "empty"), 0u);
}

TEST_F(KernelIo, WriteFailuresReportIoErrorAndKeepExistingFiles) {
    uint64_t written = 99;
    EXPECT_EQ(qor_kernel_io_write((folder / "no" / "such").string().c_str(), "a", 1, &written),
              QOR_ERR_IO);
    EXPECT_EQ(written, 0u);

    const fs::path file = folder / "keep";
    write_bytes(file, "precious");
    written = 99;
    EXPECT_EQ(qor_kernel_io_write(file.string().c_str(), "a", -5, &written), QOR_ERR_IO);
    EXPECT_EQ(written, 99u);
    EXPECT_EQ(qor_kernel_io_write(file.string().c_str(), nullptr, 1, nullptr), QOR_ERR_IO);
    EXPECT_EQ(read_bytes(file), "precious") << "a refused write must not truncate the file";
}

TEST_F(KernelIo, ListDirNamesEverythingButDotsUpToCapacity) {
    write_bytes(folder / "a.txt", "1");
    write_bytes(folder / ".hidden", "2");
    fs::create_directory(folder / "sub");
    const std::vector<std::string> all = {".hidden", "a.txt", "sub"};
    EXPECT_EQ(list(folder), all);
    EXPECT_EQ(list(folder.string() + "/"), all) << "no second separator is added";
    EXPECT_EQ(list(folder, 2).size(), 2u);
    EXPECT_TRUE(list(folder, 0).empty());

    const fs::path previous = fs::current_path();
    fs::current_path(folder);
    EXPECT_EQ(list(""), all) << "empty path is the current folder";
    fs::current_path(previous);

    EXPECT_EQ(list(folder / "none"), std::vector<std::string>{"error -4 count 0"});
    int32_t count = 7;
    char* names[1];
    EXPECT_EQ(qor_kernel_io_list_dir(nullptr, names, 1, &count), QOR_ERR_IO);
    EXPECT_EQ(count, 7) << "nothing written for absent arguments";
}

TEST_F(KernelIo, ListDirAccepts256CharactersAndRefuses257) {
    const size_t pad = 256 - folder.string().size() - 1;
    ASSERT_GE(pad, 1u) << "scratch path too long for this test";
    ASSERT_LE(pad, 255u) << "scratch path too short for this test";
    const fs::path deep = folder / std::string(pad, 'd');
    fs::create_directory(deep);
    write_bytes(deep / "f", "x");
    ASSERT_EQ(deep.string().size(), 256u);
    EXPECT_EQ(list(deep), std::vector<std::string>{"f"});
    EXPECT_EQ(list(deep.string() + "/"), std::vector<std::string>{"error -4 count 0"});
}

} // namespace
