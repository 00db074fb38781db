#include "views/messagerules.h"

#include <gtest/gtest.h>

namespace korvan {
namespace {

TEST(MessageStyle, TensDigitButtonsUnitsDigitIconAndSound) {
    const struct {
        int style;
        bool cancel;
        int icon;
        const char* sound;
    } table[] = {
        {10, false, 0, "0"}, {11, false, 1, "2"}, {12, false, 2, "2"}, {21, true, 1, "2"},
        {20, true, 0, "0"},  {29, true, 9, "2"},  {0, false, 0, "0"},  {7, false, 7, "2"},
        {35, false, 5, "2"}, {-21, true, 1, "2"}, {121, true, 1, "2"},
    };
    for (const auto& row : table) {
        const MessageStyle s = DecodeMessageStyle(row.style);
        EXPECT_EQ(s.Cancel, row.cancel) << row.style;
        EXPECT_EQ(s.Icon, row.icon) << row.style;
        EXPECT_EQ(s.Sound(), row.sound) << row.style;
    }
}

TEST(MessagePrompt, BreaksBecomeLines) {
    EXPECT_EQ(MessagePromptText("下载<br>完成"), "下载\r\n完成");
    EXPECT_EQ(MessageLines(MessagePromptText("下载<br>完成")), QStringList({"下载", "完成"}));
    EXPECT_EQ(MessageLines(MessagePromptText("a<br><br>b")), QStringList({"a", "", "b"}));
    // "<BR>" is not a break: the rule names the lower-case tag only.
    EXPECT_EQ(MessageLines(MessagePromptText("a<BR>b")), QStringList({"a<BR>b"}));
    EXPECT_EQ(MessageLines("指定的文件未找到：\r\n/x.hex\nc\rd"),
              QStringList({"指定的文件未找到：", "/x.hex", "c", "d"}));
}

TEST(MessageSize, GrowsByThePromptsExcess) {
    const int h = 180;  // the letter "A", twips
    const struct {
        int width, height;
        MessageSize expected;
    } table[] = {
        {100, 100, {3900, 2295}},
        {13 * h, 3 * h, {3900, 2295}},  // exactly the limits: no growth
        {13 * h + 1, 3 * h + 1, {3901, 2296}},
        {6000, 1000, {6000 - 13 * h + 3900, 1000 - 3 * h + 2295}},
    };
    for (const auto& row : table)
        EXPECT_EQ(MessageWindowSize(row.width, row.height, h), row.expected) << row.width;
}

TEST(MessageAnchor, ScreenThenMiniOrMain) {
    using A = MessageAnchor;
    const struct {
        bool splashDone;
        const char* sw;
        bool mainShown;
        A anchor;
    } table[] = {
        {false, "", false, A::Screen},      {false, "/u", false, A::Screen},
        {true, "/u", false, A::MiniWindow}, {true, "/u", true, A::MainWindow},
        {true, "", false, A::MainWindow},   {true, "/d", false, A::MainWindow},
    };
    for (const auto& row : table)
        EXPECT_EQ(ChooseMessageAnchor(row.splashDone, row.sw, row.mainShown), row.anchor)
            << row.sw << row.splashDone << row.mainShown;
}

}  // namespace
}  // namespace korvan
