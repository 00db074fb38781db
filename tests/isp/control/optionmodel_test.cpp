// The option model: rows built from the database, the choices, the watchdog rule and how the
// choices land in the status bytes.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <map>

#include "gbk.h"
#include "optionmodel.h"
#include "zeldb.h"
#include "zelinfo.h"

namespace {

using zel::options::OptionModel;
using zel::options::RowKind;

// A [PAR] reader over a fixed table.
std::function<QString(const QString&)> Table(std::map<QString, QString> rows) {
    return [rows = std::move(rows)](const QString& id) {
        const auto it = rows.find(id);
        return it == rows.end() ? QString() : it->second;
    };
}

const QString kPar3 = QStringLiteral("1,1,上电复位增加额外的复位延时：        ,是        ,否");
const QString kPar1 = QStringLiteral("1,0,MCU 时钟源：     ,外部晶振或时钟    ,内部RC振荡器");
const QString kPar21 =
    QStringLiteral("2,7,冷启动后看门狗预分频数：            ,2,4,8,16,32,64,128,256");
const QString kPar24 = QStringLiteral("1,1,上电自动用有关参数启动看门狗：      ,是        ,否");
const QString kPar25 = QStringLiteral("1,1,空闭/睡眠状态停止看门狗计数：       ,是        ,否");

auto Watchdog() {
    return Table({{"1", kPar1}, {"3", kPar3}, {"21", kPar21}, {"24", kPar24}, {"25", kPar25}});
}

// The database built into the control, in a file of its own.
class EmbeddedDb : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("zel.db"));
        ASSERT_TRUE(zel::InstallDb(m_path));
        m_types = zel::LoadTypeList(m_path);
        for (int id = 0; id < 40; ++id) {
            const QString key = QString::number(id);
            const QString value = zel::ReadDb(m_path, QStringLiteral("PAR"), key);
            if (!value.isEmpty()) m_par[key] = value;
        }
        ASSERT_EQ(m_par.size(), 20u);
    }
    std::function<QString(const QString&)> Par() const { return Table(m_par); }
    QStringList Parameters(int series) const {
        return zel::LoadSeriesParameters(*zel::LoadDbFile(m_path), m_types, series);
    }

    QTemporaryDir m_dir;
    QString m_path;
    QStringList m_types;
    std::map<QString, QString> m_par;
};

TEST_F(EmbeddedDb, RowsOfASeriesShowNumberedCaptionsAndTheirChoices) {
    OptionModel model;
    model.Build(Parameters(2), Par());  // 1,10,11,4,31,3,24,25,21,2
    ASSERT_EQ(model.OptCount(), 10);
    const auto& first = model.row(0);
    EXPECT_EQ(first.caption, QStringLiteral("1、MCU 时钟源：     "));
    EXPECT_EQ(first.kind(), RowKind::Choice);
    EXPECT_EQ(first.firstText(), QStringLiteral("外部晶振或时钟"));
    EXPECT_EQ(first.secondText(), QStringLiteral("内部RC振荡器"));
    EXPECT_TRUE(first.firstSelected);          // polarity 0: the first choice is preselected
    EXPECT_FALSE(model.row(5).firstSelected);  // parameter 3, polarity 1
    const auto& last = model.row(9);
    EXPECT_EQ(last.caption.left(3), QStringLiteral("10、"));
    EXPECT_EQ(last.kind(), RowKind::List);
    EXPECT_EQ(last.items, (QStringList{"4096", "8192", "16384", "32768"}));
    EXPECT_EQ(model.OptValue(9), 3);
    EXPECT_EQ(model.OptValue(8), 7);  // parameter 21 starts at 256
}

TEST(OptionModelBuild, TenRowsThenSixKeepsTheRestButCountsSix) {
    OptionModel model;
    const QStringList ten = {"1", "3", "24", "25", "21", "1", "3", "24", "25", "21"};
    model.Build(ten, Watchdog());
    EXPECT_EQ(model.OptCount(), 10);
    model.Build(ten.mid(0, 6), Watchdog());
    EXPECT_EQ(model.OptCount(), 6);
    EXPECT_EQ(model.rowCount(), 10);
    EXPECT_EQ(model.row(9).parameterId, QStringLiteral("21"));  // kept as it was
    EXPECT_EQ(model.OptValue(9), 0);                            // but outside the series
    model.setOptValue(9, 2);
    EXPECT_EQ(model.row(9).listIndex, 7);
}

