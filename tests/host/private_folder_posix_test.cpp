// Private folders on Linux: which folders pass the check, where the state
// and an installed program's bootsys tree go for each environment, and which
// program folders count as system folders.
#include "host/host_private_folders.h"
#include "host/host_system_folders.h"
#include "support/scratch.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace qor::test {
namespace {

namespace fs = std::filesystem;
using host::folder_state;

// Sets (or, with nullopt, removes) environment variables for one scope.
class environment_scope {
  public:
    void set(const char* name, std::optional<std::string> value) {
        if (const char* old = std::getenv(name))
            saved_.emplace_back(name, std::string(old));
        else
            saved_.emplace_back(name, std::nullopt);
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }
    ~environment_scope() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->second)
                setenv(it->first.c_str(), it->second->c_str(), 1);
            else
                unsetenv(it->first.c_str());
        }
    }

  private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

mode_t mode_of(const fs::path& path) {
    struct stat st {};
    lstat(path.c_str(), &st);
    return st.st_mode;
}

TEST(PrivateFolder, OnlyARealFolderOfThisUsersThatNobodyElseWritesIsUsed) {
    const fs::path dir = fresh_folder();
    fs::create_directory(dir / "elsewhere");
    struct row {
        const char* name;
        void (*prepare)(const fs::path& path, const fs::path& dir);
        folder_state expected;
        bool needs_root;
    };
    const row rows[] = {
        {"missing", [](const fs::path&, const fs::path&) {}, folder_state::usable, false},
        {"own 0755", [](const fs::path& p, const fs::path&) { mkdir(p.c_str(), 0755); },
         folder_state::usable, false},
        {"group-writable",
         [](const fs::path& p, const fs::path&) {
             mkdir(p.c_str(), 0700);
             chmod(p.c_str(), 0770);
         },
         folder_state::open_to_others, false},
        {"world-writable sticky",
         [](const fs::path& p, const fs::path&) {
             mkdir(p.c_str(), 0700);
             chmod(p.c_str(), 01777);
         },
         folder_state::open_to_others, false},
        {"link to a folder",
         [](const fs::path& p, const fs::path& d) { fs::create_symlink(d / "elsewhere", p); },
         folder_state::link, false},
        {"dangling link",
         [](const fs::path& p, const fs::path& d) { fs::create_symlink(d / "nowhere", p); },
         folder_state::link, false},
        {"file", [](const fs::path& p, const fs::path&) { write_bytes(p, "x"); },
         folder_state::not_a_folder, false},
        {"fifo", [](const fs::path& p, const fs::path&) { mkfifo(p.c_str(), 0600); },
         folder_state::not_a_folder, false},
        {"parent missing", [](const fs::path&, const fs::path&) {}, folder_state::cannot_create,
         false},
        {"another user's",
         [](const fs::path& p, const fs::path&) {
             mkdir(p.c_str(), 0700);
             EXPECT_EQ(chown(p.c_str(), 4242, 4242), 0);
         },
         folder_state::foreign_owner, true},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.name);
        if (r.needs_root && geteuid() != 0) continue; // only root can give a folder away
        const fs::path path =
            std::string(r.name) == "parent missing" ? dir / "absent" / "folder" : dir / r.name;
        r.prepare(path, dir);
        const mode_t before = mode_of(path);
        EXPECT_EQ(host::make_private_folder(path.c_str()), r.expected);
        if (r.expected == folder_state::usable) {
            EXPECT_TRUE(S_ISDIR(mode_of(path)));
            EXPECT_EQ(mode_of(path) & 022, 0u);
            EXPECT_EQ(host::private_folder_problem(path, r.expected), "");
        } else {
            EXPECT_EQ(mode_of(path), before) << "a refused folder is left as it was";
            EXPECT_NE(host::private_folder_problem(path, r.expected).find(path.string() + ": "),
                      std::string::npos);
        }
    }
    EXPECT_EQ(mode_of(dir / "missing") & 0777, 0700u) << "new folders are private";
    EXPECT_TRUE(fs::is_empty(dir / "elsewhere"));
}

