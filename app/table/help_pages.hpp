// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class QTextBrowser;
class QWidget;

namespace quorvel {

// The short guide shipped inside the program (the same text as the README's
// guide), as Markdown without the licence comment at its head; empty should
// the program have been built without it.
QString guide_text();
// The licence's full text, shipped inside the program as well.
QString licence_text();

// The places on this system that hold the licence's full text, beside the
// copy inside the program: Debian's shared copy of the GPL, when it is there.
QStringList licence_files();

// What "About Quorvel" says: the version, what the program is, the licence
// and where its text is (the files given, the program's own copy, the web).
QString about_text(const QString& version, const QStringList& licence_places);

// "Help" (F1) and "About Quorvel" of the table window. The guide is an
// ordinary window that can stay open beside the table; asked for again, the
// same one comes to the front.
class HelpPages : public QObject {
    Q_OBJECT

public:
    explicit HelpPages(QWidget* window);

    void show_guide();
    void show_about();
    // The guide's window while it exists, for the tests.
    QWidget* guide_window() const { return guide_; }

private:
    // A text in a window of its own ("Guide", "Licence"), brought forward
    // when it is open already.
    QWidget* show_page(QPointer<QWidget>& page, const QString& name, const QString& title,
                       const QString& text, bool markdown);

    QWidget* window_;
    QPointer<QWidget> guide_;
    QPointer<QWidget> licence_;
};

}  // namespace quorvel
