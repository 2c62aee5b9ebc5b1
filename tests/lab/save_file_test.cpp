// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lab/save_file.hpp"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "write_faults.hpp"

namespace quorvel {
namespace {

namespace fs = std::filesystem;

std::string save(const std::string& path, const std::string& text) {
    return save_file(path, [&text](std::ostream& out) { out << text; });
}

class SaveFile : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = fs::path(::testing::TempDir()) /
                  ("save_file_" + std::string(test->name()) + "_" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string at(const std::string& name) const { return (folder_ / name).string(); }

    void put(const std::string& name, const std::string& text, mode_t mode) const {
        std::ofstream(at(name), std::ios::binary) << text;
        ::chmod(at(name).c_str(), mode);
    }

    std::string contents(const std::string& name) const {
        std::ifstream in(at(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    mode_t mode(const std::string& name) const {
        struct stat status {};
        ::stat(at(name).c_str(), &status);
        return status.st_mode & 07777;
    }

    bool is_link(const std::string& name) const {
        return fs::is_symlink(fs::symlink_status(folder_ / name));
    }

    std::set<std::string> names() const {
        std::set<std::string> found;
        for (const auto& entry : fs::recursive_directory_iterator(folder_))
            found.insert(entry.path().lexically_relative(folder_).string());
        return found;
    }

    fs::path folder_;
};

// What the command line does with --ledger PATH: check PATH before the run,
// then save. Each case names the path as a player would, the outcome, and
// what must hold afterwards; no case may leave a temporary file behind, and
// the check ahead of the run changes nothing.
TEST_F(SaveFile, FollowsLinksKeepsPermissionsAndRefusesWhatCannotBeWritten) {
    mode_t umask_now = ::umask(0);
    ::umask(umask_now);
    int pipe_ends[2] = {-1, -1};
    ASSERT_EQ(::pipe(pipe_ends), 0);
    ASSERT_EQ(::fcntl(pipe_ends[0], F_SETFL, O_NONBLOCK), 0);
    const int closed_descriptor = 900;
    ASSERT_EQ(::fcntl(closed_descriptor, F_GETFD), -1);
    const auto read_pipe = [&pipe_ends] {
        char received[64] = {};
        const ssize_t got = ::read(pipe_ends[0], received, sizeof received);
        return std::string(received, got > 0 ? static_cast<std::size_t>(got) : 0);
    };

    struct Case {
        const char* name;
        std::function<std::string()> arrange;  // returns the path saved to
        bool written;
        std::function<void(const std::string& error)> holds;
    };
    const std::vector<Case> cases{
        {"a new file gets the permissions of any new file", [&] { return at("new.csv"); }, true,
         [&](const std::string&) {
             EXPECT_EQ(contents("new.csv"), "new\n");
             EXPECT_EQ(mode("new.csv"), 0666 & ~umask_now);
         }},
        {"a replaced file keeps its permissions",
         [&] {
             put("private.csv", "old\n", 0600);
             return at("private.csv");
         },
         true,
         [&](const std::string&) {
             EXPECT_EQ(contents("private.csv"), "new\n");
             EXPECT_EQ(mode("private.csv"), 0600);
         }},
        {"a write-protected file is refused, even for the administrator",
         [&] {
             put("locked.csv", "old\n", 0444);
             return at("locked.csv");
         },
         false,
         [&](const std::string& error) {
             EXPECT_NE(error.find(std::strerror(EACCES)), std::string::npos) << error;
             EXPECT_EQ(contents("locked.csv"), "old\n");
             EXPECT_EQ(mode("locked.csv"), 0444);
         }},
        {"a link to a file replaces the file and stays a link",
         [&] {
             put("file.csv", "old\n", 0640);
             fs::create_symlink("file.csv", at("link.csv"));
             return at("link.csv");
         },
         true,
         [&](const std::string&) {
             EXPECT_TRUE(is_link("link.csv"));
             EXPECT_EQ(contents("file.csv"), "new\n");
             EXPECT_EQ(mode("file.csv"), 0640);
         }},
        {"a dangling link into a folder creates its target",
         [&] {
             fs::create_directory(at("there"));
             fs::create_symlink("there/target.csv", at("out.csv"));
             return at("out.csv");
         },
         true,
         [&](const std::string&) {
             EXPECT_TRUE(is_link("out.csv"));
             EXPECT_EQ(contents("there/target.csv"), "new\n");
         }},
        {"a dangling link into a missing folder is refused and stays",
         [&] {
             fs::create_symlink("missing/target.csv", at("out.csv"));
             return at("out.csv");
         },
         false,
         [&](const std::string& error) {
             EXPECT_NE(error.find(std::strerror(ENOENT)), std::string::npos) << error;
             EXPECT_TRUE(is_link("out.csv"));
             EXPECT_FALSE(fs::exists(folder_ / "missing"));
         }},
        {"a link to an open descriptor (as /dev/stdout into a pipe) is written into",
         [&] {
             fs::create_symlink("/proc/self/fd/" + std::to_string(pipe_ends[1]), at("stdout"));
             return at("stdout");
         },
         true,
         [&](const std::string&) {
             EXPECT_EQ(read_pipe(), "new\n");
             EXPECT_TRUE(is_link("stdout"));
         }},
        {"a link to a closed descriptor (/dev/stdout with the output closed) is refused",
         [&] {
             fs::create_symlink("/proc/self/fd/" + std::to_string(closed_descriptor), at("stdout"));
             return at("stdout");
         },
         false,
         [&](const std::string&) {
             EXPECT_TRUE(is_link("stdout"));
             EXPECT_EQ(::fcntl(closed_descriptor, F_GETFD), -1);
         }},
        {"a link to a named pipe is written into",
         [&] {
             ::mkfifo(at("pipe").c_str(), 0600);
             fs::create_symlink("pipe", at("pipe_link"));
             // A reader that does not wait for a writer; the bytes fit the pipe.
             const int reader = ::open(at("pipe").c_str(), O_RDONLY | O_NONBLOCK);
             ::dup2(reader, pipe_ends[0]);
             ::close(reader);
             return at("pipe_link");
         },
         true,
         [&](const std::string&) {
             EXPECT_EQ(read_pipe(), "new\n");
             EXPECT_TRUE(fs::is_fifo(fs::symlink_status(folder_ / "pipe")));
             EXPECT_TRUE(is_link("pipe_link"));
         }},
        {"a folder is refused",
         [&] {
             fs::create_directory(at("folder.csv"));
             return at("folder.csv");
         },
         false,
         [&](const std::string& error) {
             EXPECT_NE(error.find(std::strerror(EISDIR)), std::string::npos) << error;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = c.arrange();
        const std::set<std::string> before = names();
        EXPECT_EQ(check_save(path).empty(), c.written) << check_save(path);
        EXPECT_EQ(names(), before);
        const std::string error = save(path, "new\n");
        EXPECT_EQ(error.empty(), c.written) << error;
        if (!c.written) {
            EXPECT_EQ(error.rfind(path + ": cannot write (", 0), 0u) << error;
        }
        c.holds(error);
        for (const std::string& name : names())
            EXPECT_NE(name.front(), '.') << "left behind: " << name;
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    ::close(pipe_ends[0]);
    ::close(pipe_ends[1]);
}

// A full disk shows up while the text is written (more than a buffer of it)
// or only at the end (a few bytes); a text that cannot be made fails too.
// Either way the earlier file stays whole and the reason is the system's.
TEST_F(SaveFile, AFailedWriteKeepsTheEarlierFileWhole) {
    struct Case {
        const char* name;
        std::size_t bytes;
        bool disk_full;
        const char* reason;
    };
    for (const Case& c : {Case{"a disk full at the end", 9, true, std::strerror(EFBIG)},
                          Case{"a disk full midway", 1 << 20, true, std::strerror(EFBIG)},
                          Case{"a text that cannot be made", 9, false, std::strerror(EIO)}}) {
        SCOPED_TRACE(c.name);
        put("ledger.csv", "earlier\n", 0644);
        const auto write = [&c](std::ostream& out) {
            out << std::string(c.bytes, 'x');
            if (!c.disk_full) out.setstate(std::ios::badbit);
        };
        std::string error;
        if (c.disk_full) {
            const testing::DiskRoom room(4);
            ASSERT_TRUE(room.holds());
            error = save_file(at("ledger.csv"), write);
        } else {
            error = save_file(at("ledger.csv"), write);
        }
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
        EXPECT_EQ(contents("ledger.csv"), "earlier\n");
        EXPECT_EQ(names(), std::set<std::string>{"ledger.csv"});
    }
    if (::access("/dev/full", W_OK) == 0) {
        const std::string error = save("/dev/full", "new\n");
        EXPECT_NE(error.find(std::strerror(ENOSPC)), std::string::npos) << error;
        struct stat status {};
        ASSERT_EQ(::stat("/dev/full", &status), 0);
        EXPECT_TRUE(S_ISCHR(status.st_mode));
    }
}

// Where no new file can be made, an existing file is written in place and a
// new one is refused.
TEST_F(SaveFile, AFolderThatTakesNoNewFileIsWrittenInPlace) {
    put("ledger.csv", "earlier\n", 0600);
    std::string replaced;
    std::string created;
    {
        const testing::ProtectedFolder protection(folder_.string());
        if (!protection.holds()) GTEST_SKIP() << "this process may create files in any folder";
        replaced = save(at("ledger.csv"), "new\n");
        created = save(at("new.csv"), "new\n");
    }
    EXPECT_EQ(replaced, "");
    EXPECT_EQ(contents("ledger.csv"), "new\n");
    EXPECT_EQ(mode("ledger.csv"), 0600);
    EXPECT_NE(created.find(std::strerror(EACCES)), std::string::npos) << created;
    EXPECT_EQ(names(), std::set<std::string>{"ledger.csv"});
}

}  // namespace
}  // namespace quorvel
