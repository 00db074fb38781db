#include "cliargs.h"

#include "commsettings.h"
#include "core/datatext.h"
#include "core/increment.h"
#include "core/usersettings.h"
#include "portlist.h"
#include "recordargs.h"
#include "text.h"

#include <QRegularExpression>

namespace korvan::cli {

namespace {

bool ParseInt(const QString& text, int& out, int min, int max) {
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < min || v > max) return false;
    out = v;
    return true;
}

// "COMMAND;9600,N,8,1", split at the last ";" as the stored reset command is.
std::optional<ResetSpec> ParseReset(const QString& text, QString& error) {
    if (!text.contains(';')) {
        error =
            KORVAN_TR("korvan-cli", "--reset 需要 \"命令;串口设置\"，例如 \"12 34;9600,N,8,1\"");
        return std::nullopt;
    }
    const ResetCommand rest = SplitRest(text);
    const auto settings = kserial::CommSettings::parse(rest.PortSettings);
    if (!settings) {
        error = KORVAN_TR("korvan-cli", "--reset 的串口设置无效：%1").arg(rest.PortSettings);
        return std::nullopt;
    }
    if (ParseDataText(rest.Command, DataTextContext{1, QDateTime::currentDateTime()}).empty()) {
        error = KORVAN_TR("korvan-cli", "--reset 的命令不含任何数据：%1").arg(rest.Command);
        return std::nullopt;
    }
    return ResetSpec{rest.Command, settings->toString()};
}

// "ADDR:FORMAT:N". The format may itself hold ":" (a time format), so the address ends at the
// first ":" and the number starts after the last one.
std::optional<IncSpec> ParseInc(const QString& text, QString& error) {
    const qsizetype first = text.indexOf(':');
    const qsizetype last = text.lastIndexOf(':');
    error = KORVAN_TR("korvan-cli", "--inc 需要 \"地址:数据格式:N\"，例如 \"FFFC:%NL4:1\"：%1")
                .arg(text);
    if (first < 0 || last == first) return std::nullopt;
    const QString address = text.left(first).trimmed();
    const QString format = text.mid(first + 1, last - first - 1);
    const QString number = text.mid(last + 1).trimmed();
    static const QRegularExpression hex4(QStringLiteral("^[0-9A-Fa-f]{1,4}$"));
    static const QRegularExpression decimal(QStringLiteral("^[0-9]{1,9}$"));
    if (!hex4.match(address).hasMatch()) {
        error = KORVAN_TR("korvan-cli", "--inc 的地址无效（十六进制 0000-FFFF）：%1").arg(address);
        return std::nullopt;
    }
    if (!decimal.match(number).hasMatch()) {
        error = KORVAN_TR("korvan-cli", "--inc 的增量无效（0-999999999）：%1").arg(number);
        return std::nullopt;
    }
    IncSpec inc;
    inc.address = static_cast<quint16>(address.toUInt(nullptr, 16));
    inc.format = format;
    inc.next = number.toLongLong();
    if (ParseDataText(format, DataTextContext{inc.next, QDateTime::currentDateTime()}).empty()) {
        error = KORVAN_TR("korvan-cli", "--inc 的数据格式不产生任何数据：%1").arg(format);
        return std::nullopt;
    }
    error.clear();
    return inc;
}

}  // namespace

