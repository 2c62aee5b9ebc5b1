// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/table/settings_fields.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "app/colours.hpp"
#include "app/widgets/gauge.hpp"
#include "app/widgets/spin_edit.hpp"
#include "app/table/window_parts.hpp"

namespace quorvel::settings_fields {

using namespace window_parts;

namespace {

// Lists and spin edits share one look.
const char* const kFieldStyle = R"(
QComboBox, QSpinBox {
    background-color: #629b02; color: #ffffff; font: bold 8pt "Arial";
    border: 1px solid #3d6101; border-radius: 2px; padding: 0px 3px;
    selection-background-color: #3d6101; selection-color: #ffffff;
}
QComboBox:focus, QSpinBox:focus { border-color: #c9f27a; }
QComboBox:disabled, QSpinBox:disabled { background-color: #4d5a3a; color: #a0a0a0; }
QComboBox QAbstractItemView {
    background-color: #629b02; color: #ffffff; font: bold 8pt "Arial";
    border: 1px solid #3d6101; outline: 0;
    selection-background-color: #3d6101; selection-color: #ffffff;
}
QSpinBox::up-button, QSpinBox::down-button {
    width: 14px; border: none; border-left: 1px solid #3d6101; background-color: #578a02;
}
QSpinBox::up-button { subcontrol-origin: border; subcontrol-position: top right; }
QSpinBox::down-button { subcontrol-origin: border; subcontrol-position: bottom right; }
QSpinBox::up-button:hover, QSpinBox::down-button:hover { background-color: #74b803; }
QSpinBox::up-button:pressed, QSpinBox::down-button:pressed { background-color: #3d6101; }
)";

const char* const kButtonStyle = R"(
QPushButton {
    color: #e8e4d8; font: bold 8pt "Arial";
    background-color: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #4a4c52, stop:1 #2c2d31);
    border: 1px solid #7a6a44; border-radius: 3px; padding: 0px 6px;
}
QPushButton:hover { background-color: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #5a5d64, stop:1 #36383d); border-color: #d9b45a; }
QPushButton:pressed { background-color: #24252a; }
QPushButton:disabled { color: #77776f; border-color: #45423a;
    background-color: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #393a3e, stop:1 #2c2d31); }
)";

}  // namespace

QLabel* make_label(QWidget* parent, const char* name, const QString& text, const QRect& geometry,
                   int font_colour) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setFont(arial_bold(8));
    set_font_colour(label, font_colour);
    return label;
}

QComboBox* make_list(QWidget* parent, const char* name, const QRect& geometry,
                     const QStringList& items, int row) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    list->setGeometry(geometry);
    list->setStyleSheet(QLatin1String(kFieldStyle));
    list->setFocusPolicy(Qt::StrongFocus);
    list->addItems(items);
    if (!items.isEmpty()) list->setCurrentIndex(row);
    return list;
}

SpinEdit* make_spin_edit(QWidget* parent, const char* name, const QRect& geometry, SpinRange range,
                         std::optional<int> value) {
    auto* edit = new SpinEdit(range.minimum, range.maximum, parent);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(geometry);
    edit->setStyleSheet(QLatin1String(kFieldStyle));
    edit->setValue(value.value_or(range.minimum));
    return edit;
}

QCheckBox* make_check_box(QWidget* parent, const char* name, const QString& text,
                          const QRect& geometry, bool checked, int font_colour) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    box->setFont(arial_bold(8));
    box->setCursor(Qt::PointingHandCursor);
    set_font_colour(box, font_colour);
    box->setChecked(checked);
    return box;
}

QPushButton* make_button(QWidget* parent, const char* name, const QString& text,
                         const QRect& geometry, bool enabled) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    button->setStyleSheet(QLatin1String(kButtonStyle));
    button->setEnabled(enabled);
    button->setCursor(Qt::PointingHandCursor);
    // A click leaves the keyboard where it was: a button that took it would
    // hand it on to "Manual Bet Reset" as soon as it disables itself, and the
    // next space bar would reset the bet.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QRadioButton* make_radio(QWidget* parent, const char* name, const QString& text,
                         const QRect& geometry, bool checked, int font_colour) {
    auto* radio = new QRadioButton(text, parent);
    radio->setObjectName(QLatin1String(name));
    radio->setGeometry(geometry);
    radio->setFont(arial_bold(8));
    radio->setCursor(Qt::PointingHandCursor);
    // An arrow key on a radio button would choose the next one and keep the
    // keyboard there; a choice by the mouse hands it on below.
    radio->setFocusPolicy(Qt::NoFocus);
    set_font_colour(radio, font_colour);
    radio->setChecked(checked);
    return radio;
}

void make_rule_line(QWidget* parent, const char* name, int y) {
    auto* bar = new Gauge(colour_from_bgr(kGaugeBar).darker(160), colour_from_bgr(kPanel), parent);
    bar->setObjectName(QLatin1String(name));
    bar->setGeometry(8, y, 504, 3);
    bar->set_progress(100);
}

void set_list_colours(QComboBox* list, int background, int text) {
    const QString key = QStringLiteral("%1/%2").arg(background).arg(text);
    if (list->property("colours").toString() == key) return;
    list->setProperty("colours", key);
    list->setStyleSheet(list->styleSheet().section(QStringLiteral("/*action*/"), 0, 0) +
                        QStringLiteral("/*action*/ QComboBox { background-color: %1; color: %2; }")
                            .arg(colour_from_bgr(background).name(), colour_from_bgr(text).name()));
}

}  // namespace quorvel::settings_fields
