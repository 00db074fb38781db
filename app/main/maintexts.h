// The main window's and the start-up's own texts: captions, menus, the start-up messages.
#pragma once

#include <QString>
#include <QStringList>

namespace korvan::maintext {

inline const QString kTitle = QStringLiteral("KORVAN");

// The first tab strip and the option page's tab strip.
inline const QStringList kPages = {QStringLiteral("常规下载"), QStringLiteral("自定下载"),
                                   QStringLiteral("选项"), QStringLiteral("缓存数据"),
                                   QStringLiteral("串口助手")};
inline const QStringList kOptionPages = {QStringLiteral("内核选项"), QStringLiteral("参数检测"),
                                         QStringLiteral("自动增量")};

// Buttons.
inline const QString kOpen = QStringLiteral("打开(&O)");
inline const QStringList kDownButtons = {QStringLiteral("下载(&D)"), QStringLiteral("重复(&R)"),
                                         QStringLiteral("取消(&C)"), QStringLiteral("配置(&S)"),
                                         QStringLiteral("常用(&N)")};
inline const QString kCheck = QStringLiteral("检测(&K)");
inline const QString kCancelCheck = QStringLiteral("取消(&X)");
inline const QString kTest = QStringLiteral("测试(&T)");
inline const QString kBrowseProgram = QStringLiteral("浏览(&B)");
inline const QString kBrowseParameters = QStringLiteral("浏览(&W)");
inline const QString kRun = QStringLiteral("运行(&R)");
// Beside the reset command: the port-settings presets and the command history.
inline const QString kResetPresets = QStringLiteral("协议(&L)");
inline const QString kResetHistory = QStringLiteral("历史(&I)");

// Check boxes and field labels.
inline const QString kUseReset = QStringLiteral("使用软启动命令(&U)");
inline const QString kAutoData = QStringLiteral("自动更新缓冲区(&X)");
inline const QString kAutoType = QStringLiteral("自动识别单片机系列(&Y)");
inline const QString kAutoDown = QStringLiteral("目标更新时自动下载(&A)");
inline const QString kRunAfter = QStringLiteral("下载完成后执行如下程序(&A)");
inline const QString kIncOpen = QStringLiteral("使用自动增量(&W)");
inline const QString kFileLabel = QStringLiteral("代码文件：");
inline const QString kSeriesLabel = QStringLiteral("单片机系列：");
inline const QString kSumLabel = QStringLiteral("校验和：");
inline const QString kSizeLabel = QStringLiteral("代码大小：");
inline const QString kChipSizeLabel = QStringLiteral("芯片空间：");
inline const QString kFreeLabel = QStringLiteral("剩余空间：");
// The free-space box's tip when the code is larger than the chip.
inline QString DoesNotFit(qint64 code, qint64 flash) {
    return QStringLiteral("代码文件（%1 字节）大于芯片空间（%2 字节），无法全部写入")
        .arg(code)
        .arg(flash);
}
inline const QString kResetLabel = QStringLiteral("软启动命令：");
inline const QString kResetSeqLabel = QStringLiteral("复位序列：");
inline const QString kResetSeqNone = QStringLiteral("无（手动重新上电）");
inline const QString kResetSeqTip = QStringLiteral(
    "等待启动标志时在串口的 DTR/RTS 上执行，代替手动重新上电。\n"
    "D0/D1：DTR 无效/有效；R0/R1：RTS 无效/有效；Wn：等待 n 毫秒；以逗号分隔，\n"
    "例如 D0,W300,D1（最多 32 步，等待合计不超过 5000 毫秒）。\n"
    "预设：dtr-power（DTR 控制单片机电源）、rts-p10（RTS 将 P1.0/P1.1 接地）。");
inline const QString kProgramLabel = QStringLiteral("程序：");
inline const QString kParametersLabel = QStringLiteral("参数：");
inline const QString kDelayLabel = QStringLiteral("运行时间：");
inline const QString kIncAddressLabel = QStringLiteral("增量起始地址：");
inline const QString kIncAddressRange = QStringLiteral("* 十六进制(0000-FFFF*)");
inline const QString kIncFormatLabel = QStringLiteral("数据格式：");
inline const QString kIncNextLabel = QStringLiteral("下一个增量(N)：");
inline const QString kIncNextRange = QStringLiteral("* 0-999999999 (4 Bytes)");
inline const QString kIncHex = QStringLiteral("十六进制");
inline const QString kIncDecimal = QStringLiteral("十进制");

// Menus.
inline const QString kMenuFile = QStringLiteral("文件(&F)");
inline const QString kMenuEdit = QStringLiteral("编辑(&E)");
inline const QString kMenuView = QStringLiteral("视图(&V)");
inline const QString kMenuPort = QStringLiteral("串口(&M)");
inline const QString kMenuTool = QStringLiteral("工具(&T)");
inline const QString kMenuHelp = QStringLiteral("帮助(&H)");
inline const QString kOpenFile = QStringLiteral("打开(&O)...");
inline const QString kOpenDefault = QStringLiteral("打开默认文件");
inline const QString kSaveDefault = QStringLiteral("设为默认文件");
inline const QString kRefresh = QStringLiteral("更新缓冲区");
inline const QString kFileHistory = QStringLiteral("历史文件记录");
inline const QString kCommandHistory = QStringLiteral("历史命令记录");
inline const QString kSaveAs = QStringLiteral("另存为(&A)...");
inline const QString kExit = QStringLiteral("退出(&X)");
inline const QString kEmptyHistory = QStringLiteral("&1 暂无记录");
inline const QString kFind = QStringLiteral("查找(&F)");
// The serial terminal.
inline const QString kTerminalSend = QStringLiteral("发送(&N)");
inline const QString kTerminalOpen = QStringLiteral("打开串口(&P)");
inline const QString kTerminalClose = QStringLiteral("关闭串口(&P)");
inline const QString kTerminalHex = QStringLiteral("十六进制");
inline const QString kTerminalLineBreak = QStringLiteral("自动换行");
inline const QString kTerminalAutoSend = QStringLiteral("自动发送");
inline const QString kTerminalPeriodUnit = QStringLiteral("ms");
inline const QString kTerminalInUse = QStringLiteral("串口正在使用中");
inline const QStringList kTerminalEncodings = {QStringLiteral("UTF-8"), QStringLiteral("GBK")};

// The Edit menu and the search over the data grid or the receive box.
inline const QString kEditGrid = QStringLiteral("编辑缓存数据");
inline const QString kFindNext = QStringLiteral("查找下一个");
inline const QString kCopy = QStringLiteral("复制(&C)");
inline const QString kClearReceive = QStringLiteral("清空接收区");
inline const QString kFindTitle = QStringLiteral("数据查找");
inline const QString kFindPrompt = QStringLiteral("输入要查找的数据：");
inline const QString kFindDone = QStringLiteral("已全部查找完毕");
inline const QString kSettings = QStringLiteral("选项(&O)");
inline const QString kSkins = QStringLiteral("皮肤");
inline const QString kProductionRecord = QStringLiteral("生产记录");
// The production record's window.
inline QString RecordTodayCounts(int ok, int failed) {
    return QStringLiteral("今日：成功 %1 片，失败 %2 片").arg(ok).arg(failed);
}
inline QString RecordUnavailable(const QString& why) {
    return QStringLiteral("生产记录无法打开：%1").arg(why);
}
inline const QString kRecordRecordingOff =
    QStringLiteral("生产记录已关闭（[Production] Record=0）");
inline const QString kRecordExport = QStringLiteral("导出 CSV(&E)");
inline const QString kRecordRefresh = QStringLiteral("刷新(&R)");
inline const QString kRecordClose = QStringLiteral("关闭(&C)");
inline const QString kRecordExportTitle = QStringLiteral("导出生产记录");
inline const QString kRecordExportFilter = QStringLiteral("CSV 文件 (*.csv)");
inline QString RecordExportFailed(const QString& path, const QString& why) {
    return QStringLiteral("无法写入 %1：%2").arg(path, why);
}
inline const QString kDefaultSkin = QStringLiteral("默认界面");
inline const QString kCalculator = QStringLiteral("计算器");
inline const QString kTopMost = QStringLiteral("窗口置顶");
inline const QString kIdeEntry = QStringLiteral("Keil 嵌入设置");
inline const QString kHelpTopics = QStringLiteral("帮助");
inline const QString kSupport = QStringLiteral("技术支持");
inline const QString kAbout = QStringLiteral("关于(&A)...");
inline const QString kPortPrefix = QStringLiteral("COM");
inline const QString kPortsRefresh = QStringLiteral("更新端口");
// The status bar when the selected port's adapter is pulled out, and when it is back.
inline QString PortGone(int number) {
    return QStringLiteral("COM%1 的串口适配器已断开").arg(number);
}
inline QString PortBack(int number) {
    return QStringLiteral("COM%1 的串口适配器已重新连接").arg(number);
}
inline const QString kPortPresets = QStringLiteral("常用协议  ");

// The option page: the frame around the ISP control's option editor.
inline const QString kOptionFrame =
    QStringLiteral("内核选项 - 若MCU不支持下面(部分或全部)参数则自动忽略");

// Dialogs.
inline const QString kSaveAsTitle = QStringLiteral("另存为");
inline const QString kOpenFilters = QStringLiteral(
    "所有支持的文件(*.hex *.bin *.mcu *.mcp);;代码文件(*.hex *.bin);;MCU 配置文件(*.mcu);;"
    "MCU 下载任务(*.mcp)");
inline const QString kSaveFilters = QStringLiteral("MCU 配置文件(*.mcu);;MCU 下载任务(*.mcp)");
inline const QString kProgramFilters = QStringLiteral("可执行文件(*);;所有文件(*)");
inline const QString kAllFilesFilter = QStringLiteral("所有文件(*)");

// Status bar: the counter and clock panels carry the frame's panel layout codes.
inline const QString kCounterLayout = QStringLiteral("%#@100;%0");
// Wider than the 120 pixels of the original layout: "2026-12-08 15:58" needs more here.
inline const QString kClockLayout = QStringLiteral("%#@140");
inline const QString kClockFormat = QStringLiteral("yyyy-MM-dd H:mm");

// Closing the window while the chip is being written.
inline const QString kCloseWhileWriting = QStringLiteral(
    "正在向单片机写入数据，现在退出会使单片机中的程序不完整。\r\n是否取消任务并退出？");

// Start-up.
inline const QString kCommandFileMissing = QStringLiteral("指定的文件未找到：");
inline const QString kControlError = QStringLiteral("ISP 控件错误，请重新安装后再试。");

}  // namespace korvan::maintext
