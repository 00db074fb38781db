// The ports' lines of a gang download on a terminal: drawn once, then redrawn in place by going
// back over exactly as many lines as were drawn; lines that stay go above them.
#include "gangboard.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <cstdio>

namespace korvan::cli {
namespace {

struct Capture {
    Capture() : file(std::tmpfile()) {}
    ~Capture() { std::fclose(file); }
    QString text() const {
        std::fflush(file);
        std::rewind(file);
        QByteArray bytes;
        char buffer[4096];
        size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
            bytes.append(buffer, static_cast<qsizetype>(n));
        return QString::fromUtf8(bytes);
    }
    std::FILE* file;
};

const QString kBack = QStringLiteral("\033[2A\r\033[J");

TEST(GangBoard, RedrawsThePortsLinesInPlaceAndPrintsLinesThatStayAboveThem) {
    Capture out, err;
    GangBoard board(out.file, err.file, {"/dev/pts/1", "COM3"});
    board.setStatus(0, "等待启动标志... 5");
    EXPECT_EQ(out.text(), "/dev/pts/1  等待启动标志... 5\033[K\nCOM3        \033[K\n");

    board.setStatus(1, "等待启动标志... 4");
    board.printLine(0, "程序下载成功");
    board.printError(1, "警告：端口\n已断开");
    const QString all = out.text();
    // Every redraw goes back over the two lines drawn before it.
    EXPECT_EQ(all.count(kBack), 3) << all.toStdString();
    const QString afterLine = all.section(kBack, 2);
    EXPECT_TRUE(afterLine.startsWith("/dev/pts/1  程序下载成功\n/dev/pts/1  等待启动标志... 5"))
        << afterLine.toStdString();
    EXPECT_EQ(err.text(), "korvan-cli: COM3        警告：端口\n已断开\n");
    // The same status again draws nothing.
    const qsizetype before = out.text().size();
    board.setStatus(1, "等待启动标志... 4");
    EXPECT_EQ(out.text().size(), before);
}

TEST(GangBoard, LinesAreCutToTheTerminalSoNoneWraps) {
    Capture out, err;
    GangBoard board(out.file, err.file, {"A"});
    board.setStatus(0, QString(200, QLatin1Char('x')));
    // Not a terminal: 80 columns, one left free.
    EXPECT_EQ(out.text(), "A  " + QString(76, QLatin1Char('x')) + "\033[K\n");
}

TEST(GangBoard, ProgressAndCountdownShowOnThePortsLine) {
    Capture out, err;
    GangBoard board(out.file, err.file, {"A", "B"});
    board.output(1).logLine(LogEntry{"写入单片机程序...", true, 103, LineRole::Step});
    board.output(1).progress(50);
    const QString last = out.text().section(kBack, -1);
    EXPECT_TRUE(last.contains(QRegularExpression(
        "\nB  \\d\\d:\\d\\d:\\d\\d  写入单片机程序\\.\\.\\. \\[##########----------\\]  50%")))
        << last.toStdString();
}

}  // namespace
}  // namespace korvan::cli
