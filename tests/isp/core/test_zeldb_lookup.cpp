// Model records, step lists, option descriptors and option-write templates.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "test_zeldb_support.h"
#include "zeldb.h"
#include "zelisp.h"

namespace {

const QStringList kTypes{"0", "1", "2", "4", "5", "6", "7", "8"};

struct RecordCase {
    const char* record;
    int typeCode;
    int seriesIndex;
    const char* model;
    int64_t flash, memory, eeprom;
};

class RecordDecoding : public ::testing::TestWithParam<RecordCase> {};

TEST_P(RecordDecoding, SplitsTypeNameAndSizes) {
    const RecordCase& c = GetParam();
    const zel::ModelRecord rec = zel::DecodeModelRecord(QString::fromUtf8(c.record), kTypes);
    EXPECT_EQ(rec.TypeCode, c.typeCode);
    EXPECT_EQ(rec.SeriesIndex, c.seriesIndex);
    EXPECT_EQ(rec.Model, QString::fromUtf8(c.model));
    EXPECT_EQ(rec.Flash, c.flash);
    EXPECT_EQ(rec.Memory, c.memory);
    EXPECT_EQ(rec.Eeprom, c.eeprom);
}

INSTANTIATE_TEST_SUITE_P(
    Records, RecordDecoding,
    ::testing::Values(RecordCase{"2ZEL00X1F0504", 2, 2, "ZEL00X1", 61440, 1280, 1024},
                      RecordCase{"8ZELH64AD00100", 8, 7, "ZELH64AD", 65536, 256, 0},
                      RecordCase{"4Xff1ab", 4, 3, "X", 65280, 256, 43776},  // lower-case hex
                      RecordCase{"3NOTLISTED80000", 3, -1, "NOTLISTED", 32768, 0, 0},
                      RecordCase{"5EMPTY", 5, 4, "", 3584, 0,
                                 0},  // no name, sizes read as far as hex
                      RecordCase{"", -1, -1, "", 0, 0, 0}, RecordCase{"2", 2, 2, "", 0, 0, 0},
                      RecordCase{"2ABCD", 2, 2, "", 0, 0, 0},  // too short for a name
                      RecordCase{"200100", 2, 2, "", 65536, 256, 0},
                      RecordCase{"ZBAD0Z1QQ", -1, -1, "BAD", 0 + 65536, 256, 0},
                      RecordCase{"0名称1F0100", 0, 0, "名称1", 61440, 256, 0}));

TEST(RecordApply, KeepsTheSeriesIndexForAnUnknownTypeCode) {
    zel::ChipRecord chip;
    chip.SeriesIndex = 5;
    zel::ApplyModelRecord(chip, "9UNKNOWN40200", kTypes);
    EXPECT_EQ(chip.SeriesIndex, 5);
    EXPECT_EQ(chip.Model, "UNKNOWN");
    EXPECT_EQ(chip.Flash, 16384);
    EXPECT_EQ(chip.Memory, 512);
    EXPECT_EQ(chip.Eeprom, 0);
    zel::ApplyModelRecord(chip, "2ZEL00X1F0504", kTypes);
    EXPECT_EQ(chip.SeriesIndex, 2);
    EXPECT_EQ(chip.Model, "ZEL00X1");
    zel::ApplyModelRecord(chip, "x", kTypes);
    EXPECT_EQ(chip.Model, "");
    EXPECT_EQ(chip.SeriesIndex, 2);
}

class EmbeddedLookups : public ::testing::Test {
  protected:
    const zel::DbSnapshot m_db = zel::EmbeddedDb();
};

TEST_F(EmbeddedLookups, ModelRecordsByModelId) {
    EXPECT_EQ(zel::LookupModelRecord(*m_db, "D103"), "8ZELH64AD00500");
    EXPECT_EQ(zel::LookupModelRecord(*m_db, "d103"), "8ZELH64AD00500");
    EXPECT_EQ(zel::LookupModelRecord(*m_db, "0000"), "");
    EXPECT_EQ(zel::LookupModelRecord(*m_db, ""), "");
}

struct StepCase {
    zel::JobType job;
    const char* modelId;
    uint8_t series;
    const char* steps;
};

class EmbeddedStepLists : public EmbeddedLookups, public ::testing::WithParamInterface<StepCase> {};

TEST_P(EmbeddedStepLists, FallBackToTheSeries) {
    const StepCase& c = GetParam();
    EXPECT_EQ(zel::LoadStepList(*m_db, c.job, c.modelId, c.series).join(u','), c.steps);
}

using zel::JobType;
INSTANTIATE_TEST_SUITE_P(
    Rows, EmbeddedStepLists,
    ::testing::Values(StepCase{JobType::Download, "D103", 0xD1, "0,3,1,2,4,5,7,6,8"},
                      StepCase{JobType::Check, "D103", 0xD1, "0"},
                      StepCase{JobType::Download, "E245", 0xE2, "0,3,1,2,4,5,7,6,8"},
                      StepCase{JobType::Download, "", 0xF0, "0,1,2,3,3,3,3,3,4,5,6,7,8,9"},
                      StepCase{JobType::Check, "F3AA", 0xF3, "0,3,3,3,3,3,8,9"},
                      StepCase{JobType::Download, "FFE1", 0xFF, "0,1,2,3,3,3,3,3,4,5,8"},
                      StepCase{JobType::Check, "FFE1", 0xFF, "0,3,3,3,3,3,8"},
                      // The built-in database has no configure rows at all.
                      StepCase{JobType::Configure, "D103", 0xD1, ""},
                      StepCase{JobType::Configure, "F001", 0xF0, ""},
                      StepCase{JobType::Download, "", 0x00, ""},  // after a job start
                      StepCase{static_cast<JobType>(4), "D103", 0xD1, ""}));

TEST_F(EmbeddedLookups, ConfigureJobOfAKnownChipHasNoSteps) {
    EXPECT_TRUE(zel::LoadStepList(*m_db, JobType::Configure, "D103", 0xD1).isEmpty());
    EXPECT_EQ(zel::LoadStepList(*m_db, JobType::Download, "D103", 0xD1).size(), 9);
}

struct OptionCase {
    const char* modelId;
    uint8_t series;
    const char* descriptors;
};

class EmbeddedOptions : public EmbeddedLookups, public ::testing::WithParamInterface<OptionCase> {};

TEST_P(EmbeddedOptions, ByModelElseSeries) {
    EXPECT_EQ(zel::LoadOptionDescriptors(*m_db, GetParam().modelId, GetParam().series).join(u','),
              GetParam().descriptors);
}

#define D2_OPTIONS "1-24-1,10-27-0,11-27-1,4-24-6,15-23-0,31-23-6,3-24-7,24-25-5,25-25-3,21-25-2-0"
INSTANTIATE_TEST_SUITE_P(
    Rows, EmbeddedOptions,
    ::testing::Values(
        OptionCase{"D103", 0xD1,
                   "1-24-1,10-27-0,11-27-1,4-24-6,15-23-0,16-23-6,3-24-7,24-25-5,25-25-3,"
                   "21-25-2-0"},
        OptionCase{"D201", 0xD2, D2_OPTIONS}, OptionCase{"D301", 0xD3, D2_OPTIONS ",2-23-5-4"},
        OptionCase{"E201", 0xE2, D2_OPTIONS ",2-23-5-4"},
        OptionCase{"E001", 0xE0, "1-23-1,10-25-0,11-25-1,30-29-6,24-24-5,25-24-3,21-24-2-0"},
        OptionCase{"E101", 0xE1,
                   "1-23-1,10-25-0,11-25-1,4-23-6,17-29-6,3-23-7,24-24-5,25-24-3,21-24-2-0"},
        OptionCase{"E601", 0xE6, "1-23-1,10-25-0,11-25-1,32-29-6,24-24-5,25-24-3,21-24-2-0"},
        OptionCase{"F101", 0xF1, "0-19-0,10-19-2,11-19-3,4-19-4,13-19-6,20-19-7"},
        OptionCase{"F201", 0xF2, "1-23-1,10-25-0,11-25-1,24-24-5,25-24-3,21-24-2-0"},
        OptionCase{"E245", 0xE2, ""},                                // listed without options
        OptionCase{"E1E6", 0xE1, ""}, OptionCase{"FFE1", 0xFF, ""},  // series without a row
        OptionCase{"", 0x00, ""}));

TEST_F(EmbeddedLookups, OptionWriteTemplates) {
    const QString shortForm = "%23,%24,%25,FF,FF,FF,FF,FF,%27,FF,FF,FF,FF,FF,FF,FF,%H";
    EXPECT_EQ(zel::LoadOptionFormat(*m_db, "D103", 0xD1), shortForm);
    EXPECT_EQ(zel::LoadOptionFormat(*m_db, "E245", 0xE2), shortForm);
    EXPECT_EQ(zel::LoadOptionFormat(*m_db, "E601", 0xE6),
              "%23,%24,%25,FF,FF,%H,%29,FF,%23,%24,FF,FF,FF,FF,%25,FF,FF,FF,FF,FF,FF,FF,%H,FF,FF,"
              "FF");
    EXPECT_EQ(zel::LoadOptionFormat(*m_db, "F101", 0xF1), "%19,FF,F6,FF");
    EXPECT_EQ(zel::LoadOptionFormat(*m_db, "F301", 0xF3),
              "%23,%24,%25,FF,FF,%H,FF,FF,%23,%24,FF,FF,FF,FF,%25,FF,FF,FF,FF,FF,FF,FF,%H,FF,FF,"
              "FF");
    EXPECT_EQ(zel::LoadOptionFormat(*m_db, "FFE1", 0xFF), "");
}

TEST(DbLookupKeys, ModelRowWinsOverSeriesRow) {
    QTemporaryDir dir;
    const QString path = dir.filePath("zel.db");
    ASSERT_TRUE(zeltest::WriteBytes(path,
                                    "[ZEL]\nversion=105\n[SPROC]\nD1=0,6,8\nD103=0,7\n"
                                    "[OPTION]\nD1=1-24-1\nD104=0\n"));
    EXPECT_EQ(zel::LoadStepList(path, JobType::Configure, "D103", 0xD1).join(u','), "0,7");
    EXPECT_EQ(zel::LoadStepList(path, JobType::Configure, "D104", 0xD1).join(u','), "0,6,8");
    EXPECT_EQ(zel::LoadOptionDescriptors(path, "D103", 0xD1), QStringList{"1-24-1"});
    EXPECT_TRUE(zel::LoadOptionDescriptors(path, "D104", 0xD1).isEmpty());
    EXPECT_EQ(zel::ReadDbByModel(*zel::LoadDbFile(path), "SPROC", "", 0xD1), "0,6,8");
    EXPECT_EQ(zel::SeriesKey(0x0A), "0A");
    EXPECT_EQ(zel::SeriesKey(0xD1), "D1");
}

}  // namespace
