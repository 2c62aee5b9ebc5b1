// Write failures made on purpose, for the tests of the history export: a disk
// that fills up after a few bytes and a folder in which no file can be made.
// Both undo themselves when they go out of scope.
#pragma once

#include <csignal>

#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

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
    explicit ProtectedFolder(const QString& path) : path_(path) {
        permissions_ = QFile::permissions(path_);
        QFile::setPermissions(path_, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                         QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
        if (accepts_new_files()) overriding_set_aside_ = set_overriding(false);
        holds_ = !accepts_new_files();
    }
    ~ProtectedFolder() {
        if (overriding_set_aside_) set_overriding(true);
        QFile::setPermissions(path_, permissions_);
    }
    ProtectedFolder(const ProtectedFolder&) = delete;
    ProtectedFolder& operator=(const ProtectedFolder&) = delete;

    bool holds() const { return holds_; }

private:
    bool accepts_new_files() const {
        QFile probe(QDir(path_).filePath(QStringLiteral(".probe")));
        if (!probe.open(QIODevice::WriteOnly)) return false;
        probe.close();
        probe.remove();
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

    QString path_;
    QFile::Permissions permissions_;
    bool overriding_set_aside_ = false;
    bool holds_ = false;
};

}  // namespace quorvel::testing
