// The port-settings text and the property rules of MSComm around it.
#include <gtest/gtest.h>

#include "commsettings.h"
#include "mscomm.h"
#include "ptypair.h"

using kserial::CommSettings;
using kserial::MSComm;

namespace {

struct GoodCase {
    const char* text;
    uint32_t baud;
    char parity;
    int dataBits;
    int stopBits;
    const char* canonical;
};

class GoodSettings : public testing::TestWithParam<GoodCase> {};

TEST_P(GoodSettings, ParseToTheirValuesAndCanonicalText) {
    const GoodCase& c = GetParam();
    const auto s = CommSettings::parse(QString::fromUtf8(c.text));
    ASSERT_TRUE(s.has_value()) << c.text;
    EXPECT_EQ(s->baud, c.baud);
    EXPECT_EQ(s->parity, c.parity);
    EXPECT_EQ(s->dataBits, c.dataBits);
    EXPECT_EQ(s->stopBits, c.stopBits);
    EXPECT_EQ(s->toString(), QString::fromUtf8(c.canonical));

    MSComm comm;
    EXPECT_TRUE(comm.setSettings(QString::fromUtf8(c.text)));
    EXPECT_TRUE(comm.lastError().ok());
    EXPECT_EQ(comm.Settings(), QString::fromUtf8(c.canonical));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, GoodSettings,
    testing::Values(GoodCase{"1200,N,8,1", 1200, 'N', 8, 1, "1200,N,8,1"},
                    GoodCase{"9600,E,7,1", 9600, 'E', 7, 1, "9600,E,7,1"},
                    GoodCase{"9600,O,7,1", 9600, 'O', 7, 1, "9600,O,7,1"},
                    GoodCase{"115200,E,8,1", 115200, 'E', 8, 1, "115200,E,8,1"},
                    GoodCase{"19200,n,5,2", 19200, 'N', 5, 2, "19200,N,5,2"},
                    GoodCase{" 38400 , e , 6 , 1 ", 38400, 'E', 6, 1, "38400,E,6,1"},
                    GoodCase{"250000,N,8,1", 250000, 'N', 8, 1, "250000,N,8,1"},
                    GoodCase{"50,N,8,2", 50, 'N', 8, 2, "50,N,8,2"},
                    GoodCase{"20000000,O,8,1", 20000000, 'O', 8, 1, "20000000,O,8,1"}));

class BadSettings : public testing::TestWithParam<const char*> {};

TEST_P(BadSettings, AreRefusedWith380AndLeaveThePortAsItWas) {
    const QString text = QString::fromUtf8(GetParam());
    EXPECT_FALSE(CommSettings::parse(text).has_value()) << GetParam();

    MSComm comm;
    ASSERT_TRUE(comm.setSettings(QStringLiteral("19200,E,7,2")));
    EXPECT_FALSE(comm.setSettings(text));
    EXPECT_EQ(comm.lastError().number, kserial::comInvalidPropertyValue);
    EXPECT_FALSE(comm.lastError().description.isEmpty());
    EXPECT_EQ(comm.Settings(), QStringLiteral("19200,E,7,2"));
}

INSTANTIATE_TEST_SUITE_P(Texts, BadSettings,
                         testing::Values("", "9600", "9600,N,8", "9600,N,8,1,0", ",N,8,1",
                                         "0,N,8,1", "49,N,8,1", "20000001,N,8,1", "-9600,N,8,1",
                                         "+9600,N,8,1", "9600.5,N,8,1", "99999999999,N,8,1",
                                         "96 00,N,8,1", "abc,N,8,1", "9600,X,8,1", "9600,M,8,1",
                                         "9600,S,8,1", "9600,NO,8,1", "9600,,8,1", "9600,N,4,1",
                                         "9600,N,9,1", "9600,N,8,0", "9600,N,8,3", "9600,N,8,1.5",
                                         "9600;N;8;1", "9600,N,8,1,"));

TEST(SettingsWhileOpen, ABadTextLeavesTheOpenPortAndItsSettingsAlone) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    MSComm comm;
    comm.setInputMode(MSComm::comInputModeBinary);
    ASSERT_TRUE(comm.setPortName(pty.slavePath()));
    ASSERT_TRUE(comm.setSettings(QStringLiteral("115200,N,8,1")));
    ASSERT_TRUE(comm.setPortOpen(true)) << comm.lastError().description.toStdString();

    EXPECT_FALSE(comm.setSettings(QStringLiteral("115200,Q,8,1")));
    EXPECT_EQ(comm.lastError().number, kserial::comInvalidPropertyValue);
    EXPECT_TRUE(comm.PortOpen());
    EXPECT_EQ(comm.Settings(), QStringLiteral("115200,N,8,1"));
    // Still a working link.
    ASSERT_TRUE(comm.Output(QByteArray("ok")));
    EXPECT_EQ(pty.receive(2), QByteArray("ok"));
}

TEST(Properties, RefuseWhatTheyCannotDoAndSayWhy) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    MSComm comm;
    EXPECT_EQ(comm.CommPort(), 1);
    EXPECT_EQ(comm.Settings(), QStringLiteral("9600,N,8,1"));
    EXPECT_EQ(comm.InputMode(), MSComm::comInputModeText);
    EXPECT_FALSE(comm.RTSEnable());

    EXPECT_FALSE(comm.Output(QByteArray("x")));
    EXPECT_EQ(comm.lastError().number, kserial::comPortNotOpen);
    EXPECT_FALSE(comm.setInputMode(2));
    EXPECT_EQ(comm.lastError().number, kserial::comInvalidPropertyValue);
    EXPECT_EQ(comm.InputMode(), MSComm::comInputModeText);
    EXPECT_TRUE(comm.setCommPort(12));  // a missing port is only refused when opened
    EXPECT_TRUE(comm.lastError().ok());

    ASSERT_TRUE(comm.setPortName(pty.slavePath()));
    ASSERT_TRUE(comm.setPortOpen(true));
    EXPECT_FALSE(comm.setCommPort(3));
    EXPECT_EQ(comm.lastError().number, kserial::comPortOpen);
    EXPECT_EQ(comm.CommPort(), 12);
    EXPECT_FALSE(comm.setPortName(QStringLiteral("/dev/null")));
    EXPECT_EQ(comm.lastError().number, kserial::comPortOpen);
    EXPECT_EQ(comm.PortName(), pty.slavePath());
    EXPECT_EQ(comm.devicePath(), pty.slavePath());

    EXPECT_TRUE(comm.setPortOpen(true));  // already open: nothing to do
    EXPECT_TRUE(comm.setPortOpen(false));
    EXPECT_FALSE(comm.PortOpen());
    EXPECT_TRUE(comm.devicePath().isEmpty());
    EXPECT_TRUE(comm.setPortOpen(false));
    EXPECT_TRUE(comm.setCommPort(3));
    EXPECT_TRUE(comm.PortName().isEmpty());
}

}  // namespace
