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
#include <QMessageBox>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QWidget>

#include "app/sessions/session_keeper.hpp"
#include "app/sessions/spin_loader.hpp"
#include "app/widgets/file_dialogs.hpp"
#include "lab/figure_table.hpp"
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

void SpinLoading::set_question(Question ask) {
    question_ = std::move(ask);
}

// The window takes no input while the copy of the game is played: a click on
// the live game meanwhile would be lost when the copy takes its place. The
// progress bar shows itself only for a load that takes a moment. Into a
// session with spins, the file is read first and the player asked what its
// numbers are for.
void SpinLoading::load(const QString& file_name) {
    if (loading()) return;
    loader_ =
        new SpinLoader(QDir::toNativeSeparators(file_name), keeper_.session(), keeper_.log(), this);
    loader_->set_ask_first(!keeper_.session().game().NumbersList.empty());
    new_session_ = false;
    window_->setEnabled(false);
    show_progress(file_name);

    connect(loader_, &SpinLoader::read, this,
            [this, file_name](qint64 count) { ask(file_name, count); });
    connect(loader_, &SpinLoader::started, this, [this](qint64 total) {
        progress_->setRange(0, static_cast<int>(std::min<qint64>(total, INT_MAX)));
    });
    connect(loader_, &SpinLoader::progress, this, [this](qint64 done) {
        progress_->setValue(static_cast<int>(std::min<qint64>(done, INT_MAX)));
    });
    connect(loader_, &SpinLoader::loaded, this, [this, file_name] {
        const qint64 count = loader_->count();
        keeper_.adopt(std::move(loader_->session()), std::move(loader_->log()), new_session_);
        const QString numbers =
            count == 1
                ? QStringLiteral("1 number was")
                : QStringLiteral("%1 numbers were").arg(QString::fromStdString(grouped(count)));
        const QString file =
            QString::fromStdString(shown_text(QFileInfo(file_name).fileName().toStdString()));
        const QString said =
            new_session_ ? QStringLiteral(
                               "%1 loaded from %2 into a new session. The last session is kept "
                               "in %3; \"Sessions…\" opens it again.")
                               .arg(numbers, file, QDir::toNativeSeparators(keeper_.folder()))
                         : QStringLiteral("%1 loaded from %2. The session now has %3 spins.")
                               .arg(numbers, file,
                                    QString::fromStdString(grouped(static_cast<std::int64_t>(
                                        keeper_.session().game().NumbersList.size()))));
        load_ended();
        emit loaded(new_session_);
        emit told(said);
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

void SpinLoading::show_progress(const QString& file_name) {
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
}

// The file is read: its numbers go into this session, into a new one with
// the same settings (the old one kept, as "RESET APP" keeps it), or nowhere.
void SpinLoading::ask(const QString& file_name, qint64 count) {
    // The bar of the reading goes; the playing has one of its own.
    progress_->cancel();
    progress_->deleteLater();
    progress_ = nullptr;
    const QString numbers = QString::fromStdString(grouped(count));
    const QString add = count == 1
                            ? QStringLiteral("Add the number to this session")
                            : QStringLiteral("Add the %1 numbers to this session").arg(numbers);
    const QString fresh = count == 1 ? QStringLiteral("Start a new session with it")
                                     : QStringLiteral("Start a new session with them");
    const QString question =
        QStringLiteral("%1 holds %2. This session already has %3 spins.")
            .arg(QString::fromStdString(shown_text(QFileInfo(file_name).fileName().toStdString())),
                 count == 1 ? QStringLiteral("1 number") : numbers + QStringLiteral(" numbers"),
                 QString::fromStdString(grouped(
                     static_cast<std::int64_t>(keeper_.session().game().NumbersList.size()))));
    Choice choice = Choice::Cancel;
    if (question_) {
        choice = question_(question, add, fresh);
    } else {
        QMessageBox box(QMessageBox::Question, window_->windowTitle(), question,
                        QMessageBox::NoButton, window_);
        box.setObjectName(QStringLiteral("LoadQuestion"));
        box.setTextFormat(Qt::PlainText);
        QPushButton* add_button = box.addButton(add, QMessageBox::AcceptRole);
        QPushButton* fresh_button = box.addButton(fresh, QMessageBox::AcceptRole);
        box.addButton(QMessageBox::Cancel);
        box.setDefaultButton(add_button);
        box.exec();
        choice = box.clickedButton() == add_button     ? Choice::Add
                 : box.clickedButton() == fresh_button ? Choice::NewSession
                                                       : Choice::Cancel;
    }
    if (choice == Choice::Cancel) {
        load_ended();
        emit finished();
        return;
    }
    new_session_ = choice == Choice::NewSession;
    show_progress(file_name);
    loader_->play(new_session_ ? std::optional<Session>(keeper_.fresh_session()) : std::nullopt);
}

void SpinLoading::load_ended() {
    // The loader goes once its last signal has been handled.
    loader_->deleteLater();
    loader_ = nullptr;
    // Hidden at once, and its timer stopped: the message box of a refusal
    // runs an event loop of its own, in which the dialog would otherwise show
    // itself after its short delay and, being modal, hold the box's button
    // behind a busy bar that nothing ends. cancel() emits no canceled().
    if (progress_ != nullptr) {
        progress_->cancel();
        progress_->deleteLater();
        progress_ = nullptr;
    }
    window_->setEnabled(true);
    emit inputBack();
}

}  // namespace quorvel