TEST(OptionModelBuild, InvalidParameterHasNoKindEvenOnAReusedRow) {
    OptionModel model;
    model.Build({"21"}, Watchdog());
    model.setOptValue(0, 4);
    model.Build({"99", "5"}, Table({{"5", QStringLiteral("1,0")}}));
    for (int i = 0; i < 2; ++i) {
        const auto& row = model.row(i);
        EXPECT_EQ(row.caption, QStringLiteral("无效参数"));
        EXPECT_TRUE(row.invalid);
        EXPECT_EQ(row.kind(), RowKind::None);
        EXPECT_FALSE(row.choicesVisible || row.listVisible);
        EXPECT_EQ(model.OptValue(i), 0);
    }
    std::vector<uint8_t> status(32, 0xFF);
    model.CommitOptions({"21-25-2-0", "5-3-1"}, status);
    EXPECT_EQ(status, std::vector<uint8_t>(32, 0xFF));
}

TEST(OptionModelBuild, UnknownKindShowsNoChoicesAndReadsZero) {
    OptionModel model;
    model.Build({"1", "7"}, Table({{"1", kPar1}, {"7", QStringLiteral("3,0,其它：,甲,乙")}}));
    model.Build({"7"}, Table({{"7", QStringLiteral("3,0,其它：,甲,乙")}}));
    EXPECT_EQ(model.row(0).kind(), RowKind::Unknown);
    EXPECT_EQ(model.row(0).caption, QStringLiteral("1、其它："));
    EXPECT_FALSE(model.row(0).choicesVisible);  // not the previous row's choices
    EXPECT_EQ(model.OptValue(0), 0);
}

TEST(OptionModelBuild, EmptyDatabaseHasNoRows) {
    OptionModel model;
    model.Build({}, Table({}));
    EXPECT_EQ(model.OptCount(), 0);
    EXPECT_EQ(model.OptValue(0), 0);
    model.setOptValue(0, 1);
    std::vector<uint8_t> status(32, 0x5A);
    model.CommitOptions({"1-24-1"}, status);
    EXPECT_EQ(status, std::vector<uint8_t>(32, 0x5A));
}

TEST(OptionModelValue, RangeAndKindRules) {
    OptionModel model;
    model.Build({"1", "21"}, Watchdog());
    model.setOptValue(0, 0);
    EXPECT_EQ(model.OptValue(0), 0);
    model.setOptValue(0, 7);  // anything but 1 selects the second choice
    EXPECT_EQ(model.OptValue(0), 0);
    model.setOptValue(0, 1);
    EXPECT_EQ(model.OptValue(0), 1);
    model.setOptValue(1, 8);  // past the list: ignored
    EXPECT_EQ(model.OptValue(1), 7);
    model.setOptValue(1, -2);
    EXPECT_EQ(model.OptValue(1), 7);
    model.setOptValue(1, -1);
    EXPECT_EQ(model.OptValue(1), -1);
    model.setOptValue(-1, 1);
    model.setOptValue(2, 1);
    EXPECT_EQ(model.OptValue(-1), 0);
    EXPECT_EQ(model.OptValue(2), 0);
}

// Rows: 21 before the watchdog row, then 24, 25, 21.
struct ClickCase {
    int value;
    bool laterEnabled;
};
class WatchdogClick : public ::testing::TestWithParam<ClickCase> {};

TEST_P(WatchdogClick, LaterRowsOf21And25FollowTheChoice) {
    OptionModel model;
    model.Build({"21", "24", "25", "21", "3"}, Watchdog());
    model.setOptValue(1, 1 - GetParam().value);  // start from the other state
    model.setOptValue(1, GetParam().value);
    EXPECT_TRUE(model.row(0).enabled);  // before the clicked row
    EXPECT_TRUE(model.row(1).enabled);
    EXPECT_EQ(model.row(2).enabled, GetParam().laterEnabled);
    EXPECT_EQ(model.row(3).enabled, GetParam().laterEnabled);
    EXPECT_TRUE(model.row(4).enabled);  // another parameter
    model.Build({"21", "24", "25", "21", "3"}, Watchdog());
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(model.row(i).enabled) << i;
}

INSTANTIATE_TEST_SUITE_P(Choices, WatchdogClick,
                         ::testing::Values(ClickCase{1, true}, ClickCase{0, false}));

TEST(OptionModelClick, OtherRowsDoNotTriggerTheRule) {
    OptionModel model;
    model.Build({"3", "25", "21"}, Watchdog());
    model.setOptValue(0, 0);
    EXPECT_TRUE(model.row(1).enabled);
    EXPECT_TRUE(model.row(2).enabled);
}

struct CommitCase {
    const char* name;
    QStringList rows;
    std::vector<std::pair<int, int32_t>> values;  // row, OptValue
    QStringList descriptors;
    int byteIndex;
    uint8_t before;
    uint8_t after;
};

class Commit : public ::testing::TestWithParam<CommitCase> {};

