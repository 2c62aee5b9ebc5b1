// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

#include <QRect>
#include <QString>
#include <QStringList>

#include "game/parameters.hpp"
#include "game/selectors.hpp"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QWidget;

namespace quorvel {

class SpinEdit;

// The building blocks of the settings section, in its one look: a label line
// above a line of fields, lists and number fields in the settings' green,
// buttons in the header's dark and brass.
namespace settings_fields {

inline constexpr int kLabelHeight = 15;
inline constexpr int kFieldHeight = 20;

QLabel* make_label(QWidget* parent, const char* name, const QString& text, const QRect& geometry,
                   int font_colour);
QComboBox* make_list(QWidget* parent, const char* name, const QRect& geometry,
                     const QStringList& items, int row);
SpinEdit* make_spin_edit(QWidget* parent, const char* name, const QRect& geometry, SpinRange range,
                         std::optional<int> value);
QCheckBox* make_check_box(QWidget* parent, const char* name, const QString& text,
                          const QRect& geometry, bool checked, int font_colour);
QPushButton* make_button(QWidget* parent, const char* name, const QString& text,
                         const QRect& geometry, bool enabled);
QRadioButton* make_radio(QWidget* parent, const char* name, const QString& text,
                         const QRect& geometry, bool checked, int font_colour);
// A full-width line between groups of rows.
void make_rule_line(QWidget* parent, const char* name, int y);
// A list of a rule row takes the colours of its action.
void set_list_colours(QComboBox* list, int background, int text);

inline QString text_from(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The texts of a selector list, in its order.
template <typename E>
QStringList items_text() {
    QStringList items;
    for (std::string_view item : items_of<E>())
        items << text_from(item);
    return items;
}

}  // namespace settings_fields
}  // namespace quorvel
