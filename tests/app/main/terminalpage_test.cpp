// The terminal page on a real pseudo-terminal whose far end is the test: counters, the line
// end rule, presets, a port another program holds, a megabyte in hexadecimal mode, text in
// either encoding, the box following the newest text, and the auto send on a virtual clock.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdio>

#include "main/terminalpage.h"
#include "ptypeer.h"
#include "stderrcapture.h"
#include "virtualjobclock.h"

using namespace korvan;
using korvan::jobs::testing::VirtualJobClock;

class TerminalPageTest : public QObject {
    Q_OBJECT

    QTemporaryDir locks_;
    VirtualJobClock clock_;

  private slots:
    void initTestCase() {
        QVERIFY(locks_.isValid());
        kserial::MSComm::setLockDirectory(locks_.path());
        qputenv("KORVAN_MESSAGE_ANSWER", "1");
    }

    void theSentCounterCountsTextAndHexSends() {
        Peer peer;
        QVERIFY(peer.valid());
        jobs::PortAccess port;
        port.setTarget(jobs::ParsePortArgument(peer.path()));
        TerminalPage page(port, clock_);
        page.sendBox()->setPlainText(QStringLiteral("ab"));
        page.sendTerminal();  // opens the terminal first
        QVERIFY(page.terminalOpen());
        page.sendTerminal();
        QCOMPARE(page.sentCount(), 4u);
        QCOMPARE(peer.readUntil(4), QByteArray("abab"));
        page.hexBox()->setChecked(true);
        page.sendBox()->setPlainText(QStringLiteral("12 34"));
        page.sendTerminal();
        QCOMPARE(page.sentCount(), 6u);
        QCOMPARE(peer.readUntil(2), QByteArray::fromHex("1234"));
        QCOMPARE(page.sentLabel()->text(), QStringLiteral("发送: 6"));
        QTest::mouseClick(page.sentLabel(), Qt::LeftButton);
        QCOMPARE(page.sentCount(), 0u);
        QCOMPARE(page.sentLabel()->text(), QStringLiteral("发送: 0"));
    }

    void aSendAfterAReplyWithoutLineEndStartsANewLine() {
        Peer peer;
        QVERIFY(peer.valid());
        jobs::PortAccess port;
        port.setTarget(jobs::ParsePortArgument(peer.path()));
        TerminalPage page(port, clock_);
        page.lineBreakBox()->setChecked(true);
        page.sendBox()->setPlainText(QStringLiteral("x"));
        page.sendTerminal();
        QCOMPARE(page.receiveBox()->toPlainText(), QString());  // empty box: nothing appended
        QCOMPARE(peer.writeSome("hi"), 2);
        QTRY_COMPARE_WITH_TIMEOUT(page.receivedCount(), 2u, kStallMs);
        page.sendTerminal();
        QCOMPARE(page.receiveBox()->toPlainText(), QStringLiteral("hi\n"));
        page.sendTerminal();  // the box ends with a line end now
        QCOMPARE(page.receiveBox()->toPlainText(), QStringLiteral("hi\n"));
        QTest::mouseClick(page.receivedLabel(), Qt::LeftButton);
        QCOMPARE(page.receivedLabel()->text(), QStringLiteral("接收: 0"));
    }

    void aPresetKeepsTheStoredCommand() {
        Peer peer;
        QVERIFY(peer.valid());
        jobs::PortAccess port;
        port.setTarget(jobs::ParsePortArgument(peer.path()));
        TerminalPage page(port, clock_);
        QCOMPARE(page.syncPortSettings(QStringLiteral("12 34;9600,N,8,1"), false),
                 QStringLiteral("12 34;9600,N,8,1"));
        page.openTerminal(true, true);
        QVERIFY(page.terminalOpen());
        page.applyPreset(QStringLiteral("&5 19200,E,7,1"));
        QCOMPARE(page.syncPortSettings(QString(), false), QStringLiteral("12 34;19200,E,7,1"));
        QCOMPARE(page.combo(TerminalSettings::Baud)->currentText(), QStringLiteral("19200 bps"));
        QCOMPARE(page.settingsLabel()->text(), QStringLiteral("串口参数：19200,E,7,1"));
        QCOMPARE(port.comm().Settings(), QStringLiteral("19200,E,7,1"));
        QVERIFY(port.isOpen());
        // An unknown baud leaves the baud combo as it was.
        page.syncPortSettings(QStringLiteral(";1234,N,8,1"), true);
        QCOMPARE(page.combo(TerminalSettings::Baud)->currentText(), QStringLiteral("19200 bps"));
        QCOMPARE(page.combo(TerminalSettings::Parity)->currentIndex(), 0);
    }

