// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The window's context menu and the loading of a spin file by the menu, the
// keyboard or a file dropped on the window.
#include "app/tform1.hpp"

#include <QContextMenuEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QProgressDialog>

#include "app/file_dialogs.hpp"
#include "app/lab_window.hpp"
#include "app/settings_panel.hpp"
#include "app/spin_loader.hpp"
#include "app/window_menu.hpp"
#include "lab/shown_text.hpp"
#include "play/session.hpp"

namespace quorvel {

namespace {

// The one local file of a drop, or nothing when the drop is not exactly one.
QString dropped_file(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls()) return {};
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) return {};
    return urls.front().toLocalFile();
}

}  // namespace

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
    menu_->exec(event->globalPos(), game_.table.undo_offered);
    event->accept();
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    if (!loading() && !dropped_file(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

// A session file dropped on the window is opened as a session; any other
// file is a spin file.
void TForm1::dropEvent(QDropEvent* event) {
    const QString file_name = dropped_file(event->mimeData());
    if (file_name.isEmpty()) return;
    event->acceptProposedAction();
    if (file_name.endsWith(QLatin1String(".quorvel"), Qt::CaseInsensitive)) {
        open_session(file_name);
    } else {
        load_spins(file_name);
    }
}

void TForm1::set_load_file_chooser(FileChooser chooser) {
    choose_load_file_ = std::move(chooser);
}

void TForm1::ask_and_load_spins() {
    const QString file_name =
        choose_load_file_ ? choose_load_file_() : ask_spin_file(this, load_folder_, export_folder_);
    if (!file_name.isEmpty()) load_spins(file_name);
}

// The window takes no input while the copy of the game is played: a click on
// the live game meanwhile would be lost when the copy takes its place. The
// progress bar shows itself only for a load that takes a moment.
void TForm1::load_spins(const QString& file_name) {
    if (loading()) return;
    loader_ =
        new SpinLoader(QDir::toNativeSeparators(file_name), keeper_.session(), keeper_.log(), this);
    setEnabled(false);

    load_progress_ = new QProgressDialog(this);
    load_progress_->setObjectName(QStringLiteral("LoadProgress"));
    load_progress_->setWindowTitle(QStringLiteral("Load spins"));
    // The file's name as text, never markup, and masked as in the messages.
    auto* label = new QLabel(load_progress_);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);  // as the dialog's own label
    load_progress_->setLabel(label);
    load_progress_->setLabelText(QStringLiteral("Playing the spins of %1…")
                                     .arg(QString::fromStdString(shown_text(
                                         QFileInfo(file_name).fileName().toStdString()))));
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
        keeper_.adopt(std::move(loader_->session()), std::move(loader_->log()));
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
    // Hidden at once, and its timer stopped: the message box of a refusal
    // runs an event loop of its own, in which the dialog would otherwise show
    // itself after its short delay and, being modal, hold the box's button
    // behind a busy bar that nothing ends. cancel() emits no canceled().
    load_progress_->cancel();
    load_progress_->deleteLater();
    load_progress_ = nullptr;
    setEnabled(true);
    settings_->park_focus();
}

void TForm1::open_lab() {
    if (!lab_) {
        lab_ = std::make_unique<LabWindow>(game_, keeper_.log());
        connect(this, &TForm1::sessionChanged, lab_.get(), &LabWindow::session_changed);
    }
    // A minimised lab comes back as it was, maximised or not.
    lab_->setWindowState(lab_->windowState() & ~Qt::WindowMinimized);
    lab_->show();
    lab_->raise();
    lab_->activateWindow();
}

}  // namespace quorvel
