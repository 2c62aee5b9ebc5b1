// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Write failures made on purpose, for the tests of the savers: a disk that
// fills up after a few bytes and a folder in which no file can be made. Both
// undo themselves when they go out of scope. Plain C++, so the engine's tests
// use them as well as the window's.
#pragma once

#include <csignal>
#include <string>

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace quorvel::testing {

// No file of this process grows past `room` bytes while it lives: a write
// beyond fails as on a full disk (with "File too large" instead of "No space
// left on device"), and the signal the system sends with it is ignored.
class DiskRoom {
public:
    explicit DiskRoom(rlim_t room) {
        getrlimit(RLIMIT_FSIZE, &before_);
        old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = before_;
        limited.rlim_cur = room;
        holds_ = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~DiskRoom() {
        setrlimit(RLIMIT_FSIZE, &before_);
        std::signal(SIGXFSZ, old_handler_);
    }
    DiskRoom(const DiskRoom&) = delete;
    DiskRoom& operator=(const DiskRoom&) = delete;

    bool holds() const { return holds_; }

private:
    rlimit before_{};
    void (*old_handler_)(int) = SIG_DFL;
    bool holds_ = false;
};

// A folder in which no file can be made or removed, while the files already in
// it can still be changed (their own permissions allowing): the folder's write
// permission is taken away. An administrator would write anyway, so this
// process also sets aside its right to override permissions while it lives.
class ProtectedFolder {
public:
    explicit ProtectedFolder(const std::string& path) : path_(path) {
        struct stat status {};
        if (::stat(path_.c_str(), &status) != 0) return;
        mode_ = status.st_mode & 07777;
        ::chmod(path_.c_str(), 0555);
        if (accepts_new_files()) overriding_set_aside_ = set_overriding(false);
        holds_ = !accepts_new_files();
    }
    ~ProtectedFolder() {
        if (overriding_set_aside_) set_overriding(true);
        if (mode_ != 0) ::chmod(path_.c_str(), mode_);
    }
    ProtectedFolder(const ProtectedFolder&) = delete;
    ProtectedFolder& operator=(const ProtectedFolder&) = delete;

    bool holds() const { return holds_; }

private:
    bool accepts_new_files() const {
        const std::string probe = path_ + "/.probe";
        const int descriptor = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        if (descriptor < 0) return false;
        ::close(descriptor);
        ::unlink(probe.c_str());
        return true;
    }

    // The capability stays permitted, so it can be taken up again.
    static bool set_overriding(bool on) {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct data[2]{};
        if (::syscall(SYS_capget, &header, data) != 0) return false;
        const unsigned bit = 1U << (CAP_DAC_OVERRIDE % 32);
        auto& effective = data[CAP_DAC_OVERRIDE / 32].effective;
        effective = on ? (effective | bit) : (effective & ~bit);
        return ::syscall(SYS_capset, &header, data) == 0;
    }

    std::string path_;
    mode_t mode_ = 0;
    bool overriding_set_aside_ = false;
    bool holds_ = false;
};

}  // namespace quorvel::testing