    void aPortAnotherProgramHoldsGives8005() {
        Peer peer;
        QVERIFY(peer.valid());
        QProcess holder;
        holder.setStandardInputFile(peer.path());
        holder.start(QStringLiteral("sleep"), {QStringLiteral("30")});
        QVERIFY(holder.waitForStarted());
        jobs::PortAccess port;
        port.setTarget(jobs::ParsePortArgument(peer.path()));
        TerminalPage page(port, clock_);
        const QString said = StandardErrorOf([&page] { page.openTerminal(true, true); });
        holder.kill();
        holder.waitForFinished();
        QVERIFY(!page.terminalOpen());
        QVERIFY(!port.isOpen());
        QVERIFY2(said.contains(QStringLiteral("已经打开")), qPrintable(said));
    }

    void aMegabyteInHexModeIsCountedExactly() {
        Peer peer;
        QVERIFY(peer.valid());
        jobs::PortAccess port;
        port.setTarget(jobs::ParsePortArgument(peer.path()));
        TerminalPage page(port, clock_);
        page.hexBox()->setChecked(true);
        page.openTerminal(true, true);
        QVERIFY(page.terminalOpen());
        constexpr qsizetype kSize = 1024 * 1024;
        QByteArray data(kSize, '\0');
        for (qsizetype i = 0; i < kSize; ++i) data[i] = char((i * 7 + i / 251) & 0xFF);
        qsizetype written = 0;
        // However slowly the machine goes, the count only has to keep moving.
        QElapsedTimer stalled;
        stalled.start();
        while (page.receivedCount() < kSize && stalled.elapsed() < kStallMs) {
            const qsizetype counted = qsizetype(page.receivedCount());
            const qsizetype sent = written;
            if (written < kSize) written += peer.writeSome(QByteArrayView(data).sliced(written));
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            if (written > sent || qsizetype(page.receivedCount()) > counted) stalled.restart();
        }
        QCOMPARE(qsizetype(page.receivedCount()), kSize);
        page.flushReceived();
        // Three characters a byte: the box was emptied once it passed its bound and went on
        // with whole bytes, so what it shows is the end of the stream.
        const QString shown = page.receiveBox()->toPlainText();
        QVERIFY(!shown.isEmpty());
        QVERIFY(shown.size() <= kReceiveBoxLimit);
        QCOMPARE(shown.size() % 3, 0);
        QVERIFY(HexReceived(data).endsWith(shown));
    }
    void theReceiveBoxFollowsTheNewestText() {
        jobs::PortAccess port;
        TerminalPage page(port, clock_);
        page.resize(480, 240);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        for (int i = 0; i < 100; ++i) {
            page.appendReceived(QStringLiteral("line %1\r\n").arg(i));
            QCoreApplication::processEvents();
        }
        QPlainTextEdit* box = page.receiveBox();
        QVERIFY(box->verticalScrollBar()->value() > 0);
        QVERIFY(box->textCursor().atEnd());
        QVERIFY(box->viewport()->rect().contains(box->cursorRect()));
    }

    void textGoesBothWaysInTheChosenEncoding_data() {
        QTest::addColumn<int>("encoding");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("UTF-8") << 0 << QByteArray::fromHex("e4b8ad");
        QTest::newRow("GBK") << 1 << QByteArray::fromHex("d6d0");
    }
    void textGoesBothWaysInTheChosenEncoding() {
        QFETCH(int, encoding);
        QFETCH(QByteArray, bytes);
        Peer peer;
        QVERIFY(peer.valid());
        jobs::PortAccess port;
        port.setTarget(jobs::ParsePortArgument(peer.path()));
        TerminalPage page(port, clock_);
        page.encodingBox()->setCurrentIndex(encoding);
        page.sendBox()->setPlainText(QStringLiteral("中"));
        page.sendTerminal();
        QCOMPARE(page.sentCount(), 1u);
        QCOMPARE(peer.readUntil(bytes.size()), bytes);
        QCOMPARE(peer.writeSome(bytes), bytes.size());
        QTRY_COMPARE_WITH_TIMEOUT(page.receivedCount(), 1u, kStallMs);
        page.flushReceived();
        QCOMPARE(page.receiveBox()->toPlainText(), QStringLiteral("中"));
    }

