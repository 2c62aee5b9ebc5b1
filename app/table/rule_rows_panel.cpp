// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/table/rule_rows_panel.hpp"

#include <QComboBox>
#include <QLabel>

#include "app/colours.hpp"
#include "app/table/setting_controls.hpp"
#include "app/table/settings_fields.hpp"
#include "app/widgets/shape.hpp"
#include "app/widgets/spin_edit.hpp"
#include "app/table/window_parts.hpp"
#include "money/custom_rules.hpp"

namespace quorvel {

using namespace settings_fields;
using namespace window_parts;

RuleRowsPanel::RuleRowsPanel(QWidget* surface, SettingControls& controls)
    : Panel(surface) {
    struct RuleRow {
        int y;
        int colour;
        const char* after;
    };
    const RuleRow losses{491, kLossesRow, "Label25"};
    const RuleRow wins{523, kWinsRow, "Label26"};

    for (const RuleRow& row : {losses, wins}) {
        auto* band = new Shape(colour_from_bgr(row.colour), surface);
        band->set_outline(colour_from_bgr(row.colour).lighter(130), 3);
        band->setGeometry(4, row.y - 3, 513, 28);
        QLabel* after = make_label(surface, row.after, QStringLiteral("AFTER:"),
                                   QRect(10, row.y, 48, kFieldHeight), kAfterColour);
        after->setAlignment(Qt::AlignCenter);
        after->setAutoFillBackground(true);
        QPalette palette = after->palette();
        palette.setColor(QPalette::Window, colour_from_bgr(kAfterBackground));
        after->setPalette(palette);
    }

    const QRect how_much(62, 0, 70, kFieldHeight);
    const QRect type(136, 0, 124, kFieldHeight);
    const QRect action(264, 0, 138, kFieldHeight);
    const QRect value(406, 0, 106, kFieldHeight);

    controls.add_spin_edit(SettingId::Losses_HowMuch, how_much.translated(0, losses.y));
    controls.add_list(SettingId::Losses_Type, type.translated(0, losses.y));
    ui_.Losses_Action =
        controls.add_list(SettingId::Losses_Action, action.translated(0, losses.y));
    ui_.Losses_ActionValue = controls.add_spin_edit(SettingId::Losses_ActionValue, value.translated(0, losses.y));
    // Covers the value field for the actions that take no value.
    ui_.Blank_Piece = new Shape(colour_from_bgr(kLossesRow), surface);
    ui_.Blank_Piece->setObjectName(QStringLiteral("Blank_Piece"));
    ui_.Blank_Piece->setGeometry(value.translated(0, losses.y));
    ui_.Blank_Piece->hide();

    controls.add_spin_edit(SettingId::Wins_HowMuch, how_much.translated(0, wins.y));
    controls.add_list(SettingId::Wins_Type, type.translated(0, wins.y));
    ui_.Wins_Action =
        controls.add_list(SettingId::Wins_Action, action.translated(0, wins.y));
    ui_.Wins_ActionValue = controls.add_spin_edit(SettingId::Wins_ActionValue, value.translated(0, wins.y));
    ui_.Wins_ActionValue->hide();
}

void RuleRowsPanel::render(const Parameters& params) {
    const ActionLook wins = Wins_ActionChange(params.Wins_Action);
    set_list_colours(ui_.Wins_Action, wins.list_colour, wins.font_colour);
    show_if(ui_.Wins_ActionValue, wins.value_shown);

    const ActionLook losses = Losses_ActionChange(params.Losses_Action);
    set_list_colours(ui_.Losses_Action, losses.list_colour, losses.font_colour);
    show_if(ui_.Losses_ActionValue, losses.value_shown);
    show_if(ui_.Blank_Piece, losses.blank_shown);
}

}  // namespace quorvel
