// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lab/save_file.hpp"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <random>
#include <streambuf>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel {

namespace {

// Links followed before the path counts as a loop, as the system counts them.
constexpr int kMaxLinks = 40;

SaveTarget refused(int error) {
    SaveTarget target;
    target.error = std::strerror(error);
    return target;
}

std::string folder_of(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string name_in_folder(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The folder's own path, with every link in it followed; empty with errno set
// when there is no such folder.
std::string real_folder(const std::string& path) {
    char* real = ::realpath(folder_of(path).c_str(), nullptr);
    if (real == nullptr) return {};
    std::string folder(real);
    std::free(real);
    return folder;
}

bool is_process_folder(const std::string& folder) {
    return folder.rfind("/proc/", 0) == 0;
}

// Whether this process, as it stands (its effective user and rights), may
// do that to the file.
bool may(const std::string& path, int what) {
    return ::faccessat(AT_FDCWD, path.c_str(), what, AT_EACCESS) == 0;
}

std::string joined(const std::string& folder, const std::string& name) {
    return folder == "/" ? "/" + name : folder + "/" + name;
}

SaveTarget new_file(const std::string& path) {
    const std::string name = name_in_folder(path);
    if (name.empty()) return refused(EISDIR);
    const std::string folder = real_folder(path);
    if (folder.empty()) return refused(errno);
    // A descriptor's folder under /proc takes no new names: what is missing
    // there is a closed descriptor (/dev/stdout of a program run with its
    // output closed).
    if (is_process_folder(folder)) return refused(ENOENT);
    if (!may(folder, W_OK | X_OK)) return refused(errno);
    SaveTarget target;
    target.path = joined(folder, name);
    return target;
}

SaveTarget existing(const std::string& path, const struct stat& status) {
    if (S_ISDIR(status.st_mode)) return refused(EISDIR);
    if (!may(path, W_OK)) return refused(errno);
    SaveTarget target;
    target.path = path;
    if (!S_ISREG(status.st_mode)) {
        target.way = SaveTarget::Way::Stream;
        return target;
    }
    // The administrator passes the check above for any file; a file nobody
    // may write is still not replaced behind its owner's back.
    if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return refused(EACCES);
    target.way = SaveTarget::Way::Replace;
    target.mode = status.st_mode & 07777;
    target.owner = status.st_uid;
    target.group = status.st_gid;
    return target;
}

// Collects the text for a descriptor and writes it in large pieces, keeping
// the system's reason for the first write that fails.
class DescriptorBuffer : public std::streambuf {
public:
    explicit DescriptorBuffer(int descriptor) : descriptor_(descriptor) {
        setp(buffer_, buffer_ + sizeof buffer_);
    }
    int error() const { return error_; }

protected:
    int_type overflow(int_type c) override {
        if (!drain()) return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override { return drain() ? 0 : -1; }

private:
    bool drain() {
        const char* next = pbase();
        while (error_ == 0 && next < pptr()) {
            const ssize_t written =
                ::write(descriptor_, next, static_cast<std::size_t>(pptr() - next));
            if (written >= 0) {
                next += written;
            } else if (errno != EINTR) {
                error_ = errno;
            }
        }
        setp(buffer_, buffer_ + sizeof buffer_);
        return error_ == 0;
    }

    int descriptor_;
    int error_ = 0;
    char buffer_[1 << 16];
};

// Writes the text into the open descriptor and closes it; returns the
// system's error, or 0. A file's bytes are on the disk before it counts as
// written.
int fill(int descriptor, const std::function<void(std::ostream&)>& write, bool to_disk) {
    int error = 0;
    {
        DescriptorBuffer buffer(descriptor);
        std::ostream out(&buffer);
        write(out);
        out.flush();
        error = buffer.error();
        // The text itself could not be made.
        if (error == 0 && !out) error = EIO;
    }
    if (error == 0 && to_disk && ::fsync(descriptor) != 0) error = errno;
    if (::close(descriptor) != 0 && error == 0) error = errno;
    return error;
}

// A new file beside `path`, hidden, made with the permissions a new file gets
// here; returns the system's error, or 0 with its name and descriptor.
int make_temporary_beside(const std::string& path, std::string& name, int& descriptor) {
    static std::atomic<unsigned> made{0};
    std::random_device entropy;
    const std::string stem = joined(folder_of(path), "." + name_in_folder(path) + ".");
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = stem + std::to_string(entropy() ^ made++);
        descriptor = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0) return 0;
        if (errno != EEXIST) return errno;
    }
    return EEXIST;
}

// Puts the complete new file in place. A new name stays new: should anything
// have appeared under it meanwhile (a link, say), that is not replaced.
int move_into_place(const std::string& temporary, const SaveTarget& target) {
    if (target.way == SaveTarget::Way::NewFile) {
        if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.path.c_str(),
                        RENAME_NOREPLACE) == 0)
            return 0;
        // A file system that cannot promise that is renamed onto as usual.
        if (errno != EINVAL && errno != ENOSYS) return errno;
    }
    return std::rename(temporary.c_str(), target.path.c_str()) == 0 ? 0 : errno;
}

}  // namespace

