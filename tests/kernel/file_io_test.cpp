// Kernel file I/O: reads, writes and folder listings against real files.
#include "support/scratch.h"

#include <qoros/qor_io.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using qor::test::fresh_folder;
using qor::test::read_bytes;
using qor::test::write_bytes;

namespace {

std::vector<std::string> take_names(char** names, int32_t count) {
    std::vector<std::string> out;
    for (int32_t i = 0; i < count; ++i) {
        out.emplace_back(names[i]);
        qor_free(names[i]);
    }
    std::sort(out.begin(), out.end());
    return out;
}

TEST(KernelIoRead, ReadsAShortFileWhole) {
    const fs::path file = fresh_folder() / "ten.bin";
    write_bytes(file, "0123456789");
    char buffer[100] = {};
    uint64_t got = 99;
    EXPECT_EQ(qor_kernel_io_read(file.string().c_str(), buffer, sizeof buffer, &got), QOR_OK);
    EXPECT_EQ(got, 10u);
    EXPECT_EQ(std::string(buffer, 10), "0123456789");
}

TEST(KernelIoRead, ReadsALongFileInPart) {
    const fs::path file = fresh_folder() / "ten.bin";
    write_bytes(file, "0123456789");
    char buffer[4] = {};
    uint64_t got = 0;
    EXPECT_EQ(qor_kernel_io_read(file.string().c_str(), buffer, sizeof buffer, &got), QOR_OK);
    EXPECT_EQ(got, 4u);
    EXPECT_EQ(std::string(buffer, 4), "0123");
    EXPECT_EQ(qor_kernel_io_read(file.string().c_str(), buffer, sizeof buffer, nullptr), QOR_OK);
}

TEST(KernelIoRead, FailuresReportIoError) {
    const fs::path folder = fresh_folder();
    char buffer[8];
    uint64_t got = 99;
    EXPECT_EQ(qor_kernel_io_read((folder / "missing").string().c_str(), buffer, 8, &got),
              QOR_ERR_IO);
    EXPECT_EQ(got, 0u);

    got = 99;
    EXPECT_EQ(qor_kernel_io_read(folder.string().c_str(), buffer, 8, &got), QOR_ERR_IO)
        << "a folder";
    EXPECT_EQ(got, 0u);

    got = 99;
    EXPECT_EQ(qor_kernel_io_read(nullptr, buffer, 8, &got), QOR_ERR_IO);
    EXPECT_EQ(qor_kernel_io_read(folder.string().c_str(), nullptr, 8, &got), QOR_ERR_IO);
    EXPECT_EQ(got, 99u) << "absent arguments leave the count alone";
}

TEST(KernelIoRead, NegativeSizeIsRefusedBeforeOpening) {
    const fs::path file = fresh_folder() / "data";
    write_bytes(file, "abc");
    char buffer[8];
    uint64_t got = 99;
    EXPECT_EQ(qor_kernel_io_read(file.string().c_str(), buffer, -1, &got), QOR_ERR_IO);
    EXPECT_EQ(got, 99u);
}

TEST(KernelIoWrite, ReplacesTheWholeFile) {
    const fs::path file = fresh_folder() / "fifty";
    write_bytes(file, std::string(50, 'x'));
    uint64_t written = 0;
    EXPECT_EQ(qor_kernel_io_write(file.string().c_str(), "hello", 5, &written), QOR_OK);
    EXPECT_EQ(written, 5u);
    EXPECT_EQ(read_bytes(file), "hello");
}

TEST(KernelIoWrite, CreatesANewFileAndAcceptsZeroBytes) {
    const fs::path folder = fresh_folder();
    EXPECT_EQ(qor_kernel_io_write((folder / "new").string().c_str(), "ab", 2, nullptr), QOR_OK);
    EXPECT_EQ(read_bytes(folder / "new"), "ab");
    EXPECT_EQ(qor_kernel_io_write((folder / "empty").string().c_str(), "", 0, nullptr), QOR_OK);
    EXPECT_TRUE(fs::exists(folder / "empty"));
    EXPECT_EQ(fs::file_size(folder / "empty"), 0u);
}

TEST(KernelIoWrite, FailuresReportIoErrorAndKeepExistingFiles) {
    const fs::path folder = fresh_folder();
    uint64_t written = 99;
    EXPECT_EQ(qor_kernel_io_write((folder / "no" / "such").string().c_str(), "a", 1, &written),
              QOR_ERR_IO);
    EXPECT_EQ(written, 0u);

    const fs::path file = folder / "keep";
    write_bytes(file, "precious");
    written = 99;
    EXPECT_EQ(qor_kernel_io_write(file.string().c_str(), "a", -5, &written), QOR_ERR_IO);
    EXPECT_EQ(written, 99u);
    EXPECT_EQ(read_bytes(file), "precious") << "a negative size must not truncate the file";
    EXPECT_EQ(qor_kernel_io_write(nullptr, "a", 1, nullptr), QOR_ERR_IO);
    EXPECT_EQ(qor_kernel_io_write(file.string().c_str(), nullptr, 1, nullptr), QOR_ERR_IO);
    EXPECT_EQ(read_bytes(file), "precious");
}

class KernelIoListDir : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = fresh_folder();
        write_bytes(folder / "a.txt", "1");
        write_bytes(folder / ".hidden", "2");
        fs::create_directory(folder / "sub");
    }
    fs::path folder;
    char* names[10] = {};
    int32_t count = -1;
};

