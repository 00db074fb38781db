// The ports of a run as the command line names them: -p repeated, --ports lists, --sim counts,
// and clear errors for lists that cannot be meant.
#include "cliargs.h"
#include "portlist.h"

#include <gtest/gtest.h>

namespace korvan::cli {
namespace {

struct PortsCase {
    const char* name;
    QStringList args;  // after "download code.hex"
    QStringList ports;
    QStringList sims;
    QString error;  // part of the error; "" when the line is fine
};

class PortArguments : public ::testing::TestWithParam<PortsCase> {};

TEST_P(PortArguments, GiveThePortsInOrderOrSayWhatIsWrong) {
    const PortsCase& c = GetParam();
    const ParseResult r = ParseArguments(QStringList{"download", "code.hex"} + c.args);
    if (!c.error.isEmpty()) {
        ASSERT_FALSE(r.options);
        EXPECT_TRUE(r.error.contains(c.error)) << r.error.toStdString();
        return;
    }
    ASSERT_TRUE(r.options) << r.error.toStdString();
    EXPECT_EQ(r.options->ports, c.ports);
    EXPECT_EQ(r.options->simModels, c.sims);
}

INSTANTIATE_TEST_SUITE_P(
    Gang, PortArguments,
    ::testing::Values(
        PortsCase{"OnePort", {"-p", "/dev/ttyUSB0"}, {"/dev/ttyUSB0"}, {}, {}},
        PortsCase{"RepeatedPorts",
                  {"-p", "/dev/ttyUSB0", "--port", "COM3", "--port=/dev/ttyUSB1"},
                  {"/dev/ttyUSB0", "COM3", "/dev/ttyUSB1"},
                  {},
                  {}},
        PortsCase{"PortList", {"--ports", "A, B,C"}, {"A", "B", "C"}, {}, {}},
        PortsCase{"ListAndSinglePortsKeepTheirOrder",
                  {"-p", "Z", "--ports=A,B", "-p", "Y"},
                  {"Z", "A", "B", "Y"},
                  {},
                  {}},
        PortsCase{"OneVirtualChip", {"--sim", "D103"}, {}, {"D103"}, {}},
        PortsCase{
            "FourVirtualChips", {"--sim", "D103x4"}, {}, {"D103", "D103", "D103", "D103"}, {}},
        PortsCase{"UpperCaseCount", {"--sim", "D103X2"}, {}, {"D103", "D103"}, {}},
        PortsCase{"NameEndingInXIsNoCount", {"--sim", "ZELH64X"}, {}, {"ZELH64X"}, {}},
        PortsCase{"NameEndingInXWithCount", {"--sim", "ZELH64Xx2"}, {}, {"ZELH64X", "ZELH64X"}, {}},
        PortsCase{"SeveralModels",
                  {"--sim", "D103x2", "--sim", "F002"},
                  {},
                  {"D103", "D103", "F002"},
                  {}},
        PortsCase{"EmptyEntryInList", {"--ports", "A,,B"}, {}, {}, "--ports 中有空的串口名"},
        PortsCase{"TrailingComma", {"--ports", "A,B,"}, {}, {}, "--ports 中有空的串口名"},
        PortsCase{"SamePortTwice", {"-p", "A", "--ports", "B,A"}, {}, {}, "串口 A 重复"},
        PortsCase{"SameComPortInOtherCase", {"--ports", "COM3,com3"}, {}, {}, "串口 com3 重复"},
        PortsCase{"ZeroChips", {"--sim", "D103x0"}, {}, {}, "--sim 的数量无效"},
        PortsCase{"TooManyChips", {"--sim", "D103x65"}, {}, {}, "--sim 的数量无效"},
        PortsCase{"TooManyChipsTogether",
                  {"--sim", "D103x40", "--sim", "F002x40"},
                  {},
                  {},
                  "虚拟单片机太多"},
        PortsCase{"EmptyModel", {"--sim", ""}, {}, {}, "--sim 的型号为空"},
        PortsCase{"PortsAndVirtualChips",
                  {"--ports", "A,B", "--sim", "D103"},
                  {},
                  {},
                  "-p 与 --sim 只能选一个"},
        // Without a port the one USB adapter present is looked for when the job starts.
        PortsCase{"NoPortAtAll", {}, {"auto"}, {}, {}},
        PortsCase{"AutoAlone", {"-p", "auto"}, {"auto"}, {}, {}},
        PortsCase{"AutoAmongOthers", {"-p", "auto", "-p", "A"}, {}, {}, "-p auto 只能单独使用"},
        PortsCase{"MonitorAfterWithRate", {"-p", "A", "--monitor", "115200"}, {"A"}, {}, {}},
        PortsCase{"MonitorOfAGang", {"--ports", "A,B", "--monitor"}, {}, {}, "监视只用于一个串口"},
        PortsCase{
            "MonitorRateInvalid", {"-p", "A", "--monitor=0"}, {}, {}, "--monitor 的波特率无效"},
        PortsCase{"MonitorOptionWithoutMonitor", {"-p", "A", "--hex"}, {}, {}, "只用于 monitor"}),
    [](const ::testing::TestParamInfo<PortsCase>& info) { return std::string(info.param.name); });

TEST(PortArguments, SeveralPortsOnlyDownload) {
    for (const char* job : {"check", "configure"}) {
        const ParseResult r = ParseArguments({job, "--ports", "A,B"});
        ASSERT_FALSE(r.options) << job;
        EXPECT_TRUE(r.error.contains("多个串口只用于 download")) << r.error.toStdString();
        EXPECT_TRUE(ParseArguments({job, "-p", "A"}).options) << job;
    }
}

TEST(PortArguments, MonitorAndPortsTakeTheirOwnOptions) {
    const struct {
        QStringList args;
        const char* error;  // part of the error; nullptr when the line is fine
        int baud;
        bool hex;
        const char* encoding;
        int seconds;  // 0: until stopped
    } cases[] = {
        {{"monitor", "-p", "COM2"}, nullptr, 9600, false, "utf-8", 0},
        {{"monitor", "--baud", "115200", "--hex", "--for=3", "--encoding", "GBK"},
         nullptr,
         115200,
         true,
         "gbk",
         3},
        {{"monitor", "--encoding", "latin1"}, "--encoding 只能是", 0, false, "", 0},
        {{"monitor", "--for", "0"}, "--for 的值无效", 0, false, "", 0},
        {{"monitor", "--sim", "D103"}, "监视只用于一个串口", 0, false, "", 0},
        {{"check", "--monitor"}, "--monitor 只用于 download", 0, false, "", 0},
        {{"monitor", "--json"}, "不能使用 --json", 0, false, "", 0},
        {{"download", "a.hex", "--monitor", "--json"}, "不能使用 --json", 0, false, "", 0},
        {{"ports", "-p", "A"}, "不需要 -p", 0, false, "", 0},
        {{"ports", "--json"}, nullptr, 9600, false, "utf-8", 0},
    };
    for (const auto& c : cases) {
        const ParseResult r = ParseArguments(c.args);
        const std::string line = c.args.join(' ').toStdString();
        if (c.error) {
            ASSERT_FALSE(r.options) << line;
            EXPECT_TRUE(r.error.contains(QString::fromUtf8(c.error))) << r.error.toStdString();
            continue;
        }
        ASSERT_TRUE(r.options) << line << ": " << r.error.toStdString();
        EXPECT_EQ(r.options->monitor.baud, c.baud) << line;
        EXPECT_EQ(r.options->monitor.hex, c.hex) << line;
        EXPECT_EQ(r.options->monitor.encoding, c.encoding) << line;
        EXPECT_EQ(r.options->monitor.seconds.value_or(0), c.seconds) << line;
    }
}

TEST(PortArguments, SixtyFivePortsAreTooMany) {
    QStringList ports;
    for (int i = 0; i < 65; ++i) ports << QStringLiteral("/dev/ttyUSB%1").arg(i);
    const ParseResult r = ParseArguments({"download", "code.hex", "--ports", ports.join(',')});
    ASSERT_FALSE(r.options);
    EXPECT_TRUE(r.error.contains("串口太多")) << r.error.toStdString();
    ports.removeLast();
    EXPECT_TRUE(ParseArguments({"download", "code.hex", "--ports", ports.join(',')}).options);
}

}  // namespace
}  // namespace korvan::cli