TEST_P(Commit, WritesOnlyTheNamedBits) {
    const CommitCase& c = GetParam();
    OptionModel model;
    model.Build(c.rows, Watchdog());
    for (const auto& [row, value] : c.values) model.setOptValue(row, value);
    std::vector<uint8_t> status(32, 0x33);
    status[static_cast<size_t>(c.byteIndex)] = c.before;
    std::vector<uint8_t> expected = status;
    expected[static_cast<size_t>(c.byteIndex)] = c.after;
    model.CommitOptions(c.descriptors, status);
    EXPECT_EQ(status, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Commit,
    ::testing::Values(
        CommitCase{"Prescale5KeepsHighBits", {"21"}, {{0, 5}}, {"21-25-2-0"}, 25, 0xAA, 0xAD},
        CommitCase{"Prescale0", {"21"}, {{0, 0}}, {"21-25-2-0"}, 25, 0xFF, 0xF8},
        CommitCase{"MidField", {"21"}, {{0, 2}}, {"21-23-5-4"}, 23, 0x00, 0x20},
        CommitCase{"Polarity1FirstClears", {"3"}, {{0, 1}}, {"3-24-7"}, 24, 0xFF, 0x7F},
        CommitCase{"Polarity1SecondSets", {"3"}, {{0, 0}}, {"3-24-7"}, 24, 0x00, 0x80},
        CommitCase{"Polarity0FirstSets", {"1"}, {{0, 1}}, {"1-24-1"}, 24, 0x00, 0x02},
        CommitCase{"Polarity0SecondClears", {"1"}, {{0, 0}}, {"1-24-1"}, 24, 0xFF, 0xFD},
        CommitCase{"RepeatedIdLaterRowWins",
                   {"21", "3", "21"},
                   {{0, 5}, {2, 2}},
                   {"21-25-2-0"},
                   25,
                   0x00,
                   0x02},
        CommitCase{"NothingSelectedLeavesBits", {"21"}, {{0, -1}}, {"21-25-2-0"}, 25, 0x5A, 0x5A},
        CommitCase{"NoRowForDescriptor", {"1"}, {{0, 0}}, {"4-24-6"}, 24, 0xFF, 0xFF},
        CommitCase{"OutsideStatusBytes", {"1"}, {{0, 0}}, {"1-99-1"}, 24, 0xFF, 0xFF},
        CommitCase{"BitOutOfRange", {"1"}, {{0, 0}}, {"1-24-8"}, 24, 0xFF, 0xFF},
        CommitCase{"LowAboveHigh", {"21"}, {{0, 0}}, {"21-25-0-2"}, 25, 0xFF, 0xFF},
        CommitCase{"ListNeedsTwoBits", {"21"}, {{0, 0}}, {"21-25-2"}, 25, 0xFF, 0xFF},
        CommitCase{"Garbage", {"1"}, {{0, 0}}, {"", "x", "1-", "-24-1", "1-a-1"}, 24, 0xFF, 0xFF}),
    [](const auto& info) { return std::string(info.param.name); });

// Every series of the built-in database: choices the editor holds, written into the status
// bytes, read back by the chip record's decoding, give the same texts.
TEST_F(EmbeddedDb, EverySeriesRoundTripsThroughTheStatusBytes) {
    const QStringList keys = {"F0", "F1", "D1", "D2", "D3", "E0", "E1", "E2", "E6", "F2", "F3"};
    for (const QString& key : keys) {
        const QStringList descriptors =
            zel::LoadOptionDescriptors(m_path, QString(), uint8_t(key.toUInt(nullptr, 16)));
        ASSERT_FALSE(descriptors.isEmpty()) << key.toStdString();
        for (int series = 0; series < m_types.size(); ++series) {
            for (int flip = 0; flip < 2; ++flip) {
                OptionModel model;
                model.Build(Parameters(series), Par());
                for (int i = 0; i < model.OptCount(); ++i) {
                    const auto& row = model.row(i);
                    const int count = static_cast<int>(row.items.size());
                    model.setOptValue(
                        i, row.kind() == RowKind::List ? (i + flip) % count : (i + flip) % 2);
                }
                std::vector<uint8_t> status(32, flip ? 0x00 : 0xFF);
                model.CommitOptions(descriptors, status);
                for (const QString& d : descriptors) {
                    const QString par = d.section(u'-', 0, 0);
                    int row = -1;
                    for (int i = 0; i < model.OptCount(); ++i)
                        if (model.row(i).parameterId == par) row = i;
                    if (row < 0) continue;  // not an option of this series
                    const auto& r = model.row(row);
                    const QString chosen = r.kind() == RowKind::List
                                               ? r.items.at(r.listIndex)
                                               : (r.firstSelected ? r.firstText() : r.secondText());
                    EXPECT_EQ(zel::DecodeOptionText(d, Par()(par), status), r.captionField + chosen)
                        << key.toStdString() << " series " << series << " " << d.toStdString();
                }
            }
        }
    }
}

}  // namespace
