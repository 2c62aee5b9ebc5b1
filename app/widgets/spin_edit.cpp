// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/widgets/spin_edit.hpp"

#include <QFocusEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QWheelEvent>

namespace quorvel {

SpinEdit::SpinEdit(int minimum, int maximum, QWidget* parent) : QSpinBox(parent) {
    setRange(minimum, maximum);
    setFocusPolicy(Qt::StrongFocus);
    setAccelerated(true);
    // Typing reaches the editor's text first (the spin box connected itself to
    // it before, so value() already follows the text here); the arrows and a
    // set value change the value with the editor's signals blocked. Each change
    // is reported once.
    reported_ = entry();
    connect(lineEdit(), &QLineEdit::textChanged, this, &SpinEdit::report_entry);
    connect(this, &QSpinBox::valueChanged, this, &SpinEdit::report_entry);
}

void SpinEdit::report_entry() {
    const std::optional<int> current = entry();
    if (current == reported_) return;
    reported_ = current;
    emit entryChanged(current);
}

std::optional<int> SpinEdit::entry() const {
    if (cleanText().trimmed().isEmpty()) return std::nullopt;
    return value();
}

// The spin box hands its focus on to its text, which starts the cursor's blink
// timer; a field whose cursor does not blink keeps the focus to itself. Its
// text then takes typed keys all the same, with no cursor drawn.
void SpinEdit::focusInEvent(QFocusEvent* event) {
    if (text_cursor_blinks_) {
        QSpinBox::focusInEvent(event);
        return;
    }
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason)
        selectAll();
    QWidget::focusInEvent(event);
}

void SpinEdit::wheelEvent(QWheelEvent* event) {
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QSpinBox::wheelEvent(event);
}

}  // namespace quorvel

namespace quorvel {

void SpinEdit::paintEvent(QPaintEvent* event) {
    QSpinBox::paintEvent(event);
    if (buttonSymbols() == QAbstractSpinBox::NoButtons) return;

    QStyleOptionSpinBox option;
    initStyleOption(&option);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QColor colour = palette().color(QPalette::Text);
    const auto arrow = [&](QStyle::SubControl control, bool up, bool enabled) {
        const QRectF area = style()->subControlRect(QStyle::CC_SpinBox, &option, control, this);
        if (area.isEmpty()) return;
        const qreal half = std::min(area.width() * 0.3, area.height() * 0.45);
        const QPointF centre = area.center();
        QPainterPath path;
        path.moveTo(centre.x() - half, centre.y() + (up ? half / 2 : -half / 2));
        path.lineTo(centre.x() + half, centre.y() + (up ? half / 2 : -half / 2));
        path.lineTo(centre.x(), centre.y() + (up ? -half / 2 : half / 2));
        path.closeSubpath();
        QColor fill = colour;
        if (!enabled) fill.setAlphaF(0.35);
        painter.setBrush(fill);
        painter.drawPath(path);
    };
    arrow(QStyle::SC_SpinBoxUp, true, isEnabled() && value() < maximum());
    arrow(QStyle::SC_SpinBoxDown, false, isEnabled() && value() > minimum());
}

}  // namespace quorvel
