// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

// A session file whose key and name hold what a terminal or a message box
// would act on (escape sequences, C1 controls, direction overrides, bytes
// that are no UTF-8, a key of megabytes) is refused by the lab and by the
// window alike, and neither message carries one of those bytes or the whole
// huge key.
#include <memory>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "app/table/tform1.hpp"

namespace {

// What must never reach a terminal or a message box: C0 controls (except
// the message's own line ends), DEL, C1 controls, the direction embeddings,
// overrides and isolates, and bytes that are not UTF-8.
QString unsafe_in(const QByteArray& bytes) {
    const QString text = QString::fromUtf8(bytes);
    if (text.toUtf8() != bytes) return QStringLiteral("bytes that are not UTF-8");
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != u'\n') || (u >= 0x7F && u <= 0x9F) ||
            (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069))
            return QStringLiteral("U+%1").arg(static_cast<int>(u), 4, 16, QLatin1Char('0'));
    }
    return {};
}

}  // namespace

class HostileTextTest : public QObject {
    Q_OBJECT

private slots:
    void no_byte_of_a_file_reaches_the_terminal_or_a_message_unmasked_data() {
        QTest::addColumn<QByteArray>("hostile");
        QTest::newRow("escape sequence") << QByteArray("\x1b]2;owned\x07\x1b[2J");
        QTest::newRow("C1 CSI") << QByteArray("\xc2\x9b" "31m");
        QTest::newRow("DEL") << QByteArray("a\x7f" "b");
        QTest::newRow("right-to-left override") << QByteArray("abc\xe2\x80\xae" "fed");
        QTest::newRow("first strong isolate") << QByteArray("abc\xe2\x81\xa8" "fed");
        QTest::newRow("invalid UTF-8") << QByteArray("\xff\xfe\xc0\xaf");
        QTest::newRow("carriage return") << QByteArray("ok\rforged");
        QTest::newRow("huge key") << QByteArray(50 * 1000, 'k');
    }

    void no_byte_of_a_file_reaches_the_terminal_or_a_message_unmasked() {
        QFETCH(QByteArray, hostile);
        QTemporaryDir dir;
        // The name holds the same bytes, except the huge key, which no file
        // name could hold.
        const QByteArray name = hostile.size() > 200 ? QByteArray("huge") : hostile;
        const QString path = dir.path() + QLatin1Char('/') + QFile::decodeName(name) +
                             QStringLiteral(".quorvel");
        {
            QFile file(path);
            QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
            file.write("{\"format\":\"quorvel-session\",\"version\":1,\"start\":1767225600}\n"
                       "{\"number\":3}\n{\"" + hostile + "\":1}\n");
        }

        QProcess lab;
        lab.start(QStringLiteral(QUORVEL_LAB_PROGRAM), {path});
        QVERIFY(lab.waitForFinished(30000));
        QCOMPARE(lab.exitCode(), 2);
        const QByteArray said = lab.readAllStandardError();
        QVERIFY2(said.contains(":3:"), said.constData());
        QVERIFY2(unsafe_in(said).isEmpty(), qPrintable(unsafe_in(said)));
        QVERIFY2(said.size() < 1000, said.left(200).constData());

        quorvel::TForm1 form;
        QStringList errors;
        form.set_error_reporter([&errors](const QString& message) { errors << message; });
        form.open_session(path);
        QCOMPARE(errors.size(), 1);
        const QByteArray shown = errors.front().toUtf8();
        QVERIFY2(shown.contains(":3:"), shown.constData());
        QVERIFY2(unsafe_in(shown).isEmpty(), qPrintable(unsafe_in(shown)));
        QVERIFY2(shown.size() < 1000, shown.left(200).constData());
        QVERIFY(form.game().NumbersList.empty());
    }
};

QTEST_MAIN(HostileTextTest)
#include "hostile_text_test.moc"
