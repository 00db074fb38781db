// The main window's and the start-up's own texts: captions, menus, the start-up messages.
#pragma once

#include "core/textlist.h"

#include <QString>
#include <QStringList>

namespace korvan::maintext {

inline const QString kTitle = QStringLiteral("KORVAN");

// The first tab strip and the option page's tab strip.
inline constexpr TextList kPages{KORVAN_TEXT("korvan", "常规下载"),
                                 KORVAN_TEXT("korvan", "自定下载"), KORVAN_TEXT("korvan", "选项"),
                                 KORVAN_TEXT("korvan", "缓存数据"),
                                 KORVAN_TEXT("korvan", "串口助手")};
inline constexpr TextList kOptionPages{KORVAN_TEXT("korvan", "内核选项"),
                                       KORVAN_TEXT("korvan", "参数检测"),
                                       KORVAN_TEXT("korvan", "自动增量")};

// Buttons.
inline constexpr i18n::Text kOpen = KORVAN_TEXT("korvan", "打开(&O)");
inline constexpr TextList kDownButtons{
    KORVAN_TEXT("korvan", "下载(&D)"), KORVAN_TEXT("korvan", "重复(&R)"),
    KORVAN_TEXT("korvan", "取消(&C)"), KORVAN_TEXT("korvan", "配置(&S)"),
    KORVAN_TEXT("korvan", "常用(&N)")};
inline constexpr i18n::Text kCheck = KORVAN_TEXT("korvan", "检测(&K)");
inline constexpr i18n::Text kCancelCheck = KORVAN_TEXT("korvan", "取消(&X)");
inline constexpr i18n::Text kTest = KORVAN_TEXT("korvan", "测试(&T)");
inline constexpr i18n::Text kBrowseProgram = KORVAN_TEXT("korvan", "浏览(&B)");
inline constexpr i18n::Text kBrowseParameters = KORVAN_TEXT("korvan", "浏览(&W)");
inline constexpr i18n::Text kRun = KORVAN_TEXT("korvan", "运行(&R)");
// Beside the reset command: the port-settings presets and the command history.
inline constexpr i18n::Text kResetPresets = KORVAN_TEXT("korvan", "协议(&L)");
inline constexpr i18n::Text kResetHistory = KORVAN_TEXT("korvan", "历史(&I)");

// Check boxes and field labels.
inline constexpr i18n::Text kUseReset = KORVAN_TEXT("korvan", "使用软启动命令(&U)");
inline constexpr i18n::Text kAutoData = KORVAN_TEXT("korvan", "自动更新缓冲区(&X)");
inline constexpr i18n::Text kAutoType = KORVAN_TEXT("korvan", "自动识别单片机系列(&Y)");
inline constexpr i18n::Text kAutoDown = KORVAN_TEXT("korvan", "目标更新时自动下载(&A)");
inline constexpr i18n::Text kRunAfter = KORVAN_TEXT("korvan", "下载完成后执行如下程序(&A)");
inline constexpr i18n::Text kIncOpen = KORVAN_TEXT("korvan", "使用自动增量(&W)");
inline constexpr i18n::Text kFileLabel = KORVAN_TEXT("korvan", "代码文件：");
inline constexpr i18n::Text kSeriesLabel = KORVAN_TEXT("korvan", "单片机系列：");
inline constexpr i18n::Text kSumLabel = KORVAN_TEXT("korvan", "校验和：");
inline constexpr i18n::Text kSizeLabel = KORVAN_TEXT("korvan", "代码大小：");
inline constexpr i18n::Text kChipSizeLabel = KORVAN_TEXT("korvan", "芯片空间：");
inline constexpr i18n::Text kFreeLabel = KORVAN_TEXT("korvan", "剩余空间：");
// The free-space box's tip when the code is larger than the chip.
inline QString DoesNotFit(qint64 code, qint64 flash) {
    return KORVAN_TR("korvan", "代码文件（%1 字节）大于芯片空间（%2 字节），无法全部写入")
        .arg(code)
        .arg(flash);
}
inline constexpr i18n::Text kResetLabel = KORVAN_TEXT("korvan", "软启动命令：");
inline constexpr i18n::Text kResetSeqLabel = KORVAN_TEXT("korvan", "复位序列：");
inline constexpr i18n::Text kResetSeqNone = KORVAN_TEXT("korvan", "无（手动重新上电）");
inline constexpr i18n::Text kResetSeqTip =
    KORVAN_TEXT("korvan",
                "等待启动标志时在串口的 DTR/RTS 上执行，代替手动重新上电。\n"
                "D0/D1：DTR 无效/有效；R0/R1：RTS 无效/有效；Wn：等待 n 毫秒；以逗号分隔，\n"
                "例如 D0,W300,D1（最多 32 步，等待合计不超过 5000 毫秒）。\n"
                "预设：dtr-power（DTR 控制单片机电源）、rts-p10（RTS 将 P1.0/P1.1 接地）。");
inline constexpr i18n::Text kProgramLabel = KORVAN_TEXT("korvan", "程序：");
inline constexpr i18n::Text kParametersLabel = KORVAN_TEXT("korvan", "参数：");
inline constexpr i18n::Text kDelayLabel = KORVAN_TEXT("korvan", "运行时间：");
inline constexpr i18n::Text kIncAddressLabel = KORVAN_TEXT("korvan", "增量起始地址：");
inline constexpr i18n::Text kIncAddressRange = KORVAN_TEXT("korvan", "* 十六进制(0000-FFFF*)");
inline constexpr i18n::Text kIncFormatLabel = KORVAN_TEXT("korvan", "数据格式：");
inline constexpr i18n::Text kIncNextLabel = KORVAN_TEXT("korvan", "下一个增量(N)：");
inline const QString kIncNextRange = QStringLiteral("* 0-999999999 (4 Bytes)");
inline constexpr i18n::Text kIncHex = KORVAN_TEXT("korvan", "十六进制");
inline constexpr i18n::Text kIncDecimal = KORVAN_TEXT("korvan", "十进制");

// Menus.
inline constexpr i18n::Text kMenuFile = KORVAN_TEXT("korvan", "文件(&F)");
inline constexpr i18n::Text kMenuEdit = KORVAN_TEXT("korvan", "编辑(&E)");
inline constexpr i18n::Text kMenuView = KORVAN_TEXT("korvan", "视图(&V)");
inline constexpr i18n::Text kMenuPort = KORVAN_TEXT("korvan", "串口(&M)");
inline constexpr i18n::Text kMenuTool = KORVAN_TEXT("korvan", "工具(&T)");
inline constexpr i18n::Text kMenuHelp = KORVAN_TEXT("korvan", "帮助(&H)");
inline constexpr i18n::Text kOpenFile = KORVAN_TEXT("korvan", "打开(&O)...");
inline constexpr i18n::Text kOpenDefault = KORVAN_TEXT("korvan", "打开默认文件");
inline constexpr i18n::Text kSaveDefault = KORVAN_TEXT("korvan", "设为默认文件");
inline constexpr i18n::Text kRefresh = KORVAN_TEXT("korvan", "更新缓冲区");
inline constexpr i18n::Text kFileHistory = KORVAN_TEXT("korvan", "历史文件记录");
inline constexpr i18n::Text kCommandHistory = KORVAN_TEXT("korvan", "历史命令记录");
inline constexpr i18n::Text kSaveAs = KORVAN_TEXT("korvan", "另存为(&A)...");
inline constexpr i18n::Text kExit = KORVAN_TEXT("korvan", "退出(&X)");
inline constexpr i18n::Text kEmptyHistory = KORVAN_TEXT("korvan", "&1 暂无记录");
inline constexpr i18n::Text kFind = KORVAN_TEXT("korvan", "查找(&F)");
// The serial terminal.
inline constexpr i18n::Text kTerminalSend = KORVAN_TEXT("korvan", "发送(&N)");
inline constexpr i18n::Text kTerminalOpen = KORVAN_TEXT("korvan", "打开串口(&P)");
inline constexpr i18n::Text kTerminalClose = KORVAN_TEXT("korvan", "关闭串口(&P)");
inline constexpr i18n::Text kTerminalHex = KORVAN_TEXT("korvan", "十六进制");
inline constexpr i18n::Text kTerminalLineBreak = KORVAN_TEXT("korvan", "自动换行");
inline constexpr i18n::Text kTerminalAutoSend = KORVAN_TEXT("korvan", "自动发送");
inline const QString kTerminalPeriodUnit = QStringLiteral("ms");
inline constexpr i18n::Text kTerminalInUse = KORVAN_TEXT("korvan", "串口正在使用中");
inline const QStringList kTerminalEncodings = {QStringLiteral("UTF-8"), QStringLiteral("GBK")};

// The Edit menu and the search over the data grid or the receive box.
inline constexpr i18n::Text kEditGrid = KORVAN_TEXT("korvan", "编辑缓存数据");
inline constexpr i18n::Text kFindNext = KORVAN_TEXT("korvan", "查找下一个");
inline constexpr i18n::Text kCopy = KORVAN_TEXT("korvan", "复制(&C)");
inline constexpr i18n::Text kClearReceive = KORVAN_TEXT("korvan", "清空接收区");
inline constexpr i18n::Text kFindTitle = KORVAN_TEXT("korvan", "数据查找");
inline constexpr i18n::Text kFindPrompt = KORVAN_TEXT("korvan", "输入要查找的数据：");
inline constexpr i18n::Text kFindDone = KORVAN_TEXT("korvan", "已全部查找完毕");
inline constexpr i18n::Text kSettings = KORVAN_TEXT("korvan", "选项(&O)");
inline constexpr i18n::Text kSkins = KORVAN_TEXT("korvan", "皮肤");
inline constexpr i18n::Text kProductionRecord = KORVAN_TEXT("korvan", "生产记录");
// The production record's window.
inline QString RecordTodayCounts(int ok, int failed) {
    return KORVAN_TR("korvan", "今日：成功 %1 片，失败 %2 片").arg(ok).arg(failed);
}
inline QString RecordUnavailable(const QString& why) {
    return KORVAN_TR("korvan", "生产记录无法打开：%1").arg(why);
}
inline constexpr i18n::Text kRecordRecordingOff =
    KORVAN_TEXT("korvan", "生产记录已关闭（[Production] Record=0）");
inline constexpr i18n::Text kRecordExport = KORVAN_TEXT("korvan", "导出 CSV(&E)");
inline constexpr i18n::Text kRecordRefresh = KORVAN_TEXT("korvan", "刷新(&R)");
inline constexpr i18n::Text kRecordClose = KORVAN_TEXT("korvan", "关闭(&C)");
inline constexpr i18n::Text kRecordExportTitle = KORVAN_TEXT("korvan", "导出生产记录");
inline constexpr i18n::Text kRecordExportFilter = KORVAN_TEXT("korvan", "CSV 文件 (*.csv)");
inline QString RecordExportFailed(const QString& path, const QString& why) {
    return KORVAN_TR("korvan", "无法写入 %1：%2").arg(path, why);
}
inline constexpr i18n::Text kDefaultSkin = KORVAN_TEXT("korvan", "默认界面");
inline constexpr i18n::Text kCalculator = KORVAN_TEXT("korvan", "计算器");
inline constexpr i18n::Text kTopMost = KORVAN_TEXT("korvan", "窗口置顶");
inline constexpr i18n::Text kIdeEntry = KORVAN_TEXT("korvan", "Keil 嵌入设置");
inline constexpr i18n::Text kHelpTopics = KORVAN_TEXT("korvan", "帮助");
inline constexpr i18n::Text kSupport = KORVAN_TEXT("korvan", "技术支持");
inline constexpr i18n::Text kAbout = KORVAN_TEXT("korvan", "关于(&A)...");
inline const QString kPortPrefix = QStringLiteral("COM");
inline constexpr i18n::Text kPortsRefresh = KORVAN_TEXT("korvan", "更新端口");
// The status bar when the selected port's adapter is pulled out, and when it is back.
inline QString PortGone(int number) {
    return KORVAN_TR("korvan", "COM%1 的串口适配器已断开").arg(number);
}
inline QString PortBack(int number) {
    return KORVAN_TR("korvan", "COM%1 的串口适配器已重新连接").arg(number);
}
inline constexpr i18n::Text kPortPresets = KORVAN_TEXT("korvan", "常用协议  ");

// The option page: the frame around the ISP control's option editor.
inline constexpr i18n::Text kOptionFrame =
    KORVAN_TEXT("korvan", "内核选项 - 若MCU不支持下面(部分或全部)参数则自动忽略");

// Dialogs.
inline constexpr i18n::Text kSaveAsTitle = KORVAN_TEXT("korvan", "另存为");
inline constexpr i18n::Text kOpenFilters = KORVAN_TEXT(
    "korvan",
    "所有支持的文件(*.hex *.bin *.mcu *.mcp);;代码文件(*.hex *.bin);;MCU 配置文件(*.mcu);;"
    "MCU 下载任务(*.mcp)");
inline constexpr i18n::Text kSaveFilters =
    KORVAN_TEXT("korvan", "MCU 配置文件(*.mcu);;MCU 下载任务(*.mcp)");
inline constexpr i18n::Text kProgramFilters = KORVAN_TEXT("korvan", "可执行文件(*);;所有文件(*)");
inline constexpr i18n::Text kAllFilesFilter = KORVAN_TEXT("korvan", "所有文件(*)");

// Status bar: the counter and clock panels carry the frame's panel layout codes.
inline const QString kCounterLayout = QStringLiteral("%#@100;%0");
// Wider than the 120 pixels of the original layout: "2026-12-08 15:58" needs more here.
inline const QString kClockLayout = QStringLiteral("%#@140");
inline const QString kClockFormat = QStringLiteral("yyyy-MM-dd H:mm");

// Closing the window while the chip is being written.
inline QString CloseWhileWriting() {
    return KORVAN_TR("korvan", "正在向单片机写入数据，现在退出会使单片机中的程序不完整。") +
           QStringLiteral("\r\n") + KORVAN_TR("korvan", "是否取消任务并退出？");
}

// English asked for in a build without its catalogue; in both languages, since only Chinese is
// there to say it.
inline const QString kNoEnglish = QStringLiteral(
    "本程序构建时没有英文翻译（缺少 Qt 的翻译工具）。\r\n"
    "This build of KORVAN has no English translation (Qt's translation tools were missing).");

// Start-up.
inline constexpr i18n::Text kCommandFileMissing = KORVAN_TEXT("korvan", "指定的文件未找到：");
inline constexpr i18n::Text kControlError =
    KORVAN_TEXT("korvan", "ISP 控件错误，请重新安装后再试。");

}  // namespace korvan::maintext
