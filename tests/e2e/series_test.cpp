// korvan-cli against a virtual chip of every series in zel.db, over a real pseudo-terminal:
// the check reports what the database says about the model, and a download leaves the image
// in the chip's flash byte for byte.
#include "e2eenv.h"
#include "zeldb.h"
#include "zelsim/virtualchip.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <set>

namespace e2e {
namespace {

using namespace std::chrono_literals;

// The series under test. CoversEverySeriesOfTheDatabase keeps this list complete.
const std::vector<uint8_t> kSeries = {0xD1, 0xD2, 0xD3, 0xE0, 0xE1, 0xE2,
                                      0xE6, 0xF0, 0xF1, 0xF2, 0xF3, 0xFF};

// The first model of the series that the database lists, with its record.
struct SeriesModel {
    QString id;
    zel::ModelRecord record;
};

SeriesModel firstModelOf(uint8_t series) {
    const QStringList types = zel::LoadTypeList(databasePath());
    for (int low = 0; low < 256; ++low) {
        const QString id = QStringLiteral("%1%2")
                               .arg(series, 2, 16, QLatin1Char('0'))
                               .arg(low, 2, 16, QLatin1Char('0'))
                               .toUpper();
        const QString record = zel::LookupModelRecord(databasePath(), id);
        if (record.isEmpty()) continue;
        const zel::ModelRecord decoded = zel::DecodeModelRecord(record, types);
        if (!decoded.Model.isEmpty()) return SeriesModel{id, decoded};
    }
    return {};
}

zelsim::ChipOptions chipOptions(const QString& id) {
    zelsim::ChipOptions o;
    o.model = id.toStdString();
    o.dbPath = databasePath().toStdString();
    o.bootDelayMs = 30;
    o.eraseMs = 0;
    o.rebootMs = -1;  // the chip keeps what it did in view until the test has looked
    return o;
}

// Whole kilobytes with halves rounded up, as the information lines show sizes.
qint64 kilobytes(qint64 bytes) {
    return (bytes + 512) / 1024;
}

TEST(Series, CoversEverySeriesOfTheDatabase) {
    std::set<uint8_t> inDatabase;
    for (int b = 0; b < 256; ++b) {
        if (!zel::LoadStepList(databasePath(), zel::JobType::Download, {}, static_cast<uint8_t>(b))
                 .isEmpty())
            inDatabase.insert(static_cast<uint8_t>(b));
    }
    EXPECT_EQ(inDatabase, std::set<uint8_t>(kSeries.begin(), kSeries.end()));
}

class EverySeries : public ::testing::TestWithParam<uint8_t> {};

TEST_P(EverySeries, CheckShowsTheModelOfTheDatabase) {
    const SeriesModel m = firstModelOf(GetParam());
    ASSERT_FALSE(m.id.isEmpty());
    zelsim::VirtualChip chip(chipOptions(m.id));
    std::string error;
    ASSERT_TRUE(chip.start(&error)) << error;

    const CliResult r =
        runCli({"check", "-p", QString::fromStdString(chip.slavePath()), "--json", "--wait", "10"});
    ASSERT_EQ(r.exitCode, 0) << r.dump();
    QJsonObject chipEvent;
    for (const QJsonObject& e : r.events)
        if (e.value("event").toString() == "chip") chipEvent = e;
    ASSERT_FALSE(chipEvent.isEmpty()) << r.dump();
    EXPECT_EQ(chipEvent.value("id").toString(), m.id);
    EXPECT_EQ(chipEvent.value("model").toString(), m.record.Model);
    EXPECT_EQ(chipEvent.value("flash").toInteger(), m.record.Flash);
    EXPECT_EQ(chipEvent.value("memory").toInteger(), m.record.Memory);
    EXPECT_EQ(chipEvent.value("eeprom").toInteger(), m.record.Eeprom);
    EXPECT_NEAR(chipEvent.value("cpu").toDouble(), 11059200, 2100);

    const QJsonArray lines = chipEvent.value("lines").toArray();
    EXPECT_TRUE(lines.contains(QStringLiteral("MCU 型号：  ") + m.record.Model));
    EXPECT_TRUE(lines.contains(QStringLiteral("存储空间：  %1 B  (%2 KB)")
                                   .arg(m.record.Flash)
                                   .arg(kilobytes(m.record.Flash))))
        << r.dump();
    EXPECT_TRUE(lines.contains(QStringLiteral("内存空间：  %1 Bytes").arg(m.record.Memory)));
    EXPECT_EQ(lines.contains(QStringLiteral("EEPROM  ：  %1 B  (%2 KB)")
                                 .arg(m.record.Eeprom)
                                 .arg(kilobytes(m.record.Eeprom))),
              m.record.Eeprom > 0);
    EXPECT_TRUE(r.logged(QStringLiteral("检测到单片机：") + m.record.Model));
    EXPECT_TRUE(r.logged(QStringLiteral("参数检测完成")));
    EXPECT_EQ(r.summary().value("result").toString(), "success");
}

TEST_P(EverySeries, DownloadLeavesTheImageInFlash) {
    const SeriesModel m = firstModelOf(GetParam());
    ASSERT_FALSE(m.id.isEmpty());
    zelsim::VirtualChip chip(chipOptions(m.id));
    std::string error;
    ASSERT_TRUE(chip.start(&error)) << error;

    // An image that ends inside a block, as HEX for half of the series and binary for the rest.
    const Bytes image = sampleImage(300 + GetParam() % 7, GetParam());
    const bool hex = GetParam() % 2 == 1;
    const QString file = newFolder() + (hex ? "/code.hex" : "/code.bin");
    ASSERT_TRUE(writeFile(file, hex ? intelHex(image) : asBytes(image)));

    const CliResult r = runCli({"download", file, "-p", QString::fromStdString(chip.slavePath()),
                                "--json", "--wait", "10"});
    ASSERT_EQ(r.exitCode, 0) << r.dump();
    EXPECT_TRUE(r.logged(QStringLiteral("程序下载成功")));
    const QJsonObject summary = r.summary();
    EXPECT_EQ(summary.value("result").toString(), "success");
    EXPECT_EQ(summary.value("id").toString(), m.id);
    EXPECT_EQ(summary.value("model").toString(), m.record.Model);
    EXPECT_EQ(summary.value("bytes").toInteger(), static_cast<qint64>(image.size()));
    EXPECT_EQ(summary.value("baud").toInteger(), 115200);

    // The end commands reached the chip: it runs the program that it now holds.
    EXPECT_TRUE(chip.waitForProgramRuns(1, std::chrono::milliseconds(kPatienceMs)));
    const Bytes flash = chip.image();
    ASSERT_GE(flash.size(), image.size());
    EXPECT_TRUE(std::equal(image.begin(), image.end(), flash.begin()))
        << "the chip's flash differs from the file";
    EXPECT_EQ(chip.snapshot().session.erases, 1u);
}

INSTANTIATE_TEST_SUITE_P(ZelDb, EverySeries, ::testing::ValuesIn(kSeries),
                         [](const ::testing::TestParamInfo<uint8_t>& info) {
                             return QStringLiteral("%1")
                                 .arg(info.param, 2, 16, QLatin1Char('0'))
                                 .toUpper()
                                 .toStdString();
                         });

}  // namespace
}  // namespace e2e
