// Render: the engine state copied into the widgets. Only what differs from the
// widget's current state is set, so a render after a small change repaints
// little, and an idle window does nothing at all.
#include "app/tform1.hpp"

#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "app/colours.hpp"
#include "app/gauge.hpp"
#include "app/shape.hpp"
#include "app/spin_edit.hpp"
#include "app/svg_picture.hpp"
#include "app/window_parts.hpp"
#include "play/session.hpp"

namespace quorvel {

namespace {

void run_while(QTimer* timer, bool running) {
    if (running == timer->isActive()) return;
    if (running) {
        timer->start();
    } else {
        timer->stop();
    }
}

// A list of a rule row takes the colours of its action.
void set_list_colours(QComboBox* list, int background, int text) {
    const QString key = QStringLiteral("%1/%2").arg(background).arg(text);
    if (list->property("colours").toString() == key) return;
    list->setProperty("colours", key);
    list->setStyleSheet(list->styleSheet().section(QStringLiteral("/*action*/"), 0, 0) +
                        QStringLiteral("/*action*/ QComboBox { background-color: %1; color: %2; }")
                            .arg(colour_from_bgr(background).name(), colour_from_bgr(text).name()));
}

void show_if(QWidget* widget, bool shown) {
    if (widget->isHidden() == shown) widget->setVisible(shown);
}

void set_caption(QLabel* label, const std::string& caption) {
    const QString text = QString::fromStdString(caption);
    if (label->text() != text) label->setText(text);
}

// A history label shows its number on the number's colour; an empty label
// shows nothing at all, so the header's track shows through.
void set_history_label(QLabel* label, const HistoryLabel& entry) {
    set_caption(label, history_caption(entry));
    const bool filled = !entry.empty();
    if (label->autoFillBackground() != filled) label->setAutoFillBackground(filled);
    const QColor colour = colour_from_bgr(entry.colour);
    if (label->palette().color(QPalette::Window) != colour) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, colour);
        label->setPalette(palette);
    }
}

// Bets can grow to seven digits; the chip's label shrinks its font until the
// number fits on the chip.
void set_bet_size(QLabel* label, const std::string& caption) {
    const QString text = QString::fromStdString(caption);
    if (label->text() == text) return;
    QFont font = label->font();
    int size = 8;
    font.setPointSize(size);
    while (size > 5 && QFontMetrics(font).horizontalAdvance(text) > label->width() - 2) {
        font.setPointSize(--size);
    }
    if (label->font() != font) label->setFont(font);
    label->setText(text);
}

}  // namespace

void TForm1::render() {
    render_header();
    render_table();
    render_status_strip();
    render_working_labels();
    render_settings();

    // The analysis pause and the maximum flash run on the window's timers
    // exactly while the engine says so; nothing else ticks.
    run_while(ui_.Timer_Analyse, game_.pause.Timer_Analyse);
    run_while(ui_.Timer_MaxProfit, game_.max_profit_flash.Timer_MaxProfit);
}

void TForm1::render_header() {
    for (int k = 1; k <= 12; ++k) {
        set_history_label(ui_.HisNum[static_cast<std::size_t>(k - 1)], game_.row.HisNum(k));
    }
    show_if(ui_.Image_Button_Back2, game_.table.undo_offered);
    show_if(ui_.Undo, game_.table.undo_offered);
    set_caption(ui_.Caption_ProfitBet, profit_bet_caption(game_));
    show_if(ui_.Caption_ProfitBet, game_.params.ChBx_ProfitBet);
}