ParseResult ParseArguments(const QStringList& args) {
    Options o;
    ParseResult r;
    auto fail = [&r](const QString& why) {
        r.error = why;
        return r;
    };
    if (args.isEmpty())
        return fail(KORVAN_TR("korvan-cli",
                              "缺少命令：check、download、configure、ports、monitor 或 record"));

    const QString& command = args.first();
    if (command == "check")
        o.job = Job::Check;
    else if (command == "download")
        o.job = Job::Download;
    else if (command == "configure")
        o.job = Job::Configure;
    else if (command == "ports")
        o.job = Job::Ports;
    else if (command == "monitor")
        o.job = Job::Monitor;
    else if (command == "help" || command == "-h" || command == "--help")
        o.job = Job::Help;
    else if (command == "--version")
        o.job = Job::Version;
    else if (command == "record")
        o.job = Job::Record;
    else
        return fail(KORVAN_TR("korvan-cli", "未知命令：%1").arg(command));

    bool repeatGiven = false;
    bool monitorGiven = false;  // an option of the monitor
    bool endOfOptions = false;
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        // Options with a value accept both "--opt VALUE" and "--opt=VALUE".
        QString name = a, value;
        bool hasInlineValue = false;
        if (!endOfOptions && a.startsWith("--") && a.contains('=')) {
            name = a.section('=', 0, 0);
            value = a.section('=', 1);
            hasInlineValue = true;
        }
        auto needValue = [&](QString& out) {
            if (hasInlineValue) {
                out = value;
                return true;
            }
            if (i + 1 >= args.size()) {
                r.error = KORVAN_TR("korvan-cli", "选项 %1 需要一个值").arg(name);
                return false;
            }
            out = args[++i];
            return true;
        };
        auto noValue = [&]() {
            if (hasInlineValue) r.error = KORVAN_TR("korvan-cli", "选项 %1 不需要值").arg(name);
            return !hasInlineValue;
        };
        QString v;
        if (endOfOptions || !a.startsWith('-') || a.size() == 1) {
            if (o.job == Job::Download && o.file.isEmpty()) {
                o.file = a;
                continue;
            }
            return fail(KORVAN_TR("korvan-cli", "多余的参数：%1").arg(a));
        }
        if (a == "--") {
            endOfOptions = true;
        } else if (name == "-h" || name == "--help") {
            if (!noValue()) return r;
            o.job = Job::Help;
        } else if (name == "-p" || name == "--port") {
            if (!needValue(v)) return r;
            if (v.isEmpty()) return fail(KORVAN_TR("korvan-cli", "-p 的串口为空"));
            o.ports << v;
        } else if (name == "--ports") {
            if (!needValue(v)) return r;
            QString error;
            const auto list = ParsePortList(v, error);
            if (!list) return fail(error);
            o.ports << *list;
        } else if (name == "--sim") {
            if (!needValue(v)) return r;
            QString error;
            const auto sim = ParseSimCount(v, error);
            if (!sim) return fail(error);
            for (int n = 0; n < sim->count; ++n) o.simModels << sim->model;
        } else if (name == "--max-baud") {
            if (!needValue(v)) return r;
            if (!ParseInt(v, o.maxBaud, 1200, 921600))
                return fail(
                    KORVAN_TR("korvan-cli", "--max-baud 的值无效（1200-921600）：%1").arg(v));
        } else if (name == "--wait") {
            if (!needValue(v)) return r;
            if (!ParseInt(v, o.waitSeconds, 1, 86400))
                return fail(KORVAN_TR("korvan-cli", "--wait 的值无效（1-86400 秒）：%1").arg(v));
        } else if (name == "--series") {
            if (!needValue(v)) return r;
            int index = 0;
            if (!ParseInt(v, index, 0, 255))
                return fail(KORVAN_TR("korvan-cli", "--series 的值无效：%1").arg(v));
            o.series = index;
        } else if (name == "--auto-series") {
            if (!noValue()) return r;
            o.autoSeries = true;
        } else if (name == "--db") {
            if (!needValue(o.dbFile)) return r;
            if (o.dbFile.isEmpty()) return fail(KORVAN_TR("korvan-cli", "--db 的文件名为空"));
        } else if (name == "--json") {
            if (!noValue()) return r;
            o.json = true;
        } else if (name == "-q" || name == "--quiet") {
            if (!noValue()) return r;
            o.quiet = true;
        } else if (name == "-v" || name == "--verbose") {
            if (!noValue()) return r;
            o.verbose = true;
        } else if (name == "--reset") {
            if (!needValue(v)) return r;
            QString error;
            o.reset = ParseReset(v, error);
            if (!o.reset) return fail(error);
        } else if (name == "--reset-seq") {
            if (!needValue(v)) return r;
            const ResetSequenceParse parsed = ParseResetSequence(v);
            if (!parsed.sequence)
                return fail(KORVAN_TR("korvan-cli", "--reset-seq：") + parsed.errorText());
            o.resetSequence = *parsed.sequence;
        } else if (name == "--inc") {
            if (!needValue(v)) return r;
            QString error;
            o.inc = ParseInc(v, error);
            if (!o.inc) return fail(error);
        } else if (name == "--option") {
            if (!needValue(v)) return r;
            if (!v.contains('=') || v.startsWith('=') || v.endsWith('='))
                return fail(KORVAN_TR("korvan-cli", "--option 需要 \"选项=选择\"，例如 \"1=0\"：%1")
                                .arg(v));
            o.optionSettings << v;
        } else if (name == "--options-from") {
            if (!needValue(o.optionsFrom)) return r;
            if (o.optionsFrom.isEmpty())
                return fail(KORVAN_TR("korvan-cli", "--options-from 的文件名为空"));
        } else if (name == "--allow-run") {
            if (!noValue()) return r;
            o.allowRun = true;
        } else if (name == "--ignore-hex-errors" || name == "--ignore-checksums") {
            // The second is the option's first name, kept for the scripts that use it.
            if (!noValue()) return r;
            o.ignoreHexErrors = true;
        } else if (name == "--monitor") {
            if (!hasInlineValue && i + 1 < args.size() && !args[i + 1].startsWith('-') &&
                args[i + 1].toInt() > 0)
                value = args[++i], hasInlineValue = true;
            if (hasInlineValue && !ParseInt(value, o.monitor.baud, 50, 4000000))
                return fail(KORVAN_TR("korvan-cli", "--monitor 的波特率无效：%1").arg(value));
            o.monitorAfter = true;
        } else if (name == "--baud") {
            if (!needValue(v)) return r;
            if (!ParseInt(v, o.monitor.baud, 50, 4000000))
                return fail(KORVAN_TR("korvan-cli", "--baud 的值无效：%1").arg(v));
            monitorGiven = true;
        } else if (name == "--hex") {
            if (!noValue()) return r;
            o.monitor.hex = true;
            monitorGiven = true;
        } else if (name == "--encoding") {
            if (!needValue(v)) return r;
            v = v.toLower();
            if (v != "utf-8" && v != "utf8" && v != "gbk")
                return fail(KORVAN_TR("korvan-cli", "--encoding 只能是 utf-8 或 gbk：%1").arg(v));
            o.monitor.encoding = v == "gbk" ? v : QStringLiteral("utf-8");
            monitorGiven = true;
        } else if (name == "--for") {
            if (!needValue(v)) return r;
            int seconds = 0;
            if (!ParseInt(v, seconds, 1, 86400 * 365))
                return fail(KORVAN_TR("korvan-cli", "--for 的值无效（秒）：%1").arg(v));
            o.monitor.seconds = seconds;
            monitorGiven = true;
        } else if (ParseRecordOption(name, needValue, noValue, o, r)) {
            if (!r.error.isEmpty()) return r;
        } else if (name == "--repeat") {
            if (!needValue(v)) return r;
            if (!ParseInt(v, o.repeat, 1, 1000000))
                return fail(KORVAN_TR("korvan-cli", "--repeat 的值无效：%1").arg(v));
            repeatGiven = true;
        } else {
            return fail(KORVAN_TR("korvan-cli", "未知选项：%1").arg(a));
        }
    }

    if (o.job == Job::Help || o.job == Job::Version) {
        r.options = o;
        return r;
    }
    if (const QString problem = CheckRecordOptions(o); !problem.isEmpty()) return fail(problem);
    if (o.job == Job::Record) {
        r.options = o;
        return r;
    }
    if (o.job == Job::Ports) {
        if (!o.ports.isEmpty() || !o.simModels.isEmpty())
            return fail(KORVAN_TR("korvan-cli", "ports 列出所有串口，不需要 -p 或 --sim"));
        r.options = o;
        return r;
    }
    if (o.job == Job::Download && o.file.isEmpty())
        return fail(KORVAN_TR("korvan-cli", "download 需要一个代码文件"));
    if (monitorGiven && o.job != Job::Monitor && !o.monitorAfter)
        return fail(KORVAN_TR("korvan-cli",
                              "--baud、--hex、--encoding 与 --for 只用于 monitor 或 --monitor"));
    // What a port receives is raw text; it would break the lines a JSON reader expects.
    if ((o.job == Job::Monitor || o.monitorAfter) && o.json)
        return fail(KORVAN_TR("korvan-cli", "监视串口时不能使用 --json"));
    if (o.monitorAfter && o.job != Job::Download)
        return fail(KORVAN_TR("korvan-cli", "--monitor 只用于 download"));
    if ((o.job == Job::Monitor || o.monitorAfter) && (o.ports.size() > 1 || !o.simModels.isEmpty()))
        return fail(KORVAN_TR("korvan-cli", "监视只用于一个串口"));
    // Without a port the one USB serial adapter present is used.
    if (o.ports.isEmpty() && o.simModels.isEmpty()) o.ports << kAutoPort;
    if (o.ports.size() > 1 && o.ports.contains(kAutoPort, Qt::CaseInsensitive))
        return fail(KORVAN_TR("korvan-cli", "-p auto 只能单独使用"));
    if (!o.ports.isEmpty() && !o.simModels.isEmpty())
        return fail(KORVAN_TR("korvan-cli", "-p 与 --sim 只能选一个"));
    if (const QString problem = CheckPortList(o.ports); !problem.isEmpty()) return fail(problem);
    if (o.simModels.size() > kMaxPorts)
        return fail(KORVAN_TR("korvan-cli", "虚拟单片机太多：%1 个（最多 %2 个）")
                        .arg(o.simModels.size())
                        .arg(kMaxPorts));
    if (PortCount(o) > 1 && o.job != Job::Download)
        return fail(KORVAN_TR("korvan-cli", "多个串口只用于 download"));
    if (o.job != Job::Download && (o.inc || repeatGiven))
        return fail(KORVAN_TR("korvan-cli", "--inc 与 --repeat 只用于 download"));
    if (o.job != Job::Configure && (!o.optionSettings.isEmpty() || !o.optionsFrom.isEmpty()))
        return fail(KORVAN_TR("korvan-cli", "--option 与 --options-from 只用于 configure"));
    if (o.autoSeries && !o.series)
        return fail(KORVAN_TR("korvan-cli", "--auto-series 需要与 --series 一起使用"));
    r.options = o;
    return r;
}

