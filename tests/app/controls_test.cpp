// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The window's building blocks on their own: the colour helper, the picture,
// the spin edit, the gauge, the saver every export writes through and the
// application's guard against exceptions.
#include <cerrno>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "app/application.hpp"
#include "app/colours.hpp"
#include "app/widgets/gauge.hpp"
#include "app/widgets/overlay_button.hpp"
#include "app/widgets/save_file.hpp"
#include "app/widgets/spin_edit.hpp"
#include "app/widgets/svg_picture.hpp"
#include "write_faults.hpp"

namespace {

// Throws from its event handler, as a faulty handler of the window would.
class Thrower : public QObject {
public:
    enum class What { StdException, Other };
    explicit Thrower(What what) : what_(what) {}

protected:
    bool event(QEvent* event) override {
        if (event->type() != QEvent::User) return QObject::event(event);
        if (what_ == What::StdException) throw std::runtime_error("bankroll out of range");
        throw 42;
    }

private:
    What what_;
};

// Writes "numbers.txt" in the folder for a save to replace, and gives its
// name; an empty name when the folder or the file could not be made.
QString put_earlier(const QTemporaryDir& folder, const QByteArray& bytes) {
    if (!folder.isValid()) return {};
    const QString file_name = folder.filePath("numbers.txt");
    QFile file(file_name);
    const bool written =
        file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
    return written ? file_name : QString();
}

}  // namespace

class ControlsTest : public QObject {
    Q_OBJECT

private slots:
    void colours_are_read_as_blue_green_red_data() {
        QTest::addColumn<int>("bgr");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("dark red") << 128 << QColor(128, 0, 0);
        QTest::newRow("dark green") << 32768 << QColor(0, 128, 0);
        QTest::newRow("near black") << 1644825 << QColor(25, 25, 25);
        QTest::newRow("blue") << 0xFF0000 << QColor(0, 0, 255);
        QTest::newRow("bankroll yellow") << 457184 << QColor(224, 249, 6);
        QTest::newRow("gauge bar") << 127407 << QColor(175, 241, 1);
    }

    void colours_are_read_as_blue_green_red() {
        QFETCH(int, bgr);
        QFETCH(QColor, colour);
        QCOMPARE(quorvel::colour_from_bgr(bgr), colour);
    }

