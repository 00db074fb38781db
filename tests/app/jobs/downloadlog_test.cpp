// The download log's line rules: the time prefix, closing the open "..." line, the countdown on
// it, and the clear beyond 1200 lines.
#include "jobs/downloadlog.h"

#include <gtest/gtest.h>

namespace korvan::jobs {
namespace {

const QDateTime kNow(QDate(2026, 3, 1), QTime(9, 5, 7));

struct CloseCase {
    const char* name;
    QString previous;
    int previousIcon;
    bool ok;
    QString expectedText;  // after the prefix
    int expectedIcon;
};

class ClosingTheOpenLine : public ::testing::TestWithParam<CloseCase> {};

TEST_P(ClosingTheOpenLine, ByTheNextLinesOkValue) {
    const CloseCase& c = GetParam();
    DownloadLog log;
    log.append(c.previous, c.previousIcon, true, kNow);
    log.append(QStringLiteral("next"), icon::kNote, c.ok, kNow);
    ASSERT_EQ(log.size(), 2);
    EXPECT_EQ(log.at(0).text, QStringLiteral(" 09:05:07  ") + c.expectedText);
    EXPECT_EQ(log.at(0).icon, c.expectedIcon);
    EXPECT_EQ(log.at(1).text, QStringLiteral(" 09:05:07  next"));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ClosingTheOpenLine,
    ::testing::Values(CloseCase{"Ok", "擦除单片机程序...", icon::kStep, true,
                                "擦除单片机程序... OK", icon::kDone},
                      CloseCase{"Err", "擦除单片机程序...", icon::kStep, false,
                                "擦除单片机程序... ERR", icon::kFail},
                      CloseCase{"OnlyUpToTheFirstEllipsis", "a...b...", icon::kStep, true,
                                "a... OK", icon::kDone},
                      CloseCase{"WithoutEllipsisNeverClosed", "检测到单片机", icon::kStep, true,
                                "检测到单片机", icon::kStep},
                      CloseCase{"OtherIconLeftAlone", "检测到单片机...", icon::kChip, false,
                                "检测到单片机...", icon::kChip}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DownloadLog, CountdownReplacesWhatFollowsTheEllipsis) {
    DownloadLog log;
    log.append(QStringLiteral("等待启动标志..."), icon::kStep, true, kNow);
    log.showCountdown(5);
    log.showCountdown(4);
    EXPECT_EQ(log.at(0).text, QStringLiteral(" 09:05:07  等待启动标志... 4"));
    log.append(QStringLiteral("检测到单片机：X"), icon::kChip, true, kNow);
    EXPECT_EQ(log.at(0).text, QStringLiteral(" 09:05:07  等待启动标志... OK"));
}

TEST(DownloadLog, TheLineAfterTwelveHundredStartsAFreshLog) {
    DownloadLog log;
    for (int i = 0; i < DownloadLog::kMaxLines; ++i)
        log.append(QString::number(i), icon::kNote, true, kNow);
    EXPECT_EQ(log.size(), 1200);
    log.append(QStringLiteral("1201st"), icon::kNote, true, kNow);
    ASSERT_EQ(log.size(), 1);
    EXPECT_EQ(log.at(0).text, QStringLiteral(" 09:05:07  1201st"));
    EXPECT_EQ(log.data(log.index(0), DownloadLog::IconRole).toInt(), icon::kNote);
}

}  // namespace
}  // namespace korvan::jobs
