// Moving bytes: receive events, order over large transfers, draining on close, text decoding.
#include <poll.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QSocketNotifier>
#include <QTest>
#include <cerrno>
#include <thread>

#include "mscomm.h"
#include "ptypair.h"

using kserial::MSComm;

namespace {

constexpr int kWaitMs = 30000;

QByteArray randomBytes(qsizetype size, quint32 seed) {
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator gen(seed);
    for (char& b : bytes) b = char(gen.bounded(256));
    return bytes;
}

class PortIo : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(pty.ok());
        ASSERT_TRUE(comm.setPortName(pty.slavePath()));
        ASSERT_TRUE(comm.setSettings(QStringLiteral("115200,N,8,1")));
        ASSERT_TRUE(comm.setPortOpen(true)) << comm.lastError().description.toStdString();
    }

    PtyPair pty;
    MSComm comm;
};

TEST_F(PortIo, BytesArrivingInPiecesRaiseAnEventEachAndInputReturnsOnlyTheNew) {
    ASSERT_TRUE(comm.setInputMode(MSComm::comInputModeBinary));
    QSignalSpy events(&comm, &MSComm::OnComm);
    const QByteArray pieces[] = {"abc", "\r\n", QByteArray("\x00\x11\x13\x7f", 4), "defg"};
    int eventsBefore = 0;
    for (const QByteArray& piece : pieces) {
        ASSERT_TRUE(pty.send(piece));
        QByteArray got;
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                if (events.size() > eventsBefore) {
                    EXPECT_EQ(comm.CommEvent(), MSComm::comEvReceive);
                    const QVariant v = comm.Input();
                    EXPECT_EQ(v.typeId(), QMetaType::QByteArray);
                    got += v.toByteArray();
                    eventsBefore = int(events.size());
                }
                return got.size() >= piece.size();
            },
            kWaitMs));
        EXPECT_EQ(got, piece);  // nothing from an earlier piece, raw: no CR/LF or XON changes
    }
    EXPECT_GE(events.size(), int(std::size(pieces)));
    EXPECT_EQ(comm.InBufferCount(), 0);
}

TEST_F(PortIo, AMegabyteEachWayArrivesCompleteAndInOrder) {
    constexpr qsizetype kSize = 1 << 20;
    const QByteArray toDevice = randomBytes(kSize, 1);
    const QByteArray toHost = randomBytes(kSize, 2);
    ASSERT_TRUE(comm.setInputMode(MSComm::comInputModeBinary));

    QByteArray atHost;
    int events = 0;
    QObject::connect(&comm, &MSComm::OnComm, [&] {
        ++events;
        atHost += comm.Input().toByteArray();
    });

    // The far end reads and writes as the event loop lets it.
    QByteArray atDevice;
    qsizetype sent = 0;
    QSocketNotifier readable(pty.master(), QSocketNotifier::Read);
    QSocketNotifier writable(pty.master(), QSocketNotifier::Write);
    QObject::connect(&readable, &QSocketNotifier::activated, [&] {
        char buf[65536];
        const ssize_t n = ::read(pty.master(), buf, sizeof buf);
        if (n > 0) atDevice.append(buf, n);
    });
    QObject::connect(&writable, &QSocketNotifier::activated, [&] {
        const ssize_t n = ::write(pty.master(), toHost.constData() + sent,
                                  size_t(std::min<qsizetype>(4096, kSize - sent)));
        if (n > 0) sent += n;
        if (sent == kSize) writable.setEnabled(false);
    });

    ASSERT_TRUE(comm.Output(toDevice));
    EXPECT_GT(comm.OutBufferCount(), 0);  // more than the pty takes at once: the queue is used
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return atDevice.size() >= kSize && atHost.size() >= kSize; }, 60000));
    EXPECT_EQ(comm.OutBufferCount(), 0);
    EXPECT_TRUE(atDevice == toDevice);
    EXPECT_TRUE(atHost == toHost);
    EXPECT_GT(events, 1);
}

TEST_F(PortIo, WritesInterleavedWithAFullQueueKeepTheirOrder) {
    QByteArray expected;
    for (int i = 0; i < 64; ++i) {
        const QByteArray chunk = randomBytes(8192 + i, quint32(100 + i));
        expected += chunk;
        ASSERT_TRUE(comm.Output(chunk));
    }
    ASSERT_GT(comm.OutBufferCount(), 0);
    QByteArray got;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            got += pty.receive(expected.size() - got.size(), 0);
            return got.size() >= expected.size();
        },
        kWaitMs));
    EXPECT_TRUE(got == expected);
}

TEST_F(PortIo, ClosingSendsEverythingWrittenBeforeIt) {
    constexpr qsizetype kSize = 256 * 1024;
    const QByteArray bytes = randomBytes(kSize, 3);
    QByteArray atDevice;
    std::thread farEnd([&] { atDevice = pty.receive(kSize, kWaitMs); });

    ASSERT_TRUE(comm.Output(bytes));
    EXPECT_GT(comm.OutBufferCount(), 0);  // still queued when the close begins
    EXPECT_TRUE(comm.setPortOpen(false)) << comm.lastError().description.toStdString();
    EXPECT_FALSE(comm.PortOpen());
    farEnd.join();
    EXPECT_EQ(atDevice.size(), kSize);
    EXPECT_TRUE(atDevice == bytes);
}

