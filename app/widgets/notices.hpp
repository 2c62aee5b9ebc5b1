// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

#include <QObject>
#include <QString>

class QWidget;

namespace quorvel {

// What the window has to say to the player: why something failed, in an
// error box, or a sentence that is no error, in an information box. A message
// may quote a file's name, so what would turn the text around or hide part
// of it is masked first.
class Notices : public QObject {
    Q_OBJECT

public:
    // Takes both kinds of message in place of the boxes; tests set one.
    using Reporter = std::function<void(const QString& message)>;

    // window is the boxes' parent and lends them its title.
    explicit Notices(QWidget* window);

    void set_reporter(Reporter reporter);
    // Takes the sentences that are no error in place of the reporter.
    void set_teller(Reporter teller);
    void report(const QString& message);
    void tell(const QString& message);

private:
    QWidget* window_;
    Reporter reporter_;
    Reporter teller_;
};

}  // namespace quorvel
