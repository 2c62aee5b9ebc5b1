// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class QKeyEvent;

namespace quorvel {

// Numbers typed on the keyboard, the main keys or the keypad. Two digits
// that make a number of the wheel give it at once; one digit waits for Enter
// or a second digit, since "1" may be the start of "17". Enter with nothing
// typed gives nothing, so a stray Enter never repeats a spin. Escape clears
// what was typed, Backspace takes back a digit. Two digits that make no
// number of the wheel ("37", "40", "00") are refused and cleared.
//
// Installed on the focus sink, it takes every key press and every shortcut
// the field would take for itself: the sink is a number field out of view,
// and a key that reached its text would change its value unseen.
class NumberKeys : public QObject {
    Q_OBJECT

public:
    explicit NumberKeys(QObject* parent = nullptr);

    // Takes the key; false when it is none of the keys above (or comes with
    // Ctrl, Alt or Meta, which belong to the window's shortcuts).
    bool press(const QKeyEvent& key);
    QString typed() const { return typed_; }
    void clear();

signals:
    // The digits typed so far; empty once they were entered or cleared.
    void typedChanged(const QString& typed);
    void numberTyped(int number);
    // What was typed is no number of the wheel.
    void refused(const QString& typed);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void set_typed(const QString& typed);
    void give(QString digits);

    QString typed_;
};

}  // namespace quorvel
