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
        PortsCase{"NoPortAtAll", {}, {}, {}, "请用 -p PORT"}),
    [](const ::testing::TestParamInfo<PortsCase>& info) { return std::string(info.param.name); });

TEST(PortArguments, SeveralPortsOnlyDownload) {
    for (const char* job : {"check", "configure"}) {
        const ParseResult r = ParseArguments({job, "--ports", "A,B"});
        ASSERT_FALSE(r.options) << job;
        EXPECT_TRUE(r.error.contains("多个串口只用于 download")) << r.error.toStdString();
        EXPECT_TRUE(ParseArguments({job, "-p", "A"}).options) << job;
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