SaveTarget save_target(const std::string& path) {
    if (path.empty()) return refused(ENOENT);
    std::string current = path;
    for (int links = 0;; ++links) {
        if (links > kMaxLinks) return refused(ELOOP);
        struct stat status {};
        if (::lstat(current.c_str(), &status) != 0) {
            if (errno != ENOENT) return refused(errno);
            return new_file(current);
        }
        if (!S_ISLNK(status.st_mode)) return existing(current, status);
        const std::string folder = real_folder(current);
        if (folder.empty()) return refused(errno);
        // The links under /proc name a process's open files (/dev/stdout and
        // /dev/fd/N lead there); a pipe shows as "pipe:[…]", which is no path.
        // The link itself is what gets opened, and a closed descriptor is
        // refused here.
        if (is_process_folder(folder)) {
            if (::stat(current.c_str(), &status) != 0) return refused(errno);
            SaveTarget target = existing(current, status);
            if (target.ok()) target.way = SaveTarget::Way::Stream;
            return target;
        }
        char to[PATH_MAX];
        const ssize_t length = ::readlink(current.c_str(), to, sizeof to);
        if (length < 0) return refused(errno);
        if (static_cast<std::size_t>(length) >= sizeof to) return refused(ENAMETOOLONG);
        const std::string next(to, static_cast<std::size_t>(length));
        current = next.front() == '/' ? next : joined(folder, next);
    }
}

void keep_owner_and_mode(int descriptor, const SaveTarget& target) {
    if (target.way != SaveTarget::Way::Replace) return;
    // Only an administrator may give a file away; anyone else keeps the
    // file as their own, which is what it was. A change of owner clears the
    // set-user bits, so the permissions come after it.
    [[maybe_unused]] const int ignored = ::fchown(descriptor, target.owner, target.group);
    ::fchmod(descriptor, target.mode);
}

std::string check_save(const std::string& path) {
    const SaveTarget target = save_target(path);
    return target.ok() ? std::string() : path + ": cannot write (" + target.error + ")";
}

std::string save_file(const std::string& path, const std::function<void(std::ostream&)>& write) {
    const auto failed = [&path](int error) {
        return path + ": cannot write (" + std::strerror(error) + ")";
    };
    const SaveTarget target = save_target(path);
    if (!target.ok()) return path + ": cannot write (" + target.error + ")";

    if (target.way == SaveTarget::Way::Stream) {
        const int descriptor =
            ::open(target.path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOCTTY);
        if (descriptor < 0) return failed(errno);
        const int error = fill(descriptor, write, false);
        return error == 0 ? std::string() : failed(error);
    }

    std::string temporary;
    int descriptor = -1;
    if (const int error = make_temporary_beside(target.path, temporary, descriptor); error != 0) {
        // A folder that takes no new file: an existing file that may be
        // changed is written in place, and only then can a failure cut it.
        if (target.way != SaveTarget::Way::Replace || (error != EACCES && error != EPERM))
            return failed(error);
        descriptor = ::open(target.path.c_str(), O_WRONLY | O_TRUNC | O_NOFOLLOW | O_CLOEXEC);
        if (descriptor < 0) return failed(errno);
        const int written = fill(descriptor, write, true);
        return written == 0 ? std::string() : failed(written);
    }
    keep_owner_and_mode(descriptor, target);
    int error = fill(descriptor, write, true);
    if (error == 0) error = move_into_place(temporary, target);
    if (error != 0) {
        ::unlink(temporary.c_str());
        return failed(error);
    }
    return {};
}

}  // namespace quorvel
