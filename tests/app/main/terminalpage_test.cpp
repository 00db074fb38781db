// The terminal page on a real pseudo-terminal whose far end is the test: counters, the line
// end rule, presets, a port another program holds, and a megabyte in hexadecimal mode.
#include <fcntl.h>
#include <unistd.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdio>

#include "main/terminalpage.h"
#include "stderrcapture.h"

using namespace korvan;

namespace {

// The far end of the terminal's port. The master is not inherited: a child holding it would
// count as the port's far end, not as a program that has the port open.
class Peer {
  public:
    Peer() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return;
        path_ = QString::fromLocal8Bit(::ptsname(master_));
    }
    ~Peer() {
        if (master_ >= 0) ::close(master_);
    }
    Peer(const Peer&) = delete;
    Peer& operator=(const Peer&) = delete;
    bool valid() const { return !path_.isEmpty(); }
    const QString& path() const { return path_; }
    QByteArray read() {
        QByteArray all;
        char buffer[4096];
        for (ssize_t n; (n = ::read(master_, buffer, sizeof buffer)) > 0;) all.append(buffer, n);
        return all;
    }
    // Writes as much as the line takes now; returns how much that was.
    qsizetype writeSome(QByteArrayView bytes) {
        const ssize_t n = ::write(master_, bytes.data(), size_t(bytes.size()));
        return n < 0 ? 0 : n;
    }

  private:
    int master_ = -1;
    QString path_;
};

QByteArray ReadUntil(Peer& peer, qsizetype size) {
    QByteArray all;
    QElapsedTimer waited;
    waited.start();
    while (all.size() < size && waited.elapsed() < 5000) {
        all += peer.read();
        QTest::qWait(5);
    }
    return all;
}

}  // namespace

class TerminalPageTest : public QObject {
    Q_OBJECT

    QTemporaryDir locks_;

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
        TerminalPage page(port);
        page.sendBox()->setPlainText(QStringLiteral("ab"));
        page.sendTerminal();  // opens the terminal first
        QVERIFY(page.terminalOpen());
        page.sendTerminal();
        QCOMPARE(page.sentCount(), 4u);
        QCOMPARE(ReadUntil(peer, 4), QByteArray("abab"));
        page.hexBox()->setChecked(true);
        page.sendBox()->setPlainText(QStringLiteral("12 34"));
        page.sendTerminal();
        QCOMPARE(page.sentCount(), 6u);
        QCOMPARE(ReadUntil(peer, 2), QByteArray::fromHex("1234"));
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
        TerminalPage page(port);
        page.lineBreakBox()->setChecked(true);
        page.sendBox()->setPlainText(QStringLiteral("x"));
        page.sendTerminal();
        QCOMPARE(page.receiveBox()->toPlainText(), QString());  // empty box: nothing appended
        QCOMPARE(peer.writeSome("hi"), 2);
        QTRY_COMPARE(page.receivedCount(), 2u);
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
        TerminalPage page(port);
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
        TerminalPage page(port);
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
        TerminalPage page(port);
        page.hexBox()->setChecked(true);
        page.openTerminal(true, true);
        QVERIFY(page.terminalOpen());
        constexpr qsizetype kSize = 1024 * 1024;
        QByteArray data(kSize, '\0');
        for (qsizetype i = 0; i < kSize; ++i) data[i] = char((i * 7 + i / 251) & 0xFF);
        qsizetype written = 0;
        QElapsedTimer waited;
        waited.start();
        while (page.receivedCount() < kSize && waited.elapsed() < 60000) {
            if (written < kSize) written += peer.writeSome(QByteArrayView(data).sliced(written));
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
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
};

QTEST_MAIN(TerminalPageTest)
#include "terminalpage_test.moc"