QString HelpText() {
    return KORVAN_TR(
        "korvan-cli",
        "用法：korvan-cli <命令> [选项]\n"
        "\n"
        "通过 ZEL 系列单片机的串行引导程序检测、下载或配置单片机。\n"
        "启动任务后请给单片机重新上电。\n"
        "\n"
        "命令：\n"
        "  check                  检测单片机参数（型号、版本、频率、存储空间），\n"
        "                         并列出每个选项的序号、可选值和单片机当前的选择\n"
        "  download FILE          下载程序文件（Intel HEX、BIN、.mcu 或 .mcp）\n"
        "  configure              配置单片机选项\n"
        "  ports                  列出串口：COM 号、设备、by-id 名称、厂商/产品、VID:PID、\n"
        "                         序列号，以及占用串口的程序（进程号和名称）；--json 时\n"
        "                         每个串口输出一个 JSON 对象\n"
        "  monitor                显示串口收到的内容，直到 Ctrl-C、Ctrl-] 或 --for 秒；\n"
        "                         在终端上输入的每一行发送到串口\n"
        "  record                 输出生产记录（每个到达单片机的任务一行）；\n"
        "                         可加 --since DATE、--task NAME、--result ok|failed，\n"
        "                         以及 --csv 或 --json\n"
        "\n"
        "选项：\n"
        "  -p, --port PORT        串口：设备路径（如 /dev/ttyUSB0）、COMn 或 auto；可以重复\n"
        "                         使用。auto（不给 -p 时也是）使用唯一插着的 USB 串口\n"
        "                         适配器；没有或有多个时列出串口，退出码 2\n"
        "  --ports A,B,...        多个串口，用逗号分隔\n"
        "  --sim MODEL[xN]        不用串口，由进程内的虚拟单片机完成任务\n"
        "                         （型号 ID 如 D103，或型号名称）；D103x4 为四片\n"
        "  --max-baud RATE        允许的最高波特率（1200-921600，默认 115200；\n"
        "                         高于 115200 时按单片机时钟选用 230400-921600）\n"
        "  --wait SECONDS         等待单片机启动的秒数（默认 30），超时即取消\n"
        "  --series INDEX         选定的单片机系列序号（默认跟随检测到的单片机）\n"
        "  --auto-series          与 --series 一起使用：下载时自动更换为检测到的系列\n"
        "  --db FILE              使用另一个 zel.db 数据库\n"
        "  --reset \"CMD;SETTINGS\" 下载前发送软启动命令（数据格式），例如\n"
        "                         \"12 34;9600,N,8,1\"\n"
        "  --reset-seq SEQ|PRESET 等待启动标志时在串口的 DTR/RTS 上执行复位序列，代替手动\n"
        "                         重新上电：D0/D1 DTR 无效/有效，R0/R1 RTS 无效/有效，\n"
        "                         Wn 等待 n 毫秒，以逗号分隔（如 D0,W300,D1；最多 32 步，\n"
        "                         等待合计不超过 5000 毫秒）；或预设：dtr-power（DTR 控制\n"
        "                         单片机电源，即 D0,W300,D1），rts-p10（RTS 将 P1.0/P1.1\n"
        "                         接地，即 R1）\n"
        "  --inc ADDR:FORMAT:N    在地址 ADDR（十六进制）写入自动增量数据 FORMAT\n"
        "                         （数据格式，%N 为序号），N 为第一片的序号\n"
        "  --repeat N             连续下载 N 片单片机，每片等待单片机启动\n"
        "  --ignore-hex-errors    HEX 文件有校验和错误或格式不正确的记录、或缺少文件结束\n"
        "                         记录（文件可能不完整）时仍然下载（默认拒绝）；\n"
        "                         旧名 --ignore-checksums 仍可使用\n"
        "  --allow-run            允许运行 .mcu/.mcp 文件指定的下载后程序\n"
        "  --option NAME=VALUE    configure：设置一个选项；NAME 是 check 列出的序号或\n"
        "                         选项名称，VALUE 是可选值的序号（从 0 起）或文字；\n"
        "                         可以重复使用，没有设置的选项保持单片机原来的值\n"
        "  --options-from FILE    configure：使用 .mcu 文件 [Option] 中保存的选项值\n"
        "                         （按检测到的单片机系列），--option 可再覆盖其中的值\n"
        "  --monitor [RATE]       download 成功后接着监视串口（默认 9600,N,8,1）\n"
        "  --baud RATE            monitor：波特率（默认 9600，8 位数据、无校验、1 位停止）\n"
        "  --hex                  monitor：以十六进制显示收到的字节\n"
        "  --encoding utf-8|gbk   monitor：收到的文字的编码（默认 utf-8）\n"
        "  --for SECONDS          monitor：监视的秒数（默认直到 Ctrl-C 或 Ctrl-]）\n"
        "  --record-db URL        生产记录的数据库：postgresql://用户@主机[:端口]/数据库\n"
        "                         （密码只从 ~/.pgpass 或 PGPASSFILE 读取）；默认为\n"
        "                         Config.ini [Production] Database=，否则为本机的\n"
        "                         $XDG_DATA_HOME/korvan/record.sqlite。指定数据库时，\n"
        "                         自动增量的序号从数据库的序号池（[AddData] Pool=，默认为\n"
        "                         任务文件名）中取得，多个工位共用也不会重复\n"
        "  --since DATE           record：只输出此后的记录（2026-12-09 或 ISO 时间）\n"
        "  --task NAME            record：只输出此任务（序号池）的记录\n"
        "  --result ok|failed     record：只输出成功或失败的记录\n"
        "  --csv                  record：以 CSV 输出\n"
        "  --json                 每个事件输出一行 JSON，最后输出结果摘要\n"
        "  -q, --quiet            只输出结果\n"
        "  -v, --verbose          在标准错误输出每个数据包\n"
        "  -h, --help             显示本帮助\n"
        "  --version              显示版本\n"
        "  --lang en|zh           输出的语言：en 英文，zh 中文（默认）；也可用环境变量\n"
        "                         KORVAN_LANG=en。--json 的输出不随语言改变\n"
        "\n"
        "作为 FILE 的 .mcu 配置文件和 .mcp 下载任务带来各自的设置：软启动命令及其串口\n"
        "设置、自动增量（下载成功后下一个序号写回文件）、单片机系列，以及下载后运行的\n"
        "程序（只有加上 --allow-run 才会运行）。命令行选项优先于文件中的设置。\n"
        "\n"
        "多个串口（批量下载）：\n"
        "  给出多个串口（或 --sim MODELxN）时，download 在每个串口上同时运行各自的任务；\n"
        "  有 --repeat N 时每个串口各自连续下载 N 片。终端上每个串口一行进度，其他输出的\n"
        "  每行以串口名开头，--json 的每个对象带有 \"port\"。最后列出每个串口的型号、\n"
        "  结果和用时；只有全部串口成功时退出码为 0，否则为 1。\n"
        "  自动增量的序号由所有串口共用：单片机在擦除前（程序交给单片机时）取得序号，\n"
        "  先取被退回的最小序号，没有时取下一个新序号；任务失败时序号退回，由下一片\n"
        "  取用，所以成功的单片机序号各不相同，也不会因为别的串口失败而跳过。保存的\n"
        "  下一个序号是已成功使用的最大序号加一；运行结束时仍被退回、比它小的序号在\n"
        "  结果表下列为未使用。\n"
        "\n"
        "生产记录：\n"
        "  每个到达单片机的任务在结束时写入一行记录（时间、工位、程序、串口、单片机、\n"
        "  代码文件及其 SHA-256、选项、波特率、序号、结果和原因、用时）。数据库无法写入\n"
        "  时任务结果不受影响，记录暂存并在下次启动时补写。Config.ini 中\n"
        "  [Production] Record=0 关闭记录，Station= 指定工位名称（默认为主机名）。\n"
        "  数据库无法连接时，使用自动增量的下载不会开始。\n"
        "\n"
        "退出码：\n"
        "  0  成功\n"
        "  1  任务失败或被取消（Ctrl-C），或 --json 的输出无法写入\n"
        "  2  用法或输入错误（文件不存在或格式不支持、记录校验和错误、未知选项）\n"
        "  3  串口错误（串口不存在、已被占用、无权限，或任务中串口断开）\n"
        "  4  等待超时：单片机未在 --wait 秒内应答\n"
        "\n"
        "示例：\n"
        "  korvan-cli check -p /dev/ttyUSB0\n"
        "  korvan-cli download blink.hex -p COM1 --max-baud 57600\n"
        "  korvan-cli download blink.hex --sim D103\n"
        "  korvan-cli download blink.hex -p /dev/ttyUSB0 --inc FFFC:%NL4:1 --repeat 10\n"
        "  korvan-cli download blink.hex --ports /dev/ttyUSB0,/dev/ttyUSB1 --inc FFFC:%NL4:1\n"
        "  korvan-cli download blink.hex --sim D103x4\n"
        "  korvan-cli download job.mcp -p /dev/ttyUSB0 --allow-run\n"
        "  korvan-cli configure -p /dev/ttyUSB0 --option 1=1 --option \"振荡器增益=低增益(<12M)\"\n"
        "  korvan-cli configure -p /dev/ttyUSB0 --options-from board.mcu\n"
        "  korvan-cli ports\n"
        "  korvan-cli ports --json\n"
        "  korvan-cli download blink.hex -p auto\n"
        "  korvan-cli download blink.hex --monitor 9600 --for 10\n"
        "  korvan-cli monitor -p COM3 --baud 115200 --encoding gbk\n"
        "  korvan-cli download board.mcp --ports /dev/ttyUSB0,/dev/ttyUSB1 \\\n"
        "      --record-db postgresql://line@db.example/production\n"
        "  korvan-cli record --since 2026-12-09 --result failed --csv\n");
}

}  // namespace korvan::cli