void TForm1::render_table() {
    const TableState& table = game_.table;
    // The pause hides all the number cells but one and brings them back. The
    // window system would then take each of the 74 widgets for a repaint of
    // its own, each weighed against the 200 controls over it; marking the
    // whole block of cells for repainting first (what hiding a widget that
    // spans it does) lets every cell's change find its place already marked.
    for (std::size_t n = 0; n < ui_.Number.size(); ++n) {
        if (ui_.Number[n]->isHidden() == table.Number[n] ||
            ui_.SpeedButton[n]->isHidden() == table.SpeedButton[n]) {
            number_cells_->show();
            number_cells_->hide();
            break;
        }
    }
    for (std::size_t n = 0; n < ui_.Number.size(); ++n) {
        show_if(ui_.Number[n], table.Number[n]);
        show_if(ui_.SpeedButton[n], table.SpeedButton[n]);
    }
    const std::string bet_size = bet_size_caption(game_);
    for (std::size_t i = 0; i < kAllSectors.size(); ++i) {
        const Sector sector = kAllSectors[i];
        const bool in_play = table.chips.contains(sector);
        show_if(ui_.Chip[i], in_play);
        show_if(ui_.BetSize[i], in_play);
        set_bet_size(ui_.BetSize[i], bet_size);
        show_if(ui_.Trend[i][2], table.trend_marks.contains(sector));
        show_if(ui_.SL_Field[i], table.SL_Field);
    }
    show_if(ui_.Background_Blur, table.Background_Blur);
    set_caption(ui_.Caption_Bankroll, bankroll_caption(game_));
    set_caption(ui_.Caption_MaxProfit, max_bank_caption(game_));
    show_if(ui_.Caption_Bankroll, game_.params.ChBx_TestBankroll);
    show_if(ui_.Caption_MaxProfit, game_.params.ChBx_TestBankroll);
    // The flash turns the caption opaque on its colour and back.
    const bool opaque = game_.max_profit_flash.opaque;
    if (ui_.Caption_MaxProfit->autoFillBackground() != opaque)
        ui_.Caption_MaxProfit->setAutoFillBackground(opaque);
}

void TForm1::render_status_strip() {
    const bool count_shown = game_.params.ChBx_Show_Numbers_In_Game;
    show_if(ui_.Shape15, count_shown);
    show_if(ui_.Label_Numbers_In_Game, count_shown);
    set_caption(ui_.Label_Numbers_In_Game, numbers_in_game_caption(game_));
    ui_.CGauge1->set_progress(game_.pause.CGauge1);
}

void TForm1::render_working_labels() {
    if (ui_.CurrentNum->property("tag").toInt() != game_.CurrentNum)
        ui_.CurrentNum->setProperty("tag", game_.CurrentNum);
    set_caption(ui_.CurrentBet, current_bet_caption(game_));
    set_caption(ui_.Label28, minimal_profit_caption(game_));
}

void TForm1::render_settings() {
    const AdaptiveMatrix& matrix = game_.matrix;
    const bool create = create_matrix_offered(game_);
    if (ui_.Adaptive_Matrix->isEnabled() != create) ui_.Adaptive_Matrix->setEnabled(create);
    const bool reset = reset_matrix_offered(game_);
    if (ui_.Set_N_Count->isEnabled() != reset) ui_.Set_N_Count->setEnabled(reset);
    const bool count = n_count_editable(game_);
    if (ui_.N_Count->isEnabled() != count) ui_.N_Count->setEnabled(count);
    // A tie in the matrix raises the count by one more spin, also past the
    // box's usual top; creating a matrix fills an emptied box.
    const SpinRange count_range = n_count_range(game_);
    if (ui_.N_Count->maximum() != count_range.maximum) ui_.N_Count->setMaximum(count_range.maximum);
    if (game_.params.N_Count && ui_.N_Count->entry() != game_.params.N_Count)
        ui_.N_Count->setValue(*game_.params.N_Count);
    if (ui_.Label4->palette().color(QPalette::WindowText) != colour_from_bgr(matrix.Label4))
        window_parts::set_font_colour(ui_.Label4, matrix.Label4);
    if (ui_.Shape2->fill() != colour_from_bgr(matrix.Shape2))
        ui_.Shape2->set_fill(colour_from_bgr(matrix.Shape2));
    ui_.CGauge2->set_maximum(matrix.CGauge2.maximum);
    ui_.CGauge2->set_progress(matrix.CGauge2.progress);

    if (ui_.RResetBets->isEnabled() != game_.params.ChBx_ManualBetReset)
        ui_.RResetBets->setEnabled(game_.params.ChBx_ManualBetReset);

    const ActionLook wins = Wins_ActionChange(game_.params.Wins_Action);
    set_list_colours(ui_.Wins_Action, wins.list_colour, wins.font_colour);
    show_if(ui_.Wins_ActionValue, wins.value_shown);

    const ActionLook losses = Losses_ActionChange(game_.params.Losses_Action);
    set_list_colours(ui_.Losses_Action, losses.list_colour, losses.font_colour);
    show_if(ui_.Losses_ActionValue, losses.value_shown);
    show_if(ui_.Blank_Piece, losses.blank_shown);
}

}  // namespace quorvel
