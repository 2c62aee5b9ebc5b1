#include "app/tform1.hpp"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QWindow>

#include "app/colours.hpp"
#include "app/gauge.hpp"
#include "app/lab_window.hpp"
#include "app/save_file.hpp"
#include "app/shape.hpp"
#include "app/spin_edit.hpp"
#include "app/spin_loader.hpp"
#include "app/svg_picture.hpp"
#include "lab/shown_text.hpp"
#include "play/session.hpp"

namespace quorvel {

TForm1::TForm1(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    SvgPicture::register_pictures();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Quorvel 4.1"));
    setWindowIcon(QIcon(QStringLiteral(":/assets/app_icon.svg")));

    QPalette background = palette();
    background.setColor(QPalette::Window, colour_from_bgr(kSilver));
    setPalette(background);
    setAutoFillBackground(true);

    // The order of creation is the stacking order: the table first, then the
    // header and the status strip, the settings panel over the lower part of
    // the table picture.
    create_table();
    create_header();
    create_status_strip();
    create_settings();

    ui_.Timer_Analyse = new QTimer(this);
    ui_.Timer_Analyse->setObjectName(QStringLiteral("Timer_Analyse"));
    ui_.Timer_Analyse->setInterval(10);
    ui_.Timer_Analyse->setTimerType(Qt::PreciseTimer);
    connect(ui_.Timer_Analyse, &QTimer::timeout, this, &TForm1::Timer_AnalyseTimer);

    ui_.Timer_MaxProfit = new QTimer(this);
    ui_.Timer_MaxProfit->setObjectName(QStringLiteral("Timer_MaxProfit"));
    ui_.Timer_MaxProfit->setInterval(50);
    connect(ui_.Timer_MaxProfit, &QTimer::timeout, this, &TForm1::Timer_MaxProfitTimer);

    // Nothing lies over the gauge; on top of the stack, a step of the pause
    // repaints it without looking through the many controls created after it.
    ui_.CGauge1->raise();

    create_keys();
    setAcceptDrops(true);

    // No visible control holds the keyboard at start.
    ui_.FocusCatch->setFocus(Qt::OtherFocusReason);

    move(224, 106);
    set_client_height(ui_.Label_Point1->y());

    refresh();
}

TForm1::~TForm1() = default;

void TForm1::refresh() {
    refresh_display(game_);
    render();
    if (session_log_.follow(game_)) emit sessionChanged();
}

void TForm1::set_export_file_chooser(FileChooser chooser) {
    choose_export_file_ = std::move(chooser);
}

void TForm1::set_error_reporter(ErrorReporter reporter) {
    report_error_ = std::move(reporter);
}

void TForm1::number_click(int number) {
    enter_number(game_, number);
    refresh();
}

// A tick within the pause moves only the gauge, so only the gauge is redrawn;
// the tick that ends the pause brings the prediction, and the whole display
// follows it.
void TForm1::Timer_AnalyseTimer() {
    quorvel::Timer_AnalyseTimer(game_);
    if (analysis_running(game_)) {
        ui_.CGauge1->set_progress(game_.pause.CGauge1);
        return;
    }
    refresh();
}

void TForm1::Timer_MaxProfitTimer() {
    quorvel::Timer_MaxProfitTimer(game_);
    refresh();
}

void TForm1::UndoClick() {
    Undo(game_);
    refresh();
}

void TForm1::SpeedButton42Click() {
    const QString file_name = choose_export_file_ ? choose_export_file_() : ask_export_file();
    if (file_name.isEmpty()) return;
    if (const auto reason = save_file(file_name, history_export_text(game_.NumbersList))) {
        report(QStringLiteral("The history could not be saved to\n%1\n\n%2")
                   .arg(QDir::toNativeSeparators(file_name), *reason));
    }
}

void TForm1::report(const QString& message) {
    // A message may quote a file's name: what would turn the text around
    // or hide part of it is masked.
    const QString shown = QString::fromStdString(shown_lines(message.toStdString()));
    if (report_error_) {
        report_error_(shown);
    } else {
        QMessageBox::critical(this, windowTitle(), shown);
    }
}

QString TForm1::ask_export_file() {
    if (export_folder_.isEmpty()) {
        export_folder_ = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    }
    QFileDialog dialog(this, QStringLiteral("Save the numbers in game"), export_folder_);
    dialog.setObjectName(QStringLiteral("SaveDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The filter reads "Notepad file *.txt" and lists the *.txt files.
    dialog.setNameFilter(QStringLiteral("Notepad file *.txt (*.txt)"));
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.selectFile(QStringLiteral("history.txt"));
    if (dialog.exec() != QDialog::Accepted) return {};
    const QString file_name = dialog.selectedFiles().value(0);
    if (!file_name.isEmpty()) export_folder_ = QFileInfo(file_name).absolutePath();
    return file_name;
}

// The hover pictures. Each idle picture has a highlighted twin on top of it;
// moving over a surface hides every twin, and moving over one of the three
// buttons then shows its own. The twins themselves take no part, so a
// highlight lasts while the pointer is on it.
void TForm1::Disable_Hovers() {
    for (const auto& trend : ui_.Trend)
        trend[1]->hide();
    ui_.Button_Close2->hide();
    ui_.Button_Minimize2->hide();
    ui_.Button_Settings_1->hide();
}

// Leaving the window is leaving every highlighted button, too.
void TForm1::leaveEvent(QEvent* event) {
    Disable_Hovers();
    QWidget::leaveEvent(event);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseMove:
            // The undo button and the number buttons are surfaces as well.
            if (qobject_cast<QPushButton*>(watched) != nullptr) Disable_Hovers();
            break;
        case QEvent::Wheel:
            // A list changes its choice by the wheel only once it has the focus,
            // so scrolling over the settings never changes a setting by accident.
            if (auto* list = qobject_cast<QComboBox*>(watched); list && !list->hasFocus()) {
                event->ignore();
                return true;
            }
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

// The window system moves the window where it can; elsewhere (no window
// manager, or one without the move request) the window follows the pointer
// until the button is released.
void TForm1::start_window_drag(const QPointF& global_position) {
    QWindow* handle = windowHandle();
    if (handle != nullptr && handle->startSystemMove()) return;
    drag_grip_ = global_position - QPointF(pos());
}

void TForm1::follow_window_drag(const QPointF& global_position) {
    if (drag_grip_) move((global_position - *drag_grip_).toPoint());
}

void TForm1::end_window_drag() {
    drag_grip_.reset();
}

// A press on the picture drags the window; a move over it is a surface move
// that resets the hover pictures.
void TForm1::make_drag_surface(SvgPicture* picture) {
    connect(picture, &SvgPicture::pressed, this, &TForm1::start_window_drag);
    connect(picture, &SvgPicture::pointerMoved, this, [this](const QPointF& position) {
        Disable_Hovers();
        follow_window_drag(position);
    });
    connect(picture, &SvgPicture::released, this, &TForm1::end_window_drag);
}

void TForm1::Button_Close2Click() {
    QCoreApplication::quit();
}

void TForm1::Button_Minimize2Click() {
    showMinimized();
}

void TForm1::Button_Settings_1Click() {
    ui_.Button_Settings_2->show();
    set_client_height(ui_.Label_Point2->y());
}

void TForm1::Button_Settings_2Click() {
    ui_.Button_Settings_2->hide();
    set_client_height(ui_.Label_Point1->y());
    // A settings control out of view must not go on taking key presses.
    ui_.FocusCatch->setFocus(Qt::OtherFocusReason);
}

// Folded in, the window shows no control that takes the keyboard, so Tab
// would only walk the settings out of view and let a key change one unseen.
bool TForm1::focusNextPrevChild(bool next) {
    if (height() < ui_.Label_Point2->y()) {
        ui_.FocusCatch->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }
    return QWidget::focusNextPrevChild(next);
}

void TForm1::set_client_height(int height) {
    setFixedSize(kWidth, height);
}

}  // namespace quorvel