TEST_F(KernelIoListDir, ListsFilesFoldersAndHiddenEntriesButNotDots) {
    ASSERT_EQ(qor_kernel_io_list_dir(folder.string().c_str(), names, 10, &count), QOR_OK);
    EXPECT_EQ(take_names(names, count), (std::vector<std::string>{".hidden", "a.txt", "sub"}));
}

TEST_F(KernelIoListDir, StopsAtCapacity) {
    ASSERT_EQ(qor_kernel_io_list_dir(folder.string().c_str(), names, 2, &count), QOR_OK);
    EXPECT_EQ(count, 2);
    take_names(names, count);
    ASSERT_EQ(qor_kernel_io_list_dir(folder.string().c_str(), names, 0, &count), QOR_OK);
    EXPECT_EQ(count, 0);
}

TEST_F(KernelIoListDir, TrailingSeparatorListsTheSameFolder) {
    const std::string with_slash = folder.string() + "/";
    ASSERT_EQ(qor_kernel_io_list_dir(with_slash.c_str(), names, 10, &count), QOR_OK);
    EXPECT_EQ(count, 3);
    take_names(names, count);
}

TEST_F(KernelIoListDir, EmptyPathListsTheCurrentFolder) {
    const fs::path previous = fs::current_path();
    fs::current_path(folder);
    const int result = qor_kernel_io_list_dir("", names, 10, &count);
    fs::current_path(previous);
    ASSERT_EQ(result, QOR_OK);
    EXPECT_EQ(take_names(names, count), (std::vector<std::string>{".hidden", "a.txt", "sub"}));
}

TEST_F(KernelIoListDir, MissingFolderAndAbsentArgumentsFail) {
    EXPECT_EQ(qor_kernel_io_list_dir((folder / "none").string().c_str(), names, 10, &count),
              QOR_ERR_IO);
    EXPECT_EQ(count, 0);
    count = 7;
    EXPECT_EQ(qor_kernel_io_list_dir(nullptr, names, 10, &count), QOR_ERR_IO);
    EXPECT_EQ(count, 7) << "nothing written for absent arguments";
    EXPECT_EQ(qor_kernel_io_list_dir(folder.string().c_str(), nullptr, 10, &count), QOR_ERR_IO);
    EXPECT_EQ(qor_kernel_io_list_dir(folder.string().c_str(), names, 10, nullptr), QOR_ERR_IO);
}

TEST(KernelIoListDirLength, Accepts256CharactersAndRefuses257) {
    const fs::path base = fresh_folder();
    const size_t pad = 256 - base.string().size() - 1;
    ASSERT_LE(pad, 255u) << "scratch path too short for this test";
    ASSERT_GE(pad, 1u) << "scratch path too long for this test";
    const fs::path deep = base / std::string(pad, 'd');
    fs::create_directory(deep);
    write_bytes(deep / "f", "x");
    ASSERT_EQ(deep.string().size(), 256u);

    char* names[4] = {};
    int32_t count = -1;
    ASSERT_EQ(qor_kernel_io_list_dir(deep.string().c_str(), names, 4, &count), QOR_OK);
    EXPECT_EQ(take_names(names, count), (std::vector<std::string>{"f"}));

    const std::string too_long = deep.string() + "/";
    count = 5;
    EXPECT_EQ(qor_kernel_io_list_dir(too_long.c_str(), names, 4, &count), QOR_ERR_IO);
    EXPECT_EQ(count, 0);
}

} // namespace
