// Two users on one machine. Run as root, the test plays a second user (an
// unused numeric id, no account needed) with setpriv, and replays what such
// a user could do against the first one through a shared, world-writable
// folder like /tmp: links planted under QorOS's folder names, a tree of
// theirs to be adopted, a package planted for listing. Then both users boot
// Tarnwick without TMPDIR, each in a private state folder of their own.
#include "appfmt/package_fixtures.h"
#include "support/child_process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int kOtherUser = 4242;

// Every file and link beneath `root` with its content or target, except
// those beneath the `skipped` folders: what a run must not change.
std::map<std::string, std::string> snapshot(const fs::path& root,
                                            const std::vector<fs::path>& skipped) {
    std::map<std::string, std::string> files;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::end(it); ++it) {
        const fs::path& path = it->path();
        if (std::find(skipped.begin(), skipped.end(), path) != skipped.end()) {
            it.disable_recursion_pending();
            continue;
        }
        if (it->is_symlink())
            files[path.string()] = "-> " + fs::read_symlink(path).string();
        else if (it->is_regular_file())
            files[path.string()] = qor::test::read_bytes(path);
    }
    return files;
}

// The nearest folder above `path` that other users cannot pass through (a
// checkout below a private home or a 0700 temporary folder), or empty.
fs::path private_parent(const fs::path& path) {
    for (fs::path p = path.parent_path(); !p.empty() && p != p.root_path(); p = p.parent_path()) {
        struct stat info {};
        if (stat(p.c_str(), &info) != 0 || (info.st_mode & S_IXOTH) == 0) return p;
    }
    return {};
}

struct TwoUsers : ::testing::Test {
    fs::path scratch = qor::test::fresh_folder(); // world-readable, like a machine's /
    fs::path program = scratch / "bin" / "Tarnwick";
    fs::path shared = scratch / "shared"; // like /tmp
    fs::path victim = scratch / "victim";
    fs::path attacker = scratch / "attacker";
    fs::path victim_state = victim / ".local" / "state" / "qoros";
    // The state folder may change, and the font library keeps its cache.
    std::vector<fs::path> may_change = {victim_state, victim / ".cache"};

    void SetUp() override {
        if (geteuid() != 0) GTEST_SKIP() << "playing a second user needs root (setpriv)";
        const fs::path closed = private_parent(scratch);
        if (!closed.empty()) {
            GTEST_SKIP() << "the second user cannot reach the scratch folder through " << closed;
        }
        fs::permissions(scratch,
                        fs::perms::all & ~fs::perms::group_write & ~fs::perms::others_write);
        fs::create_directories(program.parent_path());
        fs::copy_file(QOR_TARNWICK_PATH, program);
        fs::create_directory(shared);
        fs::permissions(shared, fs::perms::all | fs::perms::sticky_bit);
        fs::create_directories(victim / "keep");
        fs::permissions(victim, fs::perms::owner_all);
        qor::test::write_bytes(victim / "diary.txt", "the victim's diary");
        for (const char* name : {"1", "2", "3"})
            qor::test::write_bytes(victim / "keep" / name, name);
        fs::create_directory(attacker);
        ASSERT_EQ(chown(attacker.c_str(), kOtherUser, kOtherUser), 0);
        fs::permissions(attacker, fs::perms::owner_all);
    }

    // A command run as the other user, with their own HOME and no TMPDIR.
    qor::test::run_result as_attacker(const std::vector<std::string>& command) {
        std::vector<std::string> args = {"-u",
                                         "TMPDIR",
                                         "HOME=" + attacker.string(),
                                         "setpriv",
                                         "--reuid=" + std::to_string(kOtherUser),
                                         "--regid=" + std::to_string(kOtherUser),
                                         "--clear-groups"};
        args.insert(args.end(), command.begin(), command.end());
        return qor::test::run_program("/usr/bin/env", args);
    }
    // Tarnwick --headless as the victim: with TMPDIR when given, else none.
    qor::test::run_result victim_boots(const std::string& tmpdir) {
        std::vector<std::string> args = {tmpdir.empty() ? "-u" : "TMPDIR=" + tmpdir};
        if (tmpdir.empty()) args.push_back("TMPDIR");
        args.insert(args.end(), {"HOME=" + victim.string(), program.string(), "--headless"});
        return qor::test::run_program("/usr/bin/env", args);
    }
};

TEST_F(TwoUsers, PlantedLinksAndForeignFoldersFailHarmlesslyAndBothUsersBoot) {
    // The other user's preparations in the shared folder.
    const std::string s = shared.string(), v = victim.string();
    const auto planted =
        as_attacker({"sh", "-c",
                     "umask 0 && mkdir -p " + s + "/QorOS/Logs " + s + "/QorOS/Apps && ln -s " + v +
                         "/diary.txt " + s + "/QorOS/Logs/system.log && ln -s " + v + "/keep " + s +
                         "/QorOS/Temp && : > " + s + "/QorOS/Apps/planted.qpa"});
    ASSERT_EQ(planted.exit_code, 0) << planted.err;
    qor::test::write_bytes(shared / "QorOS" / "Apps" / "planted.qpa",
                           qor::test::bare_package("Planted"));
    const auto before = snapshot(scratch, may_change);

    // Through the shared folder: the other user's tree is refused, boot stops.
    const auto refused = victim_boots(s);
    EXPECT_EQ(refused.exit_code, 1);
    EXPECT_NE(refused.err.find("QorOS will not use " + s + "/QorOS: it belongs to another user"),
              std::string::npos)
        << refused.err;

    // Without TMPDIR: a private state folder of the victim's own.
    const auto booted = victim_boots("");
    EXPECT_EQ(booted.exit_code, 0) << booted.err;
    EXPECT_NE(booted.out.find("发现 0 个已安装应用"), std::string::npos);
    EXPECT_TRUE(fs::is_regular_file(victim_state / "QorOS" / "Logs" / "system.log"));
    EXPECT_EQ(snapshot(scratch, may_change), before) << "nothing outside the state folder";

    // Folders of the victim's own tree spoiled: each refused with its message.
    const fs::path tree = victim_state / "QorOS";
    fs::remove_all(tree / "Logs");
    fs::create_directory_symlink(victim / "keep", tree / "Logs");
    fs::permissions(tree / "Temp", fs::perms::owner_all | fs::perms::group_all);
    ASSERT_EQ(chown((tree / "Apps").c_str(), kOtherUser, kOtherUser), 0);
    const auto spoiled = victim_boots("");
    EXPECT_EQ(spoiled.exit_code, 1);
    for (const char* message : {"/Logs: it is a symbolic link", "/Temp: other users may write",
                                "/Apps: it belongs to another user"})
        EXPECT_NE(spoiled.err.find(tree.string() + message), std::string::npos) << message;
    EXPECT_EQ(snapshot(scratch, may_change), before);

    // The other user boots too, with an installed program's bootsys tree in
    // their data folder: the program's folder is not theirs to write.
    const auto other = as_attacker({program.string(), "--headless"});
    EXPECT_EQ(other.exit_code, 0) << other.err;
    const fs::path their_bootsys = attacker / ".local" / "share" / "qoros" / "bootsys";
    EXPECT_NE(other.out.find("核心目录: " + their_bootsys.string() + "\n"), std::string::npos)
        << other.out;
    EXPECT_TRUE(fs::is_directory(their_bootsys / "homet" / "Desktop"));
    EXPECT_TRUE(fs::is_regular_file(attacker / ".local/state/qoros/QorOS/Logs/system.log"));
}

} // namespace
