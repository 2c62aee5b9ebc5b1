// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QRect>
#include <QString>
#include <QWidget>

#include "app/colours.hpp"
#include "app/widgets/svg_picture.hpp"

// Small helpers shared by the files that build the window.
namespace quorvel::window_parts {

inline QString picture_file(const QString& file) {
    return QStringLiteral(":/assets/") + file;
}

// A picture of the window under its game name; file is relative to the assets
// folder, or empty for an invisible mouse surface.
inline SvgPicture* make_picture(QWidget* parent, const QString& name, const QString& file,
                                const QRect& geometry) {
    auto* picture = new SvgPicture(file.isEmpty() ? QString() : picture_file(file), parent);
    picture->setObjectName(name);
    picture->setGeometry(geometry);
    return picture;
}

inline QFont arial_bold(int point_size) {
    QFont font(QStringLiteral("Arial"), point_size, QFont::Bold);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

inline void set_font_colour(QWidget* widget, int bgr) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour_from_bgr(bgr));
    palette.setColor(QPalette::ButtonText, colour_from_bgr(bgr));
    palette.setColor(QPalette::Text, colour_from_bgr(bgr));
    widget->setPalette(palette);
}

// A caption drawn over a picture: it lets the pointer through, so pressing on
// it drags the window and moving over it counts as moving over the picture.
inline QLabel* make_caption(QWidget* parent, const QString& name, const QRect& geometry,
                            const QFont& font, int font_colour) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    set_font_colour(label, font_colour);
    return label;
}

// A render sets only what differs from the widget's current state, so a
// render after a small change repaints little and an idle window nothing.
inline void show_if(QWidget* widget, bool shown) {
    if (widget->isHidden() == shown) widget->setVisible(shown);
}

inline void set_caption(QLabel* label, const std::string& caption) {
    const QString text = QString::fromStdString(caption);
    if (label->text() != text) label->setText(text);
}

}  // namespace quorvel::window_parts
