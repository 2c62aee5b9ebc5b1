#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>

#include <QPointF>
#include <QRect>
#include <QString>
#include <QWidget>

#include "game/game.hpp"
#include "lab/session_log.hpp"

class QComboBox;
class QLabel;
class QProgressDialog;
class QPushButton;
class QTimer;

namespace quorvel {

class Gauge;
class LabWindow;
class Shape;
class SpinLoader;
class SpinEdit;
class SvgPicture;

// The window. It owns the game, turns clicks into engine calls and, after
// every call, copies the engine state into its widgets (render). Every widget
// that the game names carries that name as its objectName.
//
// The design area is larger than the window: everything placed right of
// x = 520 (the hidden buttons, the focus sink, the two last history labels)
// and, while the settings are folded in, below y = 280 is simply out of view.
class TForm1 : public QWidget {
    Q_OBJECT

public:
    // Returns the file the player chose for the export, or an empty string.
    using FileChooser = std::function<QString()>;
    // Tells the player why something failed.
    using ErrorReporter = std::function<void(const QString& message)>;
    // An engine operation a control runs after it has stored the player's choice.
    using Operation = void (*)(Game&);

    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    Game& game() { return game_; }
    const Game& game() const { return game_; }
    // The bankroll of the session spin by spin, kept whether the lab is open or not.
    const SessionLog& session_log() const { return session_log_; }

    // Brings the engine's captions up to date and shows the engine state. The
    // window does this after each of its own engine calls; a caller that
    // changes the game directly calls it afterwards.
    void refresh();

    // The save dialog and the error message box by default; tests replace them.
    void set_export_file_chooser(FileChooser chooser);
    void set_error_reporter(ErrorReporter reporter);
    // The open dialog of "Load spins…" by default.
    void set_load_file_chooser(FileChooser chooser);

    // Plays the numbers of a spin file into the game, as clicks would enter
    // them, off the interface thread and with a progress bar; the window
    // takes no input meanwhile. A refused file is reported and changes nothing.
    void load_spins(const QString& file_name);
    bool loading() const { return loader_ != nullptr; }
    // Opens "Quorvel Lab", or brings it to the front.
    void open_lab();
    LabWindow* lab_window() const { return lab_.get(); }

    static constexpr int kWidth = 520;

signals:
    // The session moved on: a spin, its prediction, an undo or a load.
    void sessionChanged();
    // A load ended: played, refused or cancelled.
    void loadFinished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The widgets the window changes after it is built, under the game's names.
    struct Widgets {
        // header
        SvgPicture* Image45 = nullptr;
        std::array<QLabel*, 12> HisNum{};  // HisNum1 is HisNum[0]
        QPushButton* SpeedButton42 = nullptr;
        SvgPicture* Image_Button_Back1 = nullptr;
        SvgPicture* Image_Button_Back2 = nullptr;
        QPushButton* Undo = nullptr;
        SvgPicture* Button_Minimize1 = nullptr;
        SvgPicture* Button_Minimize2 = nullptr;
        SvgPicture* Button_Close1 = nullptr;
        SvgPicture* Button_Close2 = nullptr;
        QLabel* Caption_ProfitBet = nullptr;

        // table; per-sector arrays run D1, D2, D3, C1, C2, C3
        SvgPicture* Image7 = nullptr;
        std::array<SvgPicture*, kNumberCount> Number{};
        std::array<QPushButton*, kNumberCount> SpeedButton{};
        std::array<QPushButton*, kNumberCount> Button{};
        std::array<SvgPicture*, 6> sector_cell{};  // Image1 ... Image6
        std::array<SvgPicture*, 6> Chip{};
        std::array<QLabel*, 6> BetSize{};
        std::array<std::array<SvgPicture*, 3>, 6> Trend{};  // Trend_X_0, _1, _2
        std::array<SvgPicture*, 6> SL_Field{};
        SvgPicture* Background_Blur = nullptr;
        QLabel* Caption_Bankroll = nullptr;
        QLabel* Caption_MaxProfit = nullptr;

