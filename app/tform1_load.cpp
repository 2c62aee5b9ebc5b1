// The window's keys, its context menu and the loading of a spin file by the
// menu, the keyboard or a file dropped on the window.
#include "app/tform1.hpp"

#include <QContextMenuEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QProgressDialog>
#include <QShortcut>
#include <QStandardPaths>

#include "app/lab_window.hpp"
#include "app/settings_panel.hpp"
#include "app/spin_loader.hpp"
#include "play/session.hpp"

namespace quorvel {

namespace {

const QKeySequence kSaveKey(Qt::CTRL | Qt::Key_S);
const QKeySequence kUndoKey(Qt::CTRL | Qt::Key_Z);
const QKeySequence kLoadKey(Qt::CTRL | Qt::Key_O);
const QKeySequence kLabKey(Qt::CTRL | Qt::Key_L);

// Lets the window's undo key through a number field that would take it as its
// own text undo.
class UndoKeyPassage : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride &&
            static_cast<QKeyEvent*>(event)->keyCombination() == kUndoKey[0]) {
            return true;  // not taken: the window's shortcut runs
        }
        return QObject::eventFilter(watched, event);
    }
};

// The one local file of a drop, or nothing when the drop is not exactly one.
QString dropped_file(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls()) return {};
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) return {};
    return urls.front().toLocalFile();
}

}  // namespace

void TForm1::create_keys() {
    const auto add_key = [this](const QKeySequence& key, auto handler) {
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, handler);
    };
    add_key(kSaveKey, &TForm1::SpeedButton42Click);
    add_key(kUndoKey, &TForm1::undo_key);
    add_key(kLoadKey, &TForm1::ask_and_load_spins);
    add_key(kLabKey, &TForm1::open_lab);
    // The focus sink is a number field: left alone it would take Ctrl+Z as
    // its own text undo, change its value and so reset the bet.
    QWidget* focus_sink = settings_->focus_sink();
    focus_sink->installEventFilter(new UndoKeyPassage(focus_sink));
}

// The key does what a click on the undo button does, and only while it is shown.
void TForm1::undo_key() {
    if (game_.table.undo_offered) UndoClick();
}

void TForm1::contextMenuEvent(QContextMenuEvent* event) {
    // The header and the table; the settings below keep their own menus.
    if (event->pos().y() >= ui_.Label_Point1->y()) {
        QWidget::contextMenuEvent(event);
        return;
    }
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("TableMenu"));
    QAction* load =
        menu.addAction(QStringLiteral("Load spins…"), this, &TForm1::ask_and_load_spins);
    load->setShortcut(kLoadKey);
    QAction* lab = menu.addAction(QStringLiteral("Lab…"), this, &TForm1::open_lab);
    lab->setShortcut(kLabKey);
    menu.addSeparator();
    QAction* save =
        menu.addAction(QStringLiteral("Save the numbers…"), this, &TForm1::SpeedButton42Click);
    save->setShortcut(kSaveKey);
    QAction* undo = menu.addAction(QStringLiteral("Undo"), this, &TForm1::undo_key);
    undo->setShortcut(kUndoKey);
    undo->setEnabled(game_.table.undo_offered);
    menu.exec(event->globalPos());
    event->accept();
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    if (!loading() && !dropped_file(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
    const QString file_name = dropped_file(event->mimeData());
    if (file_name.isEmpty()) return;
    event->acceptProposedAction();
    load_spins(file_name);
}

void TForm1::set_load_file_chooser(FileChooser chooser) {
    choose_load_file_ = std::move(chooser);
}

void TForm1::ask_and_load_spins() {
    const QString file_name = choose_load_file_ ? choose_load_file_() : ask_spin_file();
    if (!file_name.isEmpty()) load_spins(file_name);
}

QString TForm1::ask_spin_file() {
    if (load_folder_.isEmpty()) load_folder_ = export_folder_;
    if (load_folder_.isEmpty() || !QDir(load_folder_).exists()) {
        load_folder_ = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    }
    if (!QDir(load_folder_).exists()) load_folder_ = QDir::homePath();
    QFileDialog dialog(this, QStringLiteral("Load spins"), load_folder_);
    dialog.setObjectName(QStringLiteral("OpenDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(
        {QStringLiteral("Spin files (*.txt *.csv)"), QStringLiteral("All files (*)")});
    if (dialog.exec() != QDialog::Accepted) return {};
    const QString file_name = dialog.selectedFiles().value(0);
    if (!file_name.isEmpty()) load_folder_ = QFileInfo(file_name).absolutePath();
    return file_name;
}

// The window takes no input while the copy of the game is played: a click on
// the live game meanwhile would be lost when the copy takes its place. The
// progress bar shows itself only for a load that takes a moment.
void TForm1::load_spins(const QString& file_name) {
    if (loading()) return;
    loader_ = new SpinLoader(QDir::toNativeSeparators(file_name), game_, session_log_, this);
    setEnabled(false);

    load_progress_ = new QProgressDialog(this);
    load_progress_->setObjectName(QStringLiteral("LoadProgress"));
    load_progress_->setWindowTitle(QStringLiteral("Load spins"));
    load_progress_->setLabelText(
        QStringLiteral("Playing the spins of %1…").arg(QFileInfo(file_name).fileName()));
    load_progress_->setWindowModality(Qt::WindowModal);
    load_progress_->setAutoReset(false);
    load_progress_->setAutoClose(false);
    load_progress_->setMinimumDuration(300);
    load_progress_->setRange(0, 0);
    connect(load_progress_, &QProgressDialog::canceled, loader_, &SpinLoader::cancel);

    connect(loader_, &SpinLoader::started, this, [this](qint64 total) {
        load_progress_->setRange(0, static_cast<int>(std::min<qint64>(total, INT_MAX)));
    });
    connect(loader_, &SpinLoader::progress, this, [this](qint64 done) {
        load_progress_->setValue(static_cast<int>(std::min<qint64>(done, INT_MAX)));
    });
    connect(loader_, &SpinLoader::loaded, this, [this] {
        game_ = std::move(loader_->game());
        session_log_ = std::move(loader_->log());
        load_ended();
        refresh();
        emit sessionChanged();
        emit loadFinished();
    });
    connect(loader_, &SpinLoader::refused, this, [this](const QString& reason) {
        load_ended();
        report(QStringLiteral("The spins could not be loaded; the game is unchanged.\n\n%1")
                   .arg(reason));
        emit loadFinished();
    });
    connect(loader_, &SpinLoader::cancelled, this, [this] {
        load_ended();
        emit loadFinished();
    });
    loader_->start();
}

void TForm1::load_ended() {
    // The loader goes once its last signal has been handled.
    loader_->deleteLater();
    loader_ = nullptr;
    load_progress_->deleteLater();
    load_progress_ = nullptr;
    setEnabled(true);
    settings_->park_focus();
}

void TForm1::open_lab() {
    if (!lab_) {
        lab_ = std::make_unique<LabWindow>(game_, session_log_);
        connect(this, &TForm1::sessionChanged, lab_.get(), &LabWindow::session_changed);
    }
    // A minimised lab comes back as it was, maximised or not.
    lab_->setWindowState(lab_->windowState() & ~Qt::WindowMinimized);
    lab_->show();
    lab_->raise();
    lab_->activateWindow();
}

}  // namespace quorvel