TEST(PrivateFolder, StateGoesToTmpdirElseTheXdgStateFolderAndNeverToTmp) {
    const fs::path dir = fresh_folder();
    const std::string home = (dir / "home").string();
    const std::string state = (dir / "state").string();
    fs::create_directories(dir / "linked" / "qoros");
    fs::create_directories(dir / "spoiled");
    fs::create_symlink(dir / "linked" / "qoros", dir / "spoiled" / "qoros");
    struct row {
        const char* name;
        std::optional<std::string> tmpdir, xdg, home;
        std::string expected; // empty: none, with a problem naming TMPDIR
    };
    const row rows[] = {
        {"TMPDIR", "/chosen/tmp", state, home, "/chosen/tmp/"},
        {"XDG_STATE_HOME", std::nullopt, state, home, state + "/qoros/"},
        {"empty TMPDIR", "", state, home, state + "/qoros/"},
        {"HOME", std::nullopt, std::nullopt, home, home + "/.local/state/qoros/"},
        {"relative XDG_STATE_HOME", std::nullopt, "rel", home, home + "/.local/state/qoros/"},
        {"no HOME", std::nullopt, std::nullopt, std::nullopt, ""},
        {"relative HOME", std::nullopt, std::nullopt, "home", ""},
        {"qoros is a link", std::nullopt, (dir / "spoiled").string(), home, ""},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.name);
        environment_scope env;
        env.set("TMPDIR", r.tmpdir);
        env.set("XDG_STATE_HOME", r.xdg);
        env.set("HOME", r.home);
        const host::user_folder chosen = host::private_temp_folder();
        EXPECT_EQ(chosen.path, r.expected);
        EXPECT_EQ(host::temp_folder(), r.expected);
        EXPECT_EQ(chosen.problem.empty(), !r.expected.empty()) << chosen.problem;
        if (!r.expected.empty() && r.expected.rfind("/chosen", 0) != 0) {
            EXPECT_EQ(mode_of(r.expected) & 0777, 0700u);
        }
    }
    environment_scope env;
    env.set("TMPDIR", std::nullopt);
    env.set("XDG_STATE_HOME", std::nullopt);
    env.set("HOME", std::nullopt);
    EXPECT_NE(host::private_temp_folder().problem.find("set TMPDIR"), std::string::npos);
    EXPECT_TRUE(fs::is_empty(dir / "linked" / "qoros"));
}

TEST(PrivateFolder, BootsysStaysBesideAProgramInAUsersFolderAndLeavesSystemFolders) {
    const fs::path dir = fresh_folder();
    const std::string data = (dir / "data").string();
    environment_scope env;
    env.set("XDG_DATA_HOME", data);
    struct row {
        std::string program_folder;
        std::string expected;
    };
    const std::vector<row> rows = {
        {(dir / "bin").string(), (dir / "bin").string() + "/"},
        {"/usr/bin", data + "/qoros/"},
        {"/usr/local/bin", data + "/qoros/"},
        {"/opt/qoros/bin", data + "/qoros/"},
        {"/etc", data + "/qoros/"},
    };
    fs::create_directory(dir / "bin");
    for (const row& r : rows) {
        SCOPED_TRACE(r.program_folder);
        const host::user_folder parent = host::bootsys_parent(r.program_folder);
        EXPECT_EQ(parent.path, r.expected);
        EXPECT_EQ(parent.private_tree, r.expected != r.program_folder + "/");
    }
    const auto system = host::protected_system_folders();
    for (const char* path : {"/usr", "/usr/lib/x86_64-linux-gnu", "/opt/x", "/etc/qoros"})
        EXPECT_TRUE(host::lies_under(path, system)) << path;
    for (const char* path : {"/usrx", "/optional/bin", "/home/u/.local/qoros/bin", "/", ""})
        EXPECT_FALSE(host::lies_under(path, system)) << path;
}

} // namespace
} // namespace qor::test