    void a_picture_clicks_only_when_released_over_it() {
        quorvel::SvgPicture picture(QStringLiteral(":/assets/close_0.svg"));
        picture.resize(25, 25);
        QVERIFY(picture.has_picture());
        QVERIFY(picture.hasMouseTracking());
        QSignalSpy pressed(&picture, &quorvel::SvgPicture::pressed);
        QSignalSpy released(&picture, &quorvel::SvgPicture::released);
        QSignalSpy clicked(&picture, &quorvel::SvgPicture::clicked);

        QTest::mouseClick(&picture, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(pressed.size(), 1);

        QTest::mousePress(&picture, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseRelease(&picture, Qt::LeftButton, {}, QPoint(40, 10));
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(released.size(), 2);

        QTest::mouseClick(&picture, Qt::RightButton, {}, QPoint(10, 10));
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(pressed.size(), 2);
    }

    void a_picture_without_a_file_draws_nothing_but_reports_moves() {
        quorvel::SvgPicture surface{QString()};
        surface.resize(40, 20);
        QVERIFY(!surface.has_picture());
        QSignalSpy moved(&surface, &quorvel::SvgPicture::pointerMoved);
        QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), surface.mapToGlobal(QPointF(5, 5)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&surface, &move);
        QCOMPARE(moved.size(), 1);
    }

    void a_spin_edit_has_no_entry_while_empty() {
        quorvel::SpinEdit edit(1, 1000);
        edit.setValue(250);
        QSignalSpy changed(&edit, &quorvel::SpinEdit::entryChanged);
        auto* line = edit.findChild<QLineEdit*>();
        QVERIFY(line != nullptr);

        line->selectAll();
        QTest::keyClick(line, Qt::Key_Backspace);
        QCOMPARE(edit.entry(), std::nullopt);
        QVERIFY(!changed.isEmpty());
        QCOMPARE(changed.last().at(0).value<std::optional<int>>(), std::nullopt);

        QTest::keyClicks(line, "37");
        QCOMPARE(edit.entry(), std::optional<int>(37));
        QCOMPARE(changed.last().at(0).value<std::optional<int>>(), std::optional<int>(37));

        // Out of range is not accepted: the field keeps its last number.
        QTest::keyClicks(line, "0000");
        QCOMPARE(edit.entry(), std::optional<int>(370));

        edit.setValue(5);
        QCOMPARE(changed.last().at(0).value<std::optional<int>>(), std::optional<int>(5));
    }

    void a_gauge_keeps_its_progress_in_range_data() {
        QTest::addColumn<int>("set");
        QTest::addColumn<int>("shown");
        QTest::newRow("inside") << 42 << 42;
        QTest::newRow("full") << 100 << 100;
        QTest::newRow("beyond") << 150 << 100;
        QTest::newRow("below") << -4 << 0;
    }

    void a_gauge_keeps_its_progress_in_range() {
        QFETCH(int, set);
        QFETCH(int, shown);
        quorvel::Gauge gauge(Qt::green, Qt::black);
        gauge.set_progress(set);
        QCOMPARE(gauge.progress(), shown);
    }

    // The gauge repaints only the part of the bar that moved; what the screen
    // shows after a run of steps, up and back, is the bar drawn whole.
    // At rest the button lets the picture under it show unchanged; held down
    // it shows its look over its own cell, and lets go of it on release.
    void an_overlay_button_draws_only_while_held() {
        QWidget picture;
        picture.resize(60, 60);
        QPalette background = picture.palette();
        background.setColor(QPalette::Window, QColor(0, 100, 0));
        picture.setPalette(background);
        picture.setAutoFillBackground(true);
        quorvel::OverlayButton button(&picture);
        button.setGeometry(10, 10, 33, 33);
        button.setMouseTracking(true);
        button.setStyleSheet(
            QStringLiteral("QPushButton { background: transparent; border: none; }"
                           "QPushButton:pressed { background-color: rgba(0, 0, 0, 70); }"));
        picture.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picture));
        const auto drawn = [&picture] { return picture.grab().toImage(); };
        const QImage bare = [&] {
            button.hide();
            const QImage image = drawn();
            button.show();
            return image;
        }();

