// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>

#include <QSpinBox>

namespace quorvel {

// An integer field of the settings. The game reads it as "no value" while the
// player has emptied the field to type a new number, so entry() is empty
// exactly while the text is; otherwise it is the last value the box accepted.
class SpinEdit : public QSpinBox {
    Q_OBJECT

public:
    SpinEdit(int minimum, int maximum, QWidget* parent = nullptr);

    std::optional<int> entry() const;

    // For a field out of view that only sinks the keyboard: its text cursor
    // would blink unseen, waking the program twice a second. Keys still reach
    // the text and the value as before.
    void set_text_cursor_blinks(bool blinks) { text_cursor_blinks_ = blinks; }

signals:
    // After every change of the text: typing, the arrows, a set value.
    void entryChanged(std::optional<int> entry);

protected:
    // The wheel changes the value only once the field has the focus, so that
    // scrolling over the settings never moves a bet by accident.
    void wheelEvent(QWheelEvent* event) override;
    // The fields are styled; the arrows on their step buttons are drawn here,
    // in the field's text colour, dimmed where the value cannot go further.
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void report_entry();

    std::optional<int> reported_;
    bool text_cursor_blinks_ = true;
};

}  // namespace quorvel
