// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/table/help_pages.hpp"

#include <algorithm>

#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QVBoxLayout>

#ifndef QUORVEL_VERSION
#define QUORVEL_VERSION "unknown"
#endif

// The guide and the licence text are compiled into the window library; a
// static library's resources must be registered by name, from the global
// namespace.
static void register_pages() {
    Q_INIT_RESOURCE(docs);
}

namespace quorvel {

namespace {

const QString kGuideResource = QStringLiteral(":/docs/guide.md");
const QString kLicenceResource = QStringLiteral(":/docs/GPL-3.0-or-later.txt");
const QString kLicenceAddress = QStringLiteral("https://www.gnu.org/licenses/gpl-3.0.html");

QString resource_text(const QString& name) {
    static const bool registered = (register_pages(), true);
    Q_UNUSED(registered);
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

}  // namespace

QString guide_text() {
    QString text = resource_text(kGuideResource);
    // The file opens with its licence in an HTML comment, which is no part
    // of what the player reads.
    if (text.startsWith(QStringLiteral("<!--"))) {
        const qsizetype end = text.indexOf(QStringLiteral("-->"));
        if (end >= 0) text = text.mid(end + 3).trimmed() + QLatin1Char('\n');
    }
    return text;
}

QString licence_text() {
    return resource_text(kLicenceResource);
}

QStringList licence_files() {
    QStringList found;
    for (const QString& place : {QStringLiteral("/usr/share/common-licenses/GPL-3")}) {
        if (QFileInfo(place).isFile()) found << place;
    }
    return found;
}

QString about_text(const QString& version, const QStringList& licence_places) {
    QString text =
        QStringLiteral(
            "Quorvel %1\n\n"
            "Follows a single-zero roulette session spin by spin and tests ways of betting "
            "on the dozens and the columns, with a test bankroll. No real money is "
            "involved.\n\n"
            "Copyright 2026 The Quorvel authors.\n\n"
            "Licence: GPL-3.0-or-later. Quorvel is free software: you may share and change "
            "it under the terms of the GNU General Public License, version 3 or (at your "
            "option) any later version. It comes with no warranty.\n\n"
            "The licence's full text: \"Licence text\" below")
            .arg(version);
    for (const QString& place : licence_places)
        text += QStringLiteral(", %1").arg(place);
    text += QStringLiteral(" and %1.").arg(kLicenceAddress);
    return text;
}

HelpPages::HelpPages(QWidget* window) : QObject(window), window_(window) {}

QWidget* HelpPages::show_page(QPointer<QWidget>& page, const QString& name, const QString& title,
                              const QString& text, bool markdown) {
    if (page.isNull()) {
        // A window of its own, not a child of the table: the table stays on
        // top of other windows and would hold the page under it.
        auto* dialog = new QDialog(nullptr, Qt::Window);
        dialog->setObjectName(name);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setWindowTitle(title);
        auto* browser = new QTextBrowser(dialog);
        browser->setObjectName(name + QStringLiteral("Text"));
        browser->setOpenExternalLinks(true);
        QFont font = browser->font();
        font.setPointSizeF(std::max(font.pointSizeF(), 10.0));
        browser->setFont(font);
        browser->document()->setDocumentMargin(14);
        if (markdown) {
            browser->setMarkdown(text);
            // The keys' table with room in its cells and a single rule.
            for (QTextFrame* frame : browser->document()->rootFrame()->childFrames()) {
                if (auto* table = qobject_cast<QTextTable*>(frame)) {
                    QTextTableFormat format = table->format();
                    format.setCellPadding(4);
                    format.setCellSpacing(0);
                    format.setBorderCollapse(true);
                    table->setFormat(format);
                }
            }
        } else {
            browser->setPlainText(text);
        }
        auto* layout = new QVBoxLayout(dialog);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(browser);
        dialog->resize(560, 620);
        // The page goes with the table window.
        connect(window_, &QObject::destroyed, dialog, &QObject::deleteLater);
        page = dialog;
    }
    page->show();
    page->raise();
    page->activateWindow();
    return page;
}

void HelpPages::show_guide() {
    QString text = guide_text();
    if (text.isEmpty()) text = QStringLiteral("The guide is missing from this build of Quorvel.");
    show_page(guide_, QStringLiteral("Guide"), QStringLiteral("Quorvel guide"), text, true);
}

void HelpPages::show_about() {
    auto* box = new QMessageBox(window_);
    box->setObjectName(QStringLiteral("About"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowTitle(QStringLiteral("About Quorvel"));
    box->setIcon(QMessageBox::Information);
    box->setTextFormat(Qt::PlainText);
    box->setText(about_text(QStringLiteral(QUORVEL_VERSION), licence_files()));
    QPushButton* licence = box->addButton(QStringLiteral("Licence text"), QMessageBox::ActionRole);
    licence->setObjectName(QStringLiteral("LicenceText"));
    box->addButton(QMessageBox::Close);
    connect(licence, &QPushButton::clicked, this, [this] {
        show_page(licence_, QStringLiteral("Licence"),
                  QStringLiteral("GNU General Public License, version 3"), licence_text(), false);
    });
    // Without a loop of its own, so the table's timers run on meanwhile.
    box->open();
}

}  // namespace quorvel
