// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The guide shipped inside the program and "About Quorvel": found by the
// program, the same text as the README's guide, and reached by F1 and the menu.
#include <memory>

#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include "app/table/help_pages.hpp"
#include "app/table/tform1.hpp"

namespace {

// The README's guide: the lines between its two markers.
QString readme_guide() {
    QFile readme(QStringLiteral(QUORVEL_SOURCE_DIR "/README.md"));
    if (!readme.open(QIODevice::ReadOnly)) return {};
    const QString text = QString::fromUtf8(readme.readAll());
    const QString begin = QStringLiteral("<!-- The guide begins");
    const QString end = QStringLiteral("<!-- The guide ends -->");
    const qsizetype from = text.indexOf(QLatin1Char('\n'), text.indexOf(begin));
    const qsizetype to = text.indexOf(end);
    if (text.indexOf(begin) < 0 || to < 0) return {};
    return text.mid(from + 1, to - from - 1);
}

QWidget* top_level_named(const QString& name) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == name && widget->isVisible()) return widget;
    }
    return nullptr;
}

}  // namespace

class HelpTest : public QObject {
    Q_OBJECT

private slots:
    void the_program_finds_its_guide_on_every_subject() {
        const QString guide = quorvel::guide_text();
        QVERIFY(!guide.isEmpty());
        // The licence comment at the file's head is not shown.
        QVERIFY(!guide.contains(QStringLiteral("SPDX")));
        QVERIFY(!guide.contains(QStringLiteral("<!--")));
        for (const char* subject :
             {"### Entering spins", "### Undo", "### The settings", "### Sessions", "### The lab",
              "### Keys", "Ctrl+Z", "Ctrl+H", "F1", "Escape"}) {
            QVERIFY2(guide.contains(QLatin1String(subject)), subject);
        }
    }

    void the_readme_says_what_the_guide_says() {
        const QString readme = readme_guide();
        QVERIFY2(!readme.isEmpty(), "README.md has no guide between the markers");
        QCOMPARE(readme, quorvel::guide_text());
    }

    void the_licence_text_is_inside_the_program() {
        const QString licence = quorvel::licence_text();
        QVERIFY(licence.contains(QStringLiteral("GNU GENERAL PUBLIC LICENSE")));
        QVERIFY(licence.contains(QStringLiteral("Version 3, 29 June 2007")));
    }

    void about_names_the_version_the_licence_and_where_its_text_is() {
        const QString text =
            quorvel::about_text(QStringLiteral("4.1"), {QStringLiteral("/usr/share/x/GPL-3")});
        QVERIFY(text.startsWith(QStringLiteral("Quorvel 4.1\n")));
        QVERIFY(text.contains(QStringLiteral("GPL-3.0-or-later")));
        QVERIFY(text.contains(QStringLiteral("version 3 or (at your option) any later version")));
        QVERIFY(text.contains(QStringLiteral("\"Licence text\" below")));
        QVERIFY(text.contains(QStringLiteral("/usr/share/x/GPL-3")));
        QVERIFY(text.contains(QStringLiteral("https://www.gnu.org/licenses/gpl-3.0.html")));
        // Only the places that are there are named.
        QVERIFY(!quorvel::about_text(QStringLiteral("4.1"), {}).contains(QStringLiteral("/usr")));
        for (const QString& place : quorvel::licence_files())
            QVERIFY(QFile::exists(place));
    }

    void f1_opens_the_guide_and_again_brings_the_same_one() {
        const auto form = std::make_unique<quorvel::TForm1>();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QTest::keyClick(form.get(), Qt::Key_F1);
        QWidget* guide = top_level_named(QStringLiteral("Guide"));
        QVERIFY(guide != nullptr);
        auto* text = guide->findChild<QTextBrowser*>(QStringLiteral("GuideText"));
        QVERIFY(text != nullptr);
        QVERIFY(text->toPlainText().contains(QStringLiteral("Entering spins")));
        // Rendered, not shown as Markdown source.
        QVERIFY(!text->toPlainText().contains(QStringLiteral("###")));
        QTest::keyClick(form.get(), Qt::Key_F1);
        QCOMPARE(top_level_named(QStringLiteral("Guide")), guide);
        guide->close();
    }

    void the_menu_offers_help_and_about() {
        const auto form = std::make_unique<quorvel::TForm1>();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QStringList offered;
        const auto choose = [&](const QString& entry) {
            QTimer::singleShot(0, form.get(), [&form, &offered, entry] {
                auto* menu = form->findChild<QMenu*>(QStringLiteral("TableMenu"));
                if (menu == nullptr) return;
                offered.clear();
                for (QAction* action : menu->actions()) {
                    if (!action->isSeparator()) offered << action->text();
                    if (action->text() == entry) {
                        menu->close();
                        action->trigger();
                        return;
                    }
                }
                menu->close();
            });
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(100, 100),
                                    form->mapToGlobal(QPoint(100, 100)));
            QApplication::sendEvent(form.get(), &event);
        };
        choose(QStringLiteral("About Quorvel"));
        QVERIFY2(offered.contains(QStringLiteral("Help")), qPrintable(offered.join(", ")));
        QTRY_VERIFY(form->findChild<QMessageBox*>(QStringLiteral("About")) != nullptr);
        auto* about = form->findChild<QMessageBox*>(QStringLiteral("About"));
        QVERIFY(about->text().startsWith(QStringLiteral("Quorvel 4.1")));
        QVERIFY(about->text().contains(QStringLiteral("GPL-3.0-or-later")));
        // Its "Licence text" shows the whole licence.
        about->findChild<QPushButton*>(QStringLiteral("LicenceText"))->click();
        QWidget* licence = top_level_named(QStringLiteral("Licence"));
        QVERIFY(licence != nullptr);
        QVERIFY(licence->findChild<QTextBrowser*>()->toPlainText().contains(
            QStringLiteral("TERMS AND CONDITIONS")));
        licence->close();

        choose(QStringLiteral("Help"));
        QVERIFY(top_level_named(QStringLiteral("Guide")) != nullptr);
        top_level_named(QStringLiteral("Guide"))->close();
    }
};

QTEST_MAIN(HelpTest)
#include "help_test.moc"