        QCOMPARE(drawn(), bare);
        button.setDown(true);
        const QImage held = drawn();
        QVERIFY(held != bare);
        QCOMPARE(held.pixelColor(5, 5), bare.pixelColor(5, 5));
        button.setDown(false);
        QCOMPARE(drawn(), bare);
    }

    void a_gauge_on_screen_shows_its_progress_after_every_step() {
        quorvel::Gauge gauge(Qt::green, Qt::black);
        gauge.setWindowFlags(Qt::FramelessWindowHint);  // the screen shows the gauge alone
        gauge.setGeometry(100, 100, 521, 5);
        gauge.show();
        QVERIFY(QTest::qWaitForWindowExposed(&gauge));
        const auto on_screen = [&gauge] {
            QCoreApplication::processEvents();
            return QGuiApplication::primaryScreen()
                ->grabWindow(gauge.winId())
                .toImage()
                .convertToFormat(QImage::Format_RGB32);
        };
        const auto drawn_whole = [&gauge] {
            return gauge.grab().toImage().convertToFormat(QImage::Format_RGB32);
        };
        for (int progress : {2, 4, 37, 38, 100, 0, 64, 63, 1}) {
            gauge.set_progress(progress);
            QCOMPARE(on_screen(), drawn_whole());
        }
        gauge.set_maximum(7);
        QCOMPARE(on_screen(), drawn_whole());
        QCOMPARE(drawn_whole().pixelColor(520, 2), QColor(Qt::black));
        QVERIFY(drawn_whole().pixelColor(0, 2).green() > 0);
    }

    void the_saver_replaces_an_earlier_file_whole() {
        QTemporaryDir folder;
        const QString file_name = put_earlier(folder, "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n");
        QVERIFY(!file_name.isEmpty());
        QFile earlier(file_name);

        QCOMPARE(quorvel::save_file(file_name, "36\r\n"), std::nullopt);
        QVERIFY(earlier.open(QIODevice::ReadOnly));
        QCOMPARE(earlier.readAll(), QByteArray("36\r\n"));
        earlier.close();

        QCOMPARE(quorvel::save_file(file_name, std::string()), std::nullopt);
        QCOMPARE(QFileInfo(file_name).size(), 0);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"numbers.txt"});
    }

    // The bytes reach the disk at the flush: a short history fails only there,
    // a long one already while it is written.
    void a_save_that_finds_the_disk_full_keeps_the_earlier_file_data() {
        QTest::addColumn<int>("numbers");
        QTest::newRow("a few numbers") << 3;
        QTest::newRow("more than the write buffer holds") << 10000;
    }

    void a_save_that_finds_the_disk_full_keeps_the_earlier_file() {
        QFETCH(int, numbers);
        QTemporaryDir folder;
        const QByteArray earlier_bytes("17\r\n4\r\n");
        const QString file_name = put_earlier(folder, earlier_bytes);
        QVERIFY(!file_name.isEmpty());
        QFile earlier(file_name);
        std::string history;
        for (int k = 0; k < numbers; ++k)
            history += std::to_string(k % 37) + "\r\n";

        std::optional<QString> error;
        {
            const quorvel::testing::DiskRoom room(4);
            QVERIFY(room.holds());
            error = quorvel::save_file(file_name, history);
        }
        QVERIFY(error.has_value());
        QCOMPARE(*error, qt_error_string(EFBIG));
        QVERIFY(earlier.open(QIODevice::ReadOnly));
        QCOMPARE(earlier.readAll(), earlier_bytes);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"numbers.txt"});
    }

    void a_save_in_a_folder_that_takes_no_new_file_is_written_in_place() {
        QTemporaryDir folder;
        const QString file_name = put_earlier(folder, "1\r\n2\r\n3\r\n");
        QVERIFY(!file_name.isEmpty());
        QFile earlier(file_name);

        std::optional<QString> replaced;
        std::optional<QString> created;
        {
            const quorvel::testing::ProtectedFolder protection(folder.path().toStdString());
            if (!protection.holds()) QSKIP("this process may create files in any folder here");
            replaced = quorvel::save_file(file_name, "36\r\n");
            created = quorvel::save_file(folder.filePath("new.txt"), "36\r\n");
        }
        QCOMPARE(replaced, std::nullopt);
        QVERIFY(earlier.open(QIODevice::ReadOnly));
        QCOMPARE(earlier.readAll(), QByteArray("36\r\n"));
        QVERIFY(created.has_value());
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"numbers.txt"});
    }

    // The window's saver keeps the command line's rules for links and
    // permissions; besides, a pipe nobody reads is refused at once, where
    // waiting for a reader would hold the window up.
    void the_saver_follows_links_keeps_permissions_and_refuses_what_cannot_be_written() {
        int pipe_ends[2] = {-1, -1};
        QCOMPARE(::pipe(pipe_ends), 0);
        QCOMPARE(::fcntl(pipe_ends[0], F_SETFL, O_NONBLOCK), 0);
        const auto mode_of = [](const QString& file_name) {
            struct stat status {};
            ::stat(QFile::encodeName(file_name).constData(), &status);
            return status.st_mode & 07777;
        };
        const auto put = [&mode_of](const QString& file_name, mode_t mode) {
            QFile file(file_name);
            file.open(QIODevice::WriteOnly);
            file.write("old\n");
            file.close();
            ::chmod(QFile::encodeName(file_name).constData(), mode);
            return mode_of(file_name) == mode;
        };
        const auto link = [](const QString& target, const QString& name) {
            return QFile::link(target, name);
        };
        const auto contents = [](const QString& file_name) {
            QFile file(file_name);
            file.open(QIODevice::ReadOnly);
            return file.readAll();
        };
        struct Case {
            const char* name;
            std::function<bool(const QDir&)> arrange;  // saves to "out.csv"
            int error;                                 // 0 when written
            std::function<bool(const QDir&)> holds;
        };
        const std::vector<Case> cases{
            {"a link to a 600 file replaces the file and stays a link",
             [&](const QDir& dir) {
                 return put(dir.filePath("file.csv"), 0600) &&
                        link("file.csv", dir.filePath("out.csv"));
             },
             0,
             [&](const QDir& dir) {
                 return QFileInfo(dir.filePath("out.csv")).isSymLink() &&
                        contents(dir.filePath("file.csv")) == "new\n" &&
                        mode_of(dir.filePath("file.csv")) == 0600;
             }},
            {"a dangling link into a missing folder is refused and stays",
             [&](const QDir& dir) { return link("missing/target.csv", dir.filePath("out.csv")); },
             ENOENT,
             [&](const QDir& dir) {
                 return QFileInfo(dir.filePath("out.csv")).isSymLink() &&
                        !QFileInfo::exists(dir.filePath("missing"));
             }},
            {"a write-protected file is refused",
             [&](const QDir& dir) { return put(dir.filePath("out.csv"), 0444); }, EACCES,
             [&](const QDir& dir) { return contents(dir.filePath("out.csv")) == "old\n"; }},
            {"a link to an open descriptor (as /dev/stdout into a pipe) is written into",
             [&](const QDir& dir) {
                 return link(QStringLiteral("/proc/self/fd/%1").arg(pipe_ends[1]),
                             dir.filePath("out.csv"));
             },
             0,
             [&](const QDir& dir) {
                 char received[16] = {};
                 const ssize_t got = ::read(pipe_ends[0], received, sizeof received);
                 return got == 4 && QByteArray(received) == "new\n" &&
                        QFileInfo(dir.filePath("out.csv")).isSymLink();
             }},
            {"a named pipe nobody reads is refused at once",
             [&](const QDir& dir) {
                 return ::mkfifo(QFile::encodeName(dir.filePath("out.csv")).constData(), 0600) == 0;
             },
             ENXIO, [&](const QDir&) { return true; }},
        };
        for (const Case& c : cases) {
            QTemporaryDir folder;
            QVERIFY(folder.isValid());
            const QDir dir(folder.path());
            QVERIFY2(c.arrange(dir), c.name);
            const std::optional<QString> error =
                quorvel::save_file(dir.filePath("out.csv"), "new\n");
            QVERIFY2(error.has_value() == (c.error != 0), c.name);
            if (error) QVERIFY2(*error == qt_error_string(c.error), qPrintable(*error));
            QVERIFY2(c.holds(dir), c.name);
            const QStringList left =
                dir.entryList(QDir::Hidden | QDir::Files | QDir::System | QDir::NoDotAndDotDot);
            for (const QString& name : left)
                QVERIFY2(!name.startsWith('.'), qPrintable(name));
        }
        ::close(pipe_ends[0]);
        ::close(pipe_ends[1]);

        // A full disk never reports success, and the device stays a device.
        if (QFileInfo("/dev/full").isWritable()) {
            QCOMPARE(quorvel::save_file(QStringLiteral("/dev/full"), "36\r\n"),
                     qt_error_string(ENOSPC));
            struct stat status {};
            QCOMPARE(::stat("/dev/full", &status), 0);
            QVERIFY(S_ISCHR(status.st_mode));
        }
    }

    void an_exception_in_a_handler_is_reported_and_the_program_goes_on_data() {
        QTest::addColumn<int>("what");
        QTest::addColumn<QString>("message");
        QTest::newRow("std::exception")
            << int(Thrower::What::StdException) << "bankroll out of range";
        QTest::newRow("anything else") << int(Thrower::What::Other) << QString();
    }

    void an_exception_in_a_handler_is_reported_and_the_program_goes_on() {
        QFETCH(int, what);
        QFETCH(QString, message);
        auto* application = qobject_cast<quorvel::Application*>(QCoreApplication::instance());
        QVERIFY(application != nullptr);
        QStringList reported;
        application->set_exception_reporter([&](const QString& text) { reported << text; });

        Thrower thrower(static_cast<Thrower::What>(what));
        QEvent event(QEvent::User);
        QCoreApplication::sendEvent(&thrower, &event);
        QCOMPARE(reported, QStringList{message});

        // Delivery goes on as before.
        QCoreApplication::sendEvent(&thrower, &event);
        QCOMPARE(reported.size(), 2);
        application->set_exception_reporter(nullptr);
    }
};

int main(int argc, char** argv) {
    quorvel::Application application(argc, argv);
    ControlsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "controls_test.moc"
