// Where the choices of a row go: the padded captions put every row's choices in one column.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <set>

#include "gbk.h"
#include "optionlayout.h"
#include "zeldb.h"

namespace {

using namespace zel::options;

// One code-page byte = 100 twips, as a fixed-pitch font would measure.
int Measure(const QString& text) {
    return zel::GbkWidth(text) * 100;
}

TEST(OptionLayout, ChoiceAndListColumnsAreSharedByEquallyPaddedRows) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zel.db"));
    ASSERT_TRUE(zel::InstallDb(path));
    const QStringList types = zel::LoadTypeList(path);
    const auto par = [&](const QString& id) {
        return zel::ReadDb(path, QStringLiteral("PAR"), id);
    };
    for (int series = 0; series < types.size(); ++series) {
        OptionModel model;
        model.Build(zel::LoadSeriesParameters(*zel::LoadDbFile(path), types, series), par);
        std::set<int> firstColumns, secondColumns, listColumns;
        for (int i = 0; i < model.OptCount(); ++i) {
            const RowGeometry g = LayoutRow(model.row(i), Measure);
            const OptionRow& row = model.row(i);
            if (row.kind() == RowKind::Choice) {
                firstColumns.insert(g.firstLeft);
                secondColumns.insert(g.secondLeft);
                EXPECT_EQ(g.firstWidth, Measure(row.firstText()) + 330);
                EXPECT_EQ(g.secondWidth, Measure(row.secondField) + 330);
                // The first choice's text and button never run into the second's column.
                EXPECT_LT(g.firstLeft + Measure(row.firstText()), g.secondLeft);
            } else {
                listColumns.insert(g.listLeft);
            }
        }
        // Short captions (17) and long ones (36) make at most two columns each.
        EXPECT_LE(firstColumns.size(), 2u) << series;
        EXPECT_LE(secondColumns.size(), 2u) << series;
        for (int left : firstColumns) EXPECT_TRUE(left == 17 * 100 + 480 || left == 36 * 100 + 480);
        for (int left : listColumns) EXPECT_EQ(left, 36 * 100 + 480);
    }
}

TEST(OptionLayout, ChoiceRowFollowsTheFormulas) {
    OptionRow row;
    row.kindText = QStringLiteral("1");
    row.captionField = QStringLiteral("ab  ");
    row.firstField = QStringLiteral("是    ");
    row.secondField = QStringLiteral("否");
    const RowGeometry g = LayoutRow(row, Measure);
    EXPECT_EQ(g.firstLeft, 400 + 480);
    EXPECT_EQ(g.firstWidth, 200 + 330);
    EXPECT_EQ(g.secondLeft, 880 + 600 + 90);
    EXPECT_EQ(g.secondWidth, 200 + 330);
}

struct ScrollCase {
    int rows;
    int innerTwips;
    int maximum;
};
class Scroll : public ::testing::TestWithParam<ScrollCase> {};

TEST_P(Scroll, HiddenRowStepsStartedCountWhole) {
    EXPECT_EQ(ScrollMaximum(ScrollAreaHeight(GetParam().rows), GetParam().innerTwips),
              GetParam().maximum);
}

INSTANTIATE_TEST_SUITE_P(Heights, Scroll,
                         ::testing::Values(ScrollCase{0, 1035, 0}, ScrollCase{2, 1035, 0},
                                           ScrollCase{3, 1035, 1},   // 1200 - 1035 = 165
                                           ScrollCase{10, 1035, 8},  // 3930 - 1035 = 2895
                                           ScrollCase{10, 3930, 0}, ScrollCase{10, 3540, 1},
                                           ScrollCase{10, 3150, 2}, ScrollCase{6, 0, 7}));

TEST(OptionLayout, RowsSitBelowEachOther) {
    EXPECT_EQ(RowTop(0), 30);
    EXPECT_EQ(RowTop(1), 420);
    EXPECT_EQ(RowTop(9), 30 + 9 * 390);
    EXPECT_EQ(ScrollAreaHeight(0), 30);
    EXPECT_EQ(ScrollAreaHeight(10), 3930);
}

}  // namespace
