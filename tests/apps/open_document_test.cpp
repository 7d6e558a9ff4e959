// The host's document opener starts xdg-open detached with the path as its
// only argument. A stand-in xdg-open on PATH records what it was given.
#include "host/host_open_document.h"
#include "support/scratch.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <thread>

namespace {

// Waits for the detached program to leave its record (no timing is asserted;
// the wait only bounds a broken run).
std::string wait_for_file(const std::filesystem::path& path) {
    for (int i = 0; i < 500 && !std::filesystem::exists(path); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return qor::test::read_bytes(path);
}

class OpenDocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        bin = qor::test::fresh_folder("bin");
        record = bin / "opened.txt";
        const std::filesystem::path fake = bin / "xdg-open";
        qor::test::write_bytes(fake, "#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" > '" +
                                         record.string() + ".part'\nmv '" + record.string() +
                                         ".part' '" + record.string() + "'\n");
        std::filesystem::permissions(fake, std::filesystem::perms::owner_all);
        const char* path = std::getenv("PATH");
        saved_path = path ? path : "";
        setenv("PATH", (bin.string() + ":" + saved_path).c_str(), 1);
    }
    void TearDown() override { setenv("PATH", saved_path.c_str(), 1); }

    std::filesystem::path bin, record;
    std::string saved_path;
};

TEST_F(OpenDocumentTest, StartsXdgOpenWithThePath) {
    qor::host::open_document("/some where/letter.pdf");
    EXPECT_EQ(wait_for_file(record), "1|/some where/letter.pdf");
}

std::string g_recorded;

TEST_F(OpenDocumentTest, TestOpenerReplacesTheHostsAndCanBeRestored) {
    qor::host::set_document_opener([](const char* path) { g_recorded = path; });
    qor::host::open_document("/a.txt");
    EXPECT_EQ(g_recorded, "/a.txt");
    qor::host::set_document_opener(nullptr);
    qor::host::open_document("/b.txt");
    EXPECT_EQ(g_recorded, "/a.txt");
    EXPECT_EQ(wait_for_file(record), "1|/b.txt");
}

TEST_F(OpenDocumentTest, EmptyOrMissingPathOpensNothing) {
    g_recorded = "none";
    qor::host::set_document_opener([](const char* path) { g_recorded = path; });
    qor::host::open_document("");
    qor::host::open_document(nullptr);
    qor::host::set_document_opener(nullptr);
    EXPECT_EQ(g_recorded, "none");
}

} // namespace
