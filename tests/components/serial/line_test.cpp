// What the port sets on the line, read back from the device the way another program sees it.
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QFile>

#include "customrate.h"
#include "mscomm.h"
#include "ptypair.h"
#include "termios2probe.h"

using kserial::MSComm;

namespace {

struct RateCase {
    uint32_t baud;
    bool custom;  // no Bnnn constant: must go through BOTHER
};

class LineRate : public testing::TestWithParam<RateCase> {};

TEST_P(LineRate, IsSetOnTheDeviceAndReadsBack) {
    const RateCase c = GetParam();
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    MSComm comm;
    ASSERT_TRUE(comm.setPortName(pty.slavePath()));
    ASSERT_TRUE(comm.setSettings(QStringLiteral("%1,N,8,1").arg(c.baud)));
    ASSERT_TRUE(comm.setPortOpen(true)) << comm.lastError().description.toStdString();

    const int fd = ::open(QFile::encodeName(pty.slavePath()).constData(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    const std::optional<ProbedRate> rate = probeRate(fd);
    ::close(fd);
    ASSERT_TRUE(rate.has_value());
    EXPECT_EQ(rate->output, c.baud);
    EXPECT_EQ(rate->input, c.baud);
    EXPECT_EQ(rate->usesBother, c.custom);
}

INSTANTIATE_TEST_SUITE_P(Rates, LineRate,
                         testing::Values(RateCase{1200, false}, RateCase{115200, false},
                                         RateCase{230400, false}, RateCase{460800, false},
                                         RateCase{921600, false}, RateCase{76800, true},
                                         RateCase{250000, true}, RateCase{1234, true},
                                         RateCase{3686400, true}));

// The read-back check that refuses a driver which kept another rate.
TEST(LineRate, HeldRateMustMatchTheAskedOne) {
    const struct {
        uint32_t asked, held;
        bool ok;
    } cases[] = {
        {230400, 230400, true},  {921600, 921600, true}, {460800, 115200, false},
        {921600, 9600, false},   {230400, 0, false},     {230400, 232704, true},  // 1 % off
        {230400, 232800, false}, {115200, 114048, true}, {115200, 114047, false},
        {1200, 1200, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kserial::rateHeld(c.asked, c.held), c.ok) << c.asked << " held " << c.held;
}

TEST(LineMode, IsRawWithTheRequestedStopBits) {
    for (int stopBits : {1, 2}) {
        PtyPair pty;
        ASSERT_TRUE(pty.ok());
        MSComm comm;
        ASSERT_TRUE(comm.setPortName(pty.slavePath()));
        ASSERT_TRUE(comm.setSettings(QStringLiteral("9600,N,8,%1").arg(stopBits)));
        ASSERT_TRUE(comm.setPortOpen(true));

        const int fd = ::open(QFile::encodeName(pty.slavePath()).constData(), O_RDWR | O_NOCTTY);
        ASSERT_GE(fd, 0);
        termios tio{};
        ASSERT_EQ(tcgetattr(fd, &tio), 0);
        ::close(fd);
        EXPECT_EQ(tio.c_lflag & (ECHO | ECHONL | ICANON | ISIG | IEXTEN), 0u);
        EXPECT_EQ(tio.c_iflag & (ICRNL | INLCR | IGNCR | IXON | IXOFF | ISTRIP), 0u);
        EXPECT_EQ(tio.c_oflag & OPOST, 0u);
        EXPECT_EQ(tio.c_cflag & CRTSCTS, 0u);
        EXPECT_NE(tio.c_cflag & CREAD, 0u);
        EXPECT_NE(tio.c_cflag & CLOCAL, 0u);
        EXPECT_EQ((tio.c_cflag & CSTOPB) != 0, stopBits == 2);
    }
}

}  // namespace
