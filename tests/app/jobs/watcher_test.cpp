// The file watcher and the soft start before a job, against a real file and a real
// pseudo-terminal.
#include "jobtestsupport.h"

#include <QFile>

namespace korvan::jobs::testing {
namespace {

void Touch(const QString& path, const QDateTime& time) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite | QIODevice::Append));
    file.write("\r\n");
    file.flush();
    ASSERT_TRUE(file.setFileTime(time, QFileDevice::FileModificationTime));
}

TEST_F(ControllerTest, HexSavedTwiceWithinASecondStartsOneDownload) {
    const QString hex = loadHex(64);
    controller->setWatching(true);
    clock.advance(1000);
    EXPECT_TRUE(driver.starts.empty()) << "an unchanged file is not downloaded";

    // At the start of a second, so that the second save falls into the same one.
    const QDateTime saved = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch() + 30);
    Touch(hex, saved);
    clock.advance(500);
    ASSERT_EQ(driver.starts, std::vector<int>{2});
    EXPECT_TRUE(view.texts().contains(QStringLiteral("文件更新自动下载程序")));
    driver.identify(chip());
    driver.finishDownload();
    clock.advance(0);

    Touch(hex, saved.addMSecs(400));  // the same second
    clock.advance(2000);
    EXPECT_EQ(driver.starts.size(), 1u);
    EXPECT_FALSE(controller->autoDownloading());
}

TEST_F(ControllerTest, WatcherWaitsWhileAJobRuns) {
    const QString hex = loadHex(64);
    ASSERT_TRUE(controller->DownloadAction(JobController::kDownload));
    controller->setWatching(true);
    Touch(hex, QDateTime::currentDateTime().addSecs(60));
    clock.advance(1500);
    EXPECT_EQ(driver.starts.size(), 1u);
}

TEST_F(ControllerTest, SoftStartLeavesTheLineBeforeTheJobChangesTheRate) {
    loadHex(64);
    workspace->updateSettings([&](UserSettings& s) { s.UseResetCommand = true; });
    workspace->updateSettings(
        [&](UserSettings& s) { s.Rest = QStringLiteral("12 34;9600,N,8,1"); });
    ASSERT_TRUE(controller->DownloadAction(JobController::kDownload));
    EXPECT_EQ(pty.readAll(), QByteArray("\x12\x34", 2));
    EXPECT_TRUE(view.texts().contains(QStringLiteral("发送用户自定软启指令")));
    // Two characters of ten bits at 9600 baud: 3 ms on the line, and the far side's margin.
    const int wait = port.lineTimeMs(2);
    EXPECT_EQ(wait, 3 + 10);
    clock.advance(wait - 1);
    EXPECT_TRUE(driver.starts.empty());
    clock.advance(1);
    EXPECT_EQ(driver.starts, std::vector<int>{2});
    EXPECT_EQ(view.countdowns.front(), (std::pair<qint64, int>{wait, 5}));
}

}  // namespace
}  // namespace korvan::jobs::testing