    void autoSendSendsOncePerPeriodWhileTheTerminalIsOpen() {
        Peer peer;
        QVERIFY(peer.valid());
        jobs::PortAccess port;
        port.setTarget(jobs::ParsePortArgument(peer.path()));
        TerminalPage page(port, clock_);
        bool busy = false;
        page.setBusyCheck([&busy] { return busy; });
        page.sendBox()->setPlainText(QStringLiteral("ab"));
        page.periodBox()->setText(QStringLiteral("250"));
        page.autoSendBox()->setChecked(true);
        QVERIFY(!page.autoSending());  // ticked while closed: nothing runs yet
        clock_.advance(1000);
        QCOMPARE(page.sentCount(), 0u);

        page.openTerminal(true, true);
        QVERIFY(page.autoSending());
        clock_.advance(249);
        QCOMPARE(page.sentCount(), 0u);
        clock_.advance(1);
        QCOMPARE(page.sentCount(), 2u);
        clock_.advance(750);
        QCOMPARE(page.sentCount(), 8u);
        QCOMPARE(peer.readUntil(8), QByteArray("abababab"));

        // While a job has the port the ticks are skipped, and the timer goes on.
        busy = true;
        clock_.advance(1000);
        QCOMPARE(page.sentCount(), 8u);
        QVERIFY(page.autoSending());
        busy = false;

        // A new period counts from the moment the box is left.
        page.periodBox()->setText(QStringLiteral("100"));
        emit page.periodBox()->editingFinished();
        clock_.advance(100);
        QCOMPARE(page.sentCount(), 10u);
        QCOMPARE(peer.readUntil(2), QByteArray("ab"));
    }

    // The hexadecimal send fills the data text's variables: the increment's next number and
    // the clock's date and time, by the send button and by the auto send alike.
    void hexSendFillsTheVariables_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("serial");
        QTest::addColumn<bool>("autoSend");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("N by the button")
            << "%N" << qint64(0x1234) << false << QByteArray::fromHex("00001234");
        QTest::newRow("N in two bytes")
            << "AA %NL2" << qint64(300) << false << QByteArray::fromHex("AA012C");
        QTest::newRow("date, time, weekday")
            << "%D %T %W" << qint64(1) << false << QByteArray::fromHex("090C07080F1E01");
        QTest::newRow("N by the auto send")
            << "%NL1" << qint64(9) << true << QByteArray::fromHex("09");
    }
    void hexSendFillsTheVariables() {
        QFETCH(QString, text);
        QFETCH(qint64, serial);
        QFETCH(bool, autoSend);
        QFETCH(QByteArray, expected);
        Peer peer;
        QVERIFY(peer.valid());
        jobs::PortAccess port;
        port.setTarget(jobs::ParsePortArgument(peer.path()));
        VirtualJobClock clock;
        clock.setStart(QDateTime(QDate(2009, 12, 7), QTime(8, 15, 30)));  // a Monday
        TerminalPage page(port, clock);
        page.setSerialSource([serial] { return serial; });
        page.hexBox()->setChecked(true);
        page.sendBox()->setPlainText(text);
        if (autoSend) {
            page.periodBox()->setText(QStringLiteral("100"));
            page.autoSendBox()->setChecked(true);
            page.openTerminal(true, true);
            clock.advance(100);
        } else {
            page.sendTerminal();
        }
        QCOMPARE(peer.readUntil(expected.size()), expected);
    }

    void autoSendStops_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("unticked") << 0;
        QTest::newRow("terminal closed by its button") << 1;
        QTest::newRow("a job takes the port") << 2;
        QTest::newRow("period left empty") << 3;
        QTest::newRow("period 0") << 4;
    }
    void autoSendStops() {
        QFETCH(int, how);
        Peer peer;
        QVERIFY(peer.valid());
        jobs::PortAccess port;
        port.setTarget(jobs::ParsePortArgument(peer.path()));
        TerminalPage page(port, clock_);
        page.sendBox()->setPlainText(QStringLiteral("z"));
        page.periodBox()->setText(QStringLiteral("100"));
        page.openTerminal(true, true);
        page.autoSendBox()->setChecked(true);
        clock_.advance(100);
        QCOMPARE(page.sentCount(), 1u);
        switch (how) {
            case 0:
                page.autoSendBox()->setChecked(false);
                break;
            case 1:
                QTest::mouseClick(page.openButton(), Qt::LeftButton);
                QVERIFY(!port.isOpen());
                break;
            case 2:
                page.openTerminal(false, false);
                QVERIFY(!port.isOpen());
                break;
            case 3:
            case 4:
                page.periodBox()->setText(how == 3 ? QString() : QStringLiteral("0"));
                emit page.periodBox()->editingFinished();
                QCOMPARE(page.periodBox()->text(), QStringLiteral("0"));
                break;
        }
        QVERIFY(!page.autoSending());
        clock_.advance(1000);
        QCOMPARE(page.sentCount(), 1u);
        QCOMPARE(peer.readUntil(1), QByteArray("z"));
    }
};

QTEST_MAIN(TerminalPageTest)
#include "terminalpage_test.moc"