TEST(DrainBudget, IsTheLineTimeOfTheBytesPlusAShortMargin) {
    struct Case {
        const char* settings;
        qint64 bytes;
        int ms;
    };
    const Case cases[] = {
        {"115200,N,8,1", 0, 100},
        {"1200,N,8,1", 7, 159},  // a baud command: 70 bits at 1200 baud, rounded up
        {"1200,E,8,1", 7, 165},  // the parity bit makes 11 bits a character
        {"9600,N,8,2", 4096, 4794},
        {"115200,N,8,1", 1 << 20, 91123},
    };
    for (const Case& c : cases) {
        const auto settings = kserial::CommSettings::parse(QString::fromLatin1(c.settings));
        ASSERT_TRUE(settings);
        EXPECT_EQ(MSComm::drainBudgetMs(*settings, c.bytes), c.ms) << c.settings << " " << c.bytes;
    }
}

TEST_F(PortIo, ClosingDropsWhatTheFarSideNeverTakes) {
    ASSERT_TRUE(comm.setPortOpen(false));
    ASSERT_TRUE(comm.setSettings(QStringLiteral("4000000,N,8,1")));
    ASSERT_TRUE(comm.setPortOpen(true)) << comm.lastError().description.toStdString();
    // The far side reads nothing: most of this stays queued, and a close must not wait for it
    // longer than its line time.
    ASSERT_TRUE(comm.Output(randomBytes(256 * 1024, 4)));
    const int queued = comm.OutBufferCount();
    ASSERT_GT(queued, 0);
    EXPECT_FALSE(comm.setPortOpen(false));
    EXPECT_FALSE(comm.PortOpen());
    EXPECT_EQ(comm.OutBufferCount(), 0);
    EXPECT_TRUE(comm.lastError().description.contains(QStringLiteral("dropped")))
        << comm.lastError().description.toStdString();
    // The port is usable again at once.
    pty.receive(512 * 1024, 200);
    ASSERT_TRUE(comm.setPortOpen(true)) << comm.lastError().description.toStdString();
}

TEST_F(PortIo, ACommandWrittenJustBeforeCloseAndReopenStillArrives) {
    const QByteArray command("\x46\xB9\x6A\x00\x0D\x8F\x16", 7);
    ASSERT_TRUE(comm.Output(command));
    ASSERT_TRUE(comm.setPortOpen(false));
    ASSERT_TRUE(comm.setSettings(QStringLiteral("250000,N,8,1")));
    ASSERT_TRUE(comm.setPortOpen(true));
    EXPECT_EQ(pty.receive(command.size()), command);
}

TEST_F(PortIo, TextModeCarriesAnUnfinishedCharacterToTheNextRead) {
    const QString text = QStringLiteral("a\u00e9\u4e2d\U0001F600z");
    const QByteArray utf8 = text.toUtf8();
    for (qsizetype cut = 0; cut <= utf8.size(); ++cut) {
        QString got;
        for (const QByteArray& part : {utf8.left(cut), utf8.mid(cut)}) {
            if (part.isEmpty()) continue;
            const int before = comm.InBufferCount();
            ASSERT_TRUE(pty.send(part));
            ASSERT_TRUE(QTest::qWaitFor(
                [&] { return comm.InBufferCount() >= before + part.size(); }, kWaitMs));
            const QVariant v = comm.Input();
            EXPECT_EQ(v.typeId(), QMetaType::QString);
            got += v.toString();
        }
        EXPECT_EQ(got, text) << "cut at byte " << cut;
        EXPECT_EQ(comm.InBufferCount(), 0);
    }
}

TEST_F(PortIo, SwitchingToBinaryHandsOverTheHeldBackBytes) {
    ASSERT_TRUE(pty.send(QByteArray("A\xE4\xB8")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return comm.InBufferCount() >= 3; }, kWaitMs));
    EXPECT_EQ(comm.Input().toString(), QStringLiteral("A"));
    EXPECT_EQ(comm.InBufferCount(), 2);
    ASSERT_TRUE(comm.setInputMode(MSComm::comInputModeBinary));
    EXPECT_EQ(comm.Input().toByteArray(), QByteArray("\xE4\xB8"));
}

TEST_F(PortIo, InvalidBytesInTextModeAreNotHeldBack) {
    ASSERT_TRUE(pty.send(QByteArray("x\xFF\x80")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return comm.InBufferCount() >= 3; }, kWaitMs));
    const QString got = comm.InputText();
    EXPECT_TRUE(got.startsWith(u'x'));
    EXPECT_TRUE(got.contains(QChar::ReplacementCharacter));
    EXPECT_EQ(comm.InBufferCount(), 0);
}

TEST_F(PortIo, AHandlerMayCloseThePortFromItsEvent) {
    QObject::connect(&comm, &MSComm::OnComm, [&] {
        comm.InputBytes();
        comm.setPortOpen(false);
    });
    ASSERT_TRUE(pty.send("x"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !comm.PortOpen(); }, kWaitMs));
    ASSERT_TRUE(comm.setPortOpen(true));  // the notifiers of the closed port are gone
    ASSERT_TRUE(comm.Output("y"));
    EXPECT_EQ(pty.receive(1), QByteArray("y"));
}

TEST_F(PortIo, AVanishingDeviceClosesThePortAndSaysSo) {
    QSignalSpy events(&comm, &MSComm::OnComm);
    pty.closeMaster();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !comm.PortOpen(); }, kWaitMs));
    ASSERT_FALSE(events.isEmpty());
    EXPECT_EQ(comm.CommEvent(), MSComm::comEventDeviceLost);
    EXPECT_EQ(comm.lastError().number, kserial::comSystemError);
    EXPECT_NE(comm.lastError().systemErrno, 0);
    EXPECT_FALSE(comm.Output("z"));
}

}  // namespace
