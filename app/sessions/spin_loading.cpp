// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/sessions/spin_loading.hpp"

#include <algorithm>
#include <climits>

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QProgressDialog>
#include <QWidget>

#include "app/widgets/file_dialogs.hpp"
#include "app/sessions/session_keeper.hpp"
#include "app/sessions/spin_loader.hpp"
#include "lab/shown_text.hpp"

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

SpinLoading::SpinLoading(QWidget* window, SessionKeeper& keeper, const QString& fallback_folder)
    : QObject(window), window_(window), keeper_(keeper), fallback_folder_(fallback_folder) {
    window_->setAcceptDrops(true);
    window_->installEventFilter(this);
}

// A session file dropped on the window is opened as a session; any other
// file is a spin file.
bool SpinLoading::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window_) return false;
    if (event->type() == QEvent::DragEnter) {
        auto* enter = static_cast<QDragEnterEvent*>(event);
        if (!loading() && !dropped_file(enter->mimeData()).isEmpty()) enter->acceptProposedAction();
        return true;
    }
    if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString file_name = dropped_file(drop->mimeData());
        if (file_name.isEmpty()) return true;
        drop->acceptProposedAction();
        if (file_name.endsWith(QLatin1String(".quorvel"), Qt::CaseInsensitive)) {
            emit sessionDropped(file_name);
        } else {
            load(file_name);
        }
        return true;
    }
    return false;
}

void SpinLoading::set_file_chooser(FileChooser chooser) {
    choose_file_ = std::move(chooser);
}

void SpinLoading::ask_and_load() {
    const QString file_name =
        choose_file_ ? choose_file_() : ask_spin_file(window_, folder_, fallback_folder_);
    if (!file_name.isEmpty()) load(file_name);
}

// The window takes no input while the copy of the game is played: a click on
// the live game meanwhile would be lost when the copy takes its place. The
// progress bar shows itself only for a load that takes a moment.
void SpinLoading::load(const QString& file_name) {
    if (loading()) return;
    loader_ =
        new SpinLoader(QDir::toNativeSeparators(file_name), keeper_.session(), keeper_.log(), this);
    window_->setEnabled(false);

    progress_ = new QProgressDialog(window_);
    progress_->setObjectName(QStringLiteral("LoadProgress"));
    progress_->setWindowTitle(QStringLiteral("Load spins"));
    // The file's name as text, never markup, and masked as in the messages.
    auto* label = new QLabel(progress_);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);  // as the dialog's own label
    progress_->setLabel(label);
    progress_->setLabelText(QStringLiteral("Playing the spins of %1…")
                                .arg(QString::fromStdString(
                                    shown_text(QFileInfo(file_name).fileName().toStdString()))));
    progress_->setWindowModality(Qt::WindowModal);
    progress_->setAutoReset(false);
    progress_->setAutoClose(false);
    progress_->setMinimumDuration(300);
    progress_->setRange(0, 0);
    connect(progress_, &QProgressDialog::canceled, loader_, &SpinLoader::cancel);

    connect(loader_, &SpinLoader::started, this, [this](qint64 total) {
        progress_->setRange(0, static_cast<int>(std::min<qint64>(total, INT_MAX)));
    });
    connect(loader_, &SpinLoader::progress, this, [this](qint64 done) {
        progress_->setValue(static_cast<int>(std::min<qint64>(done, INT_MAX)));
    });
    connect(loader_, &SpinLoader::loaded, this, [this] {
        keeper_.adopt(std::move(loader_->session()), std::move(loader_->log()));
        load_ended();
        emit loaded();
        emit finished();
    });
    connect(loader_, &SpinLoader::refused, this, [this](const QString& reason) {
        load_ended();
        emit refused(QStringLiteral("The spins could not be loaded; the game is unchanged.\n\n%1")
                         .arg(reason));
        emit finished();
    });
    connect(loader_, &SpinLoader::cancelled, this, [this] {
        load_ended();
        emit finished();
    });
    loader_->start();
}

void SpinLoading::load_ended() {
    // The loader goes once its last signal has been handled.
    loader_->deleteLater();
    loader_ = nullptr;
    // Hidden at once, and its timer stopped: the message box of a refusal
    // runs an event loop of its own, in which the dialog would otherwise show
    // itself after its short delay and, being modal, hold the box's button
    // behind a busy bar that nothing ends. cancel() emits no canceled().
    progress_->cancel();
    progress_->deleteLater();
    progress_ = nullptr;
    window_->setEnabled(true);
    emit inputBack();
}

}  // namespace quorvel