        // status strip
        Shape* Shape15 = nullptr;
        QLabel* Label_Numbers_In_Game = nullptr;
        SvgPicture* Button_Settings_0 = nullptr;
        SvgPicture* Button_Settings_1 = nullptr;
        SvgPicture* Button_Settings_2 = nullptr;
        Gauge* CGauge1 = nullptr;

        // settings section
        QLabel* Label_Point1 = nullptr;
        QLabel* Label_Point2 = nullptr;
        Shape* Shape5 = nullptr;
        SpinEdit* FocusCatch = nullptr;
        QComboBox* BettingSystem = nullptr;
        QLabel* Label4 = nullptr;
        SpinEdit* N_Count = nullptr;
        Gauge* CGauge2 = nullptr;
        QPushButton* Adaptive_Matrix = nullptr;
        Shape* Shape2 = nullptr;
        QPushButton* Set_N_Count = nullptr;
        QPushButton* RResetBets = nullptr;
        QComboBox* Wins_Action = nullptr;
        QComboBox* Losses_Action = nullptr;
        SpinEdit* Wins_ActionValue = nullptr;
        SpinEdit* Losses_ActionValue = nullptr;
        Shape* Blank_Piece = nullptr;

        // working labels out of view, kept for whoever inspects the window
        QLabel* CurrentNum = nullptr;  // the number being processed, as its tag
        QLabel* CurrentBet = nullptr;
        QLabel* Label28 = nullptr;

        QTimer* Timer_Analyse = nullptr;
        QTimer* Timer_MaxProfit = nullptr;
    };

    // Construction, one area each.
    void create_header();
    void create_table();
    void create_status_strip();
    void create_settings();
    void create_settings_rows();
    void create_rule_rows();

    // Building blocks of the settings section.
    QLabel* add_label(const char* name, const QString& text, const QRect& geometry,
                      int font_colour);
    template <typename E>
    QComboBox* add_list(const char* name, const QRect& geometry, E Parameters::*parameter,
                        Operation changed = nullptr);
    SpinEdit* add_spin_edit(const char* name, const QRect& geometry, SpinRange range,
                            std::optional<int> Parameters::*parameter, Operation changed = nullptr);
    QWidget* add_check_box(const char* name, const QString& text, const QRect& geometry,
                           bool Parameters::*parameter, std::optional<int> font_colour);
    QComboBox* add_system_list(const QRect& geometry);
    void fill_system_list();
    void run(Operation operation);
    QPushButton* add_button(const char* name, const QString& text, const QRect& geometry,
                            bool enabled);
    void list_chosen();

    // Engine calls from the player.
    void number_click(int number);
    void Timer_AnalyseTimer();
    void Timer_MaxProfitTimer();
    void UndoClick();
    void SpeedButton42Click();

    // Window chrome.
    void Disable_Hovers();
    void start_window_drag(const QPointF& global_position);
    void follow_window_drag(const QPointF& global_position);
    void end_window_drag();
    void make_drag_surface(SvgPicture* picture);
    void Button_Close2Click();
    void Button_Minimize2Click();
    void Button_Settings_1Click();
    void Button_Settings_2Click();
    void set_client_height(int height);

    // Copies the engine state into the widgets, touching only what changed.
    void render();
    void render_header();
    void render_table();
    void render_status_strip();
    void render_working_labels();
    void render_settings();

    QString ask_export_file();

    // Keys, the context menu and loading.
    void create_keys();
    void undo_key();
    void ask_and_load_spins();
    QString ask_spin_file();
    void load_ended();
    void report(const QString& message);

    Game game_;
    Widgets ui_;
    FileChooser choose_export_file_;
    ErrorReporter report_error_;
    QString export_folder_;
    // Where the pointer grabbed the window, while a drag is followed by hand
    // (on systems that cannot move the window themselves).
    std::optional<QPointF> drag_grip_;

    // Spans the number cells and draws nothing; see render_table.
    QWidget* number_cells_ = nullptr;

    SessionLog session_log_;
    FileChooser choose_load_file_;
    QString load_folder_;
    SpinLoader* loader_ = nullptr;  // a child while a load runs
    QProgressDialog* load_progress_ = nullptr;
    std::unique_ptr<LabWindow> lab_;
};

}  // namespace quorvel
