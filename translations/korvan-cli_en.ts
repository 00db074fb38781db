<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>korvan-cli</name>
    <message>
        <source>MCU 型号：  未知型号 </source>
        <translation>Model:      unknown model </translation>
    </message>
    <message>
        <source>MCU 型号：  </source>
        <translation>Model:      </translation>
    </message>
    <message>
        <source>MCU 版本：  </source>
        <translation>Version:    </translation>
    </message>
    <message>
        <source>MCU 频率：  </source>
        <translation>Clock:      </translation>
    </message>
    <message>
        <source>存储空间：  %1 B  (%2 KB)</source>
        <translation>Flash:      %1 B  (%2 KB)</translation>
    </message>
    <message>
        <source>内存空间：  %1 Bytes</source>
        <translation>RAM:        %1 bytes</translation>
    </message>
    <message>
        <source>EEPROM  ：  %1 B  (%2 KB)</source>
        <translation>EEPROM:     %1 B  (%2 KB)</translation>
    </message>
    <message>
        <source>序 列 号：  </source>
        <translation>Serial no.: </translation>
    </message>
    <message>
        <source>此型号不支持用户选项</source>
        <translation>This model has no user options</translation>
    </message>
    <message>
        <source>MCU 内核</source>
        <translation>MCU core</translation>
    </message>
    <message>
        <source>MCU 选项</source>
        <translation>MCU options</translation>
    </message>
    <message>
        <source>--reset 需要 &quot;命令;串口设置&quot;，例如 &quot;12 34;9600,N,8,1&quot;</source>
        <translation>--reset needs &quot;command;port settings&quot;, e.g. &quot;12 34;9600,N,8,1&quot;</translation>
    </message>
    <message>
        <source>--reset 的串口设置无效：%1</source>
        <translation>--reset: invalid port settings: %1</translation>
    </message>
    <message>
        <source>--reset 的命令不含任何数据：%1</source>
        <translation>--reset: the command holds no data: %1</translation>
    </message>
    <message>
        <source>--inc 需要 &quot;地址:数据格式:N&quot;，例如 &quot;FFFC:%NL4:1&quot;：%1</source>
        <translation>--inc needs &quot;address:data format:N&quot;, e.g. &quot;FFFC:%NL4:1&quot;: %1</translation>
    </message>
    <message>
        <source>--inc 的地址无效（十六进制 0000-FFFF）：%1</source>
        <translation>--inc: invalid address (hex 0000-FFFF): %1</translation>
    </message>
    <message>
        <source>--inc 的增量无效（0-999999999）：%1</source>
        <translation>--inc: invalid serial number (0-999999999): %1</translation>
    </message>
    <message>
        <source>--inc 的数据格式不产生任何数据：%1</source>
        <translation>--inc: the data format gives no data: %1</translation>
    </message>
    <message>
        <source>缺少命令：check、download、configure、ports、monitor 或 record</source>
        <translation>missing command: check, download, configure, ports, monitor or record</translation>
    </message>
    <message>
        <source>未知命令：%1</source>
        <translation>unknown command: %1</translation>
    </message>
    <message>
        <source>选项 %1 需要一个值</source>
        <translation>option %1 needs a value</translation>
    </message>
    <message>
        <source>选项 %1 不需要值</source>
        <translation>option %1 takes no value</translation>
    </message>
    <message>
        <source>多余的参数：%1</source>
        <translation>unexpected argument: %1</translation>
    </message>
    <message>
        <source>-p 的串口为空</source>
        <translation>-p: the port is empty</translation>
    </message>
    <message>
        <source>--max-baud 的值无效（1200-921600）：%1</source>
        <translation>--max-baud: invalid value (1200-921600): %1</translation>
    </message>
    <message>
        <source>--wait 的值无效（1-86400 秒）：%1</source>
        <translation>--wait: invalid value (1-86400 seconds): %1</translation>
    </message>
    <message>
        <source>--series 的值无效：%1</source>
        <translation>--series: invalid value: %1</translation>
    </message>
    <message>
        <source>--db 的文件名为空</source>
        <translation>--db: the file name is empty</translation>
    </message>
    <message>
        <source>--reset-seq：</source>
        <translation>--reset-seq: </translation>
    </message>
    <message>
        <source>--option 需要 &quot;选项=选择&quot;，例如 &quot;1=0&quot;：%1</source>
        <translation>--option needs &quot;option=choice&quot;, e.g. &quot;1=0&quot;: %1</translation>
    </message>
    <message>
        <source>--options-from 的文件名为空</source>
        <translation>--options-from: the file name is empty</translation>
    </message>
    <message>
        <source>--monitor 的波特率无效：%1</source>
        <translation>--monitor: invalid baud rate: %1</translation>
    </message>
    <message>
        <source>--baud 的值无效：%1</source>
        <translation>--baud: invalid value: %1</translation>
    </message>
    <message>
        <source>--encoding 只能是 utf-8 或 gbk：%1</source>
        <translation>--encoding must be utf-8 or gbk: %1</translation>
    </message>
    <message>
        <source>--for 的值无效（秒）：%1</source>
        <translation>--for: invalid value (seconds): %1</translation>
    </message>
    <message>
        <source>--repeat 的值无效：%1</source>
        <translation>--repeat: invalid value: %1</translation>
    </message>
    <message>
        <source>未知选项：%1</source>
        <translation>unknown option: %1</translation>
    </message>
    <message>
        <source>ports 列出所有串口，不需要 -p 或 --sim</source>
        <translation>ports lists every serial port and takes no -p or --sim</translation>
    </message>
    <message>
        <source>download 需要一个代码文件</source>
        <translation>download needs a code file</translation>
    </message>
    <message>
        <source>--baud、--hex、--encoding 与 --for 只用于 monitor 或 --monitor</source>
        <translation>--baud, --hex, --encoding and --for are for monitor or --monitor only</translation>
    </message>
    <message>
        <source>监视串口时不能使用 --json</source>
        <translation>--json cannot be used while monitoring a port</translation>
    </message>
    <message>
        <source>--monitor 只用于 download</source>
        <translation>--monitor is for download only</translation>
    </message>
    <message>
        <source>监视只用于一个串口</source>
        <translation>only one port can be monitored</translation>
    </message>
    <message>
        <source>-p auto 只能单独使用</source>
        <translation>-p auto must be the only port</translation>
    </message>
    <message>
        <source>-p 与 --sim 只能选一个</source>
        <translation>use either -p or --sim, not both</translation>
    </message>
    <message>
        <source>虚拟单片机太多：%1 个（最多 %2 个）</source>
        <translation>too many virtual chips: %1 (at most %2)</translation>
    </message>
    <message>
        <source>多个串口只用于 download</source>
        <translation>several ports are for download only</translation>
    </message>
    <message>
        <source>--inc 与 --repeat 只用于 download</source>
        <translation>--inc and --repeat are for download only</translation>
    </message>
    <message>
        <source>--option 与 --options-from 只用于 configure</source>
        <translation>--option and --options-from are for configure only</translation>
    </message>
    <message>
        <source>--auto-series 需要与 --series 一起使用</source>
        <translation>--auto-series needs --series</translation>
    </message>
    <message>
        <source>用法：korvan-cli &lt;命令&gt; [选项]

通过 ZEL 系列单片机的串行引导程序检测、下载或配置单片机。
启动任务后请给单片机重新上电。

命令：
  check                  检测单片机参数（型号、版本、频率、存储空间），
                         并列出每个选项的序号、可选值和单片机当前的选择
  download FILE          下载程序文件（Intel HEX、BIN、.mcu 或 .mcp）
  configure              配置单片机选项
  ports                  列出串口：COM 号、设备、by-id 名称、厂商/产品、VID:PID、
                         序列号，以及占用串口的程序（进程号和名称）；--json 时
                         每个串口输出一个 JSON 对象
  monitor                显示串口收到的内容，直到 Ctrl-C、Ctrl-] 或 --for 秒；
                         在终端上输入的每一行发送到串口
  record                 输出生产记录（每个到达单片机的任务一行）；
                         可加 --since DATE、--task NAME、--result ok|failed，
                         以及 --csv 或 --json

选项：
  -p, --port PORT        串口：设备路径（如 /dev/ttyUSB0）、COMn 或 auto；可以重复
                         使用。auto（不给 -p 时也是）使用唯一插着的 USB 串口
                         适配器；没有或有多个时列出串口，退出码 2
  --ports A,B,...        多个串口，用逗号分隔
  --sim MODEL[xN]        不用串口，由进程内的虚拟单片机完成任务
                         （型号 ID 如 D103，或型号名称）；D103x4 为四片
  --max-baud RATE        允许的最高波特率（1200-921600，默认 115200；
                         高于 115200 时按单片机时钟选用 230400-921600）
  --wait SECONDS         等待单片机启动的秒数（默认 30），超时即取消
  --series INDEX         选定的单片机系列序号（默认跟随检测到的单片机）
  --auto-series          与 --series 一起使用：下载时自动更换为检测到的系列
  --db FILE              使用另一个 zel.db 数据库
  --reset &quot;CMD;SETTINGS&quot; 下载前发送软启动命令（数据格式），例如
                         &quot;12 34;9600,N,8,1&quot;
  --reset-seq SEQ|PRESET 等待启动标志时在串口的 DTR/RTS 上执行复位序列，代替手动
                         重新上电：D0/D1 DTR 无效/有效，R0/R1 RTS 无效/有效，
                         Wn 等待 n 毫秒，以逗号分隔（如 D0,W300,D1；最多 32 步，
                         等待合计不超过 5000 毫秒）；或预设：dtr-power（DTR 控制
                         单片机电源，即 D0,W300,D1），rts-p10（RTS 将 P1.0/P1.1
                         接地，即 R1）
  --inc ADDR:FORMAT:N    在地址 ADDR（十六进制）写入自动增量数据 FORMAT
                         （数据格式，%N 为序号），N 为第一片的序号
  --repeat N             连续下载 N 片单片机，每片等待单片机启动
  --ignore-hex-errors    HEX 文件有校验和错误或格式不正确的记录、或缺少文件结束
                         记录（文件可能不完整）时仍然下载（默认拒绝）；
                         旧名 --ignore-checksums 仍可使用
  --allow-run            允许运行 .mcu/.mcp 文件指定的下载后程序
  --option NAME=VALUE    configure：设置一个选项；NAME 是 check 列出的序号或
                         选项名称，VALUE 是可选值的序号（从 0 起）或文字；
                         可以重复使用，没有设置的选项保持单片机原来的值
  --options-from FILE    configure：使用 .mcu 文件 [Option] 中保存的选项值
                         （按检测到的单片机系列），--option 可再覆盖其中的值
  --monitor [RATE]       download 成功后接着监视串口（默认 9600,N,8,1）
  --baud RATE            monitor：波特率（默认 9600，8 位数据、无校验、1 位停止）
  --hex                  monitor：以十六进制显示收到的字节
  --encoding utf-8|gbk   monitor：收到的文字的编码（默认 utf-8）
  --for SECONDS          monitor：监视的秒数（默认直到 Ctrl-C 或 Ctrl-]）
  --record-db URL        生产记录的数据库：postgresql://用户@主机[:端口]/数据库
                         （密码只从 ~/.pgpass 或 PGPASSFILE 读取）；默认为
                         Config.ini [Production] Database=，否则为本机的
                         $XDG_DATA_HOME/korvan/record.sqlite。指定数据库时，
                         自动增量的序号从数据库的序号池（[AddData] Pool=，默认为
                         任务文件名）中取得，多个工位共用也不会重复
  --since DATE           record：只输出此后的记录（2026-12-09 或 ISO 时间）
  --task NAME            record：只输出此任务（序号池）的记录
  --result ok|failed     record：只输出成功或失败的记录
  --csv                  record：以 CSV 输出
  --json                 每个事件输出一行 JSON，最后输出结果摘要
  -q, --quiet            只输出结果
  -v, --verbose          在标准错误输出每个数据包
  -h, --help             显示本帮助
  --version              显示版本
  --lang en|zh           输出的语言：en 英文，zh 中文（默认）；也可用环境变量
                         KORVAN_LANG=en。--json 的输出不随语言改变

作为 FILE 的 .mcu 配置文件和 .mcp 下载任务带来各自的设置：软启动命令及其串口
设置、自动增量（下载成功后下一个序号写回文件）、单片机系列，以及下载后运行的
程序（只有加上 --allow-run 才会运行）。命令行选项优先于文件中的设置。

多个串口（批量下载）：
  给出多个串口（或 --sim MODELxN）时，download 在每个串口上同时运行各自的任务；
  有 --repeat N 时每个串口各自连续下载 N 片。终端上每个串口一行进度，其他输出的
  每行以串口名开头，--json 的每个对象带有 &quot;port&quot;。最后列出每个串口的型号、
  结果和用时；只有全部串口成功时退出码为 0，否则为 1。
  自动增量的序号由所有串口共用：单片机在擦除前（程序交给单片机时）取得序号，
  先取被退回的最小序号，没有时取下一个新序号；任务失败时序号退回，由下一片
  取用，所以成功的单片机序号各不相同，也不会因为别的串口失败而跳过。保存的
  下一个序号是已成功使用的最大序号加一；运行结束时仍被退回、比它小的序号在
  结果表下列为未使用。

生产记录：
  每个到达单片机的任务在结束时写入一行记录（时间、工位、程序、串口、单片机、
  代码文件及其 SHA-256、选项、波特率、序号、结果和原因、用时）。数据库无法写入
  时任务结果不受影响，记录暂存并在下次启动时补写。Config.ini 中
  [Production] Record=0 关闭记录，Station= 指定工位名称（默认为主机名）。
  数据库无法连接时，使用自动增量的下载不会开始。

退出码：
  0  成功
  1  任务失败或被取消（Ctrl-C），或 --json 的输出无法写入
  2  用法或输入错误（文件不存在或格式不支持、记录校验和错误、未知选项）
  3  串口错误（串口不存在、已被占用、无权限，或任务中串口断开）
  4  等待超时：单片机未在 --wait 秒内应答

示例：
  korvan-cli check -p /dev/ttyUSB0
  korvan-cli download blink.hex -p COM1 --max-baud 57600
  korvan-cli download blink.hex --sim D103
  korvan-cli download blink.hex -p /dev/ttyUSB0 --inc FFFC:%NL4:1 --repeat 10
  korvan-cli download blink.hex --ports /dev/ttyUSB0,/dev/ttyUSB1 --inc FFFC:%NL4:1
  korvan-cli download blink.hex --sim D103x4
  korvan-cli download job.mcp -p /dev/ttyUSB0 --allow-run
  korvan-cli configure -p /dev/ttyUSB0 --option 1=1 --option &quot;振荡器增益=低增益(&lt;12M)&quot;
  korvan-cli configure -p /dev/ttyUSB0 --options-from board.mcu
  korvan-cli ports
  korvan-cli ports --json
  korvan-cli download blink.hex -p auto
  korvan-cli download blink.hex --monitor 9600 --for 10
  korvan-cli monitor -p COM3 --baud 115200 --encoding gbk
  korvan-cli download board.mcp --ports /dev/ttyUSB0,/dev/ttyUSB1 \
      --record-db postgresql://line@db.example/production
  korvan-cli record --since 2026-12-09 --result failed --csv
</source>
        <translation>Usage: korvan-cli &lt;command&gt; [options]

Checks, downloads to or configures ZEL-series chips through their serial bootloader.
After starting a job, power-cycle the chip.

Commands:
  check                  read the chip&apos;s parameters (model, version, clock, memory)
                         and list every option: its number, its choices and the chip&apos;s
                         current choice
  download FILE          download a program file (Intel HEX, BIN, .mcu or .mcp)
  configure              set the chip&apos;s options
  ports                  list the serial ports: COM number, device, by-id name,
                         maker/product, VID:PID, serial number, and the program holding
                         the port (process id and name); with --json one JSON object per
                         port
  monitor                show what the port receives until Ctrl-C, Ctrl-] or --for
                         seconds; every line typed on the terminal is sent to the port
  record                 print the production record (one line per job that reached a
                         chip); takes --since DATE, --task NAME, --result ok|failed,
                         and --csv or --json

Options:
  -p, --port PORT        serial port: a device path (e.g. /dev/ttyUSB0), COMn or auto;
                         may be repeated. auto (also without -p) uses the one USB serial
                         adapter plugged in; with none or several it lists the ports and
                         exits with 2
  --ports A,B,...        several ports, separated by commas
  --sim MODEL[xN]        no serial port: an in-process virtual chip does the job
                         (a model ID such as D103, or a model name); D103x4 is four chips
  --max-baud RATE        the highest baud rate allowed (1200-921600, default 115200;
                         above 115200 a rate of 230400-921600 is chosen by the chip clock)
  --wait SECONDS         seconds to wait for the chip to start (default 30), then cancel
  --series INDEX         the chip series chosen (default: follow the chip detected)
  --auto-series          with --series: switch to the detected series when downloading
  --db FILE              use another zel.db database
  --reset &quot;CMD;SETTINGS&quot; send a soft-start command (data format) before downloading, e.g.
                         &quot;12 34;9600,N,8,1&quot;
  --reset-seq SEQ|PRESET while waiting for the chip to start, run a reset sequence on the
                         port&apos;s DTR/RTS instead of a manual power cycle: D0/D1 DTR
                         inactive/active, R0/R1 RTS inactive/active, Wn wait n ms,
                         separated by commas (e.g. D0,W300,D1; at most 32 steps, waits
                         totalling at most 5000 ms); or a preset: dtr-power (DTR switches
                         the chip&apos;s power, i.e. D0,W300,D1), rts-p10 (RTS grounds
                         P1.0/P1.1, i.e. R1)
  --inc ADDR:FORMAT:N    write the serial number data FORMAT at address ADDR (hex)
                         (data format, %N is the number); N is the first chip&apos;s number
  --repeat N             download N chips in a row, waiting for each one to start
  --ignore-hex-errors    download even when the HEX file has records with checksum or
                         format errors, or lacks its end-of-file record (the file may be
                         incomplete) (refused by default); the old name
                         --ignore-checksums still works
  --allow-run            allow the program that an .mcu/.mcp file runs after a download
  --option NAME=VALUE    configure: set one option; NAME is the number check lists or the
                         option&apos;s name, VALUE the number of a choice (from 0) or its text;
                         may be repeated; options not set keep the chip&apos;s values
  --options-from FILE    configure: use the option values saved in an .mcu file&apos;s
                         [Option] (for the chip series detected); --option can still
                         override them
  --monitor [RATE]       after a successful download, monitor the port (default
                         9600,N,8,1)
  --baud RATE            monitor: baud rate (default 9600, 8 data bits, no parity, 1 stop
                         bit)
  --hex                  monitor: show the bytes received in hex
  --encoding utf-8|gbk   monitor: the encoding of the text received (default utf-8)
  --for SECONDS          monitor: seconds to monitor (default until Ctrl-C or Ctrl-])
  --record-db URL        the production record&apos;s database:
                         postgresql://user@host[:port]/database (the password is read
                         from ~/.pgpass or PGPASSFILE only); default Config.ini
                         [Production] Database=, else the local
                         $XDG_DATA_HOME/korvan/record.sqlite. With a database, serial
                         numbers come from its pool ([AddData] Pool=, default the task
                         file&apos;s name), so stations sharing it never repeat one
  --since DATE           record: only records from then on (2026-12-09 or ISO time)
  --task NAME            record: only the records of this task (serial number pool)
  --result ok|failed     record: only successful or failed records
  --csv                  record: print CSV
  --json                 print one line of JSON per event, then a summary
  -q, --quiet            print the result only
  -v, --verbose          print every packet on standard error
  -h, --help             show this help
  --version              show the version
  --lang en|zh           the output&apos;s language: en English, zh Chinese (default); also
                         KORVAN_LANG=en. --json output does not change with the language

An .mcu configuration file or .mcp download task given as FILE brings its own settings:
the soft-start command and its port settings, the serial number (the next number is
written back to the file after a successful download), the chip series, and the program
run after the download (only with --allow-run). Command-line options take precedence over
the file&apos;s settings.

Several ports (gang download):
  Given several ports (or --sim MODELxN), download runs its own job on each port at once;
  with --repeat N each port downloads N chips in a row. On a terminal each port has one
  progress line; other output lines start with the port&apos;s name, and every --json object
  has a &quot;port&quot;. At the end a table lists each port&apos;s model, result and time; the exit
  code is 0 only when every port succeeded, else 1.
  All ports share the serial numbers: a chip takes its number before the erase (when the
  code is handed to the chip), the smallest number given back first, else the next new
  one; a failed job gives its number back for the next chip, so the chips that succeed
  have distinct numbers and no number is skipped because another port failed. The next
  number saved is one more than the largest number used successfully; numbers below it
  still given back at the end are listed as unused under the result table.

Production record:
  Every job that reached a chip writes one record when it ends (time, station, program,
  port, chip, code file and its SHA-256, options, baud rate, serial number, result and
  reason, time taken). When the database cannot be written the job&apos;s result is not
  affected; the record is kept and written at the next start. In Config.ini
  [Production] Record=0 turns the record off, Station= names the station (default the
  host name). When the database cannot be reached, downloads with serial numbers do not
  start.

Exit codes:
  0  success
  1  the job failed or was cancelled (Ctrl-C), or --json output could not be written
  2  usage or input error (missing or unsupported file, record checksum errors, unknown
     option)
  3  serial port error (no such port, held by another program, no permission, or the
     port was lost during the job)
  4  timed out: the chip did not answer within --wait seconds

Examples:
  korvan-cli check -p /dev/ttyUSB0
  korvan-cli download blink.hex -p COM1 --max-baud 57600
  korvan-cli download blink.hex --sim D103
  korvan-cli download blink.hex -p /dev/ttyUSB0 --inc FFFC:%NL4:1 --repeat 10
  korvan-cli download blink.hex --ports /dev/ttyUSB0,/dev/ttyUSB1 --inc FFFC:%NL4:1
  korvan-cli download blink.hex --sim D103x4
  korvan-cli download job.mcp -p /dev/ttyUSB0 --allow-run
  korvan-cli configure -p /dev/ttyUSB0 --option 1=1 --option &quot;Oscillator gain=Low (&lt;12M)&quot;
  korvan-cli configure -p /dev/ttyUSB0 --options-from board.mcu
  korvan-cli ports
  korvan-cli ports --json
  korvan-cli download blink.hex -p auto
  korvan-cli download blink.hex --monitor 9600 --for 10
  korvan-cli monitor -p COM3 --baud 115200 --encoding gbk
  korvan-cli download board.mcp --ports /dev/ttyUSB0,/dev/ttyUSB1 \
      --record-db postgresql://line@db.example/production
  korvan-cli record --since 2026-12-09 --result failed --csv
</translation>
    </message>
    <message>
        <source>korvan-cli: %1
用 korvan-cli --help 查看用法。
</source>
        <translation>korvan-cli: %1
See korvan-cli --help for usage.
</translation>
    </message>
    <message>
        <source>korvan-cli: 输出无法写入
</source>
        <translation>korvan-cli: the output could not be written
</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1：单片机为 %2，选定的是 %3</source>
        <translation>%1: the chip is %2, the series chosen is %3</translation>
    </message>
    <message>
        <source>下一个增量(N)：%1</source>
        <translation>Next serial number (N): %1</translation>
    </message>
    <message>
        <source>%1/%2 完成</source>
        <translation>%1/%2 done</translation>
    </message>
    <message>
        <source>无法读取单片机数据库：%1</source>
        <translation>Cannot read the chip database: %1</translation>
    </message>
    <message>
        <source>没有可用的用户数据目录，使用程序内置的数据库</source>
        <translation>No user data folder available; using the built-in chip database</translation>
    </message>
    <message>
        <source>单片机数据库 %1 无法创建，使用程序内置的数据库</source>
        <translation>The chip database %1 cannot be created; using the built-in one</translation>
    </message>
    <message>
        <source>--series 超出范围，数据库中的系列：
</source>
        <translation>--series out of range; the series in the database:
</translation>
    </message>
    <message>
        <source>虚拟单片机无法启动：数据库中没有型号 %1（请给出四位型号 ID，如 D103，或型号名称）</source>
        <translation>The virtual chip cannot start: no model %1 in the database (give a four-digit model ID such as D103, or a model name)</translation>
    </message>
    <message>
        <source>虚拟单片机无法启动</source>
        <translation>The virtual chip cannot start</translation>
    </message>
    <message>
        <source>配置文件没有指定代码文件（UserFile）：%1</source>
        <translation>The configuration file names no code file (UserFile): %1</translation>
    </message>
    <message>
        <source>%1 中有 %2 条记录校验和错误或格式不正确，文件可能已损坏</source>
        <translation>%1 has %2 records with checksum or format errors; the file may be damaged</translation>
    </message>
    <message>
        <source>%1 中的下一个增量(N) %2 超出范围（0-999999999）；文件未下载，也未改动</source>
        <translation>The next serial number (N) %2 in %1 is out of range (0-999999999); nothing was downloaded and the file is unchanged</translation>
    </message>
    <message>
        <source>%1 没有文件结束记录，文件可能不完整</source>
        <translation>%1 has no end-of-file record; the file may be incomplete</translation>
    </message>
    <message>
        <source>；文件未下载。确认无误后可用 --ignore-hex-errors 仍然下载</source>
        <translation>; nothing was downloaded. If the file is right, --ignore-hex-errors downloads it anyway</translation>
    </message>
    <message>
        <source>文件指定了下载完成后运行的程序；只有加上 --allow-run 才会运行</source>
        <translation>The file names a program to run after the download; it runs only with --allow-run</translation>
    </message>
    <message>
        <source>korvan-cli 没有串口助手，忽略终端操作</source>
        <translation>korvan-cli has no serial terminal; the terminal action is ignored</translation>
    </message>
    <message>
        <source>任务无法启动</source>
        <translation>The job could not start</translation>
    </message>
    <message>
        <source>本片增量(N)：%1</source>
        <translation>Serial number (N) of this chip: %1</translation>
    </message>
    <message>
        <source>串口</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>型号</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>结果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>用时</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>增量(N)</source>
        <translation>Serial (N)</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>成功</source>
        <translation>success</translation>
    </message>
    <message>
        <source>已取消</source>
        <translation>cancelled</translation>
    </message>
    <message>
        <source>超时</source>
        <translation>timed out</translation>
    </message>
    <message>
        <source>串口错误</source>
        <translation>port error</translation>
    </message>
    <message>
        <source>失败</source>
        <translation>failed</translation>
    </message>
    <message>
        <source>%1 秒</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>未使用的增量(N)：%1</source>
        <translation>Unused serial numbers (N): %1</translation>
    </message>
    <message>
        <source>共 %1 个串口：%2 个成功，%3 个失败</source>
        <translation>%1 ports: %2 succeeded, %3 failed</translation>
    </message>
    <message>
        <source>%1/%2 个串口成功</source>
        <translation>%1/%2 ports succeeded</translation>
    </message>
    <message>
        <source>自动选择串口：</source>
        <translation>Port chosen automatically: </translation>
    </message>
    <message>
        <source>没有找到 USB 串口适配器。请插上适配器，或用 -p 指定串口。现有串口：</source>
        <translation>No USB serial adapter found. Plug one in, or name the port with -p. The ports present:</translation>
    </message>
    <message>
        <source>  （没有）</source>
        <translation>  (none)</translation>
    </message>
    <message>
        <source>找到多个 USB 串口适配器，请用 -p 选择其中一个：</source>
        <translation>Several USB serial adapters found; choose one with -p:</translation>
    </message>
    <message>
        <source>串口|设备|by-id 名称|厂商/产品|VID:PID|序列号|占用</source>
        <translation>Port|Device|by-id name|Maker/product|VID:PID|Serial no.|Held by</translation>
    </message>
    <message>
        <source>没有找到串口</source>
        <translation>No serial port found</translation>
    </message>
    <message>
        <source>（未连接）</source>
        <translation>(not connected)</translation>
    </message>
    <message>
        <source>监视串口 %1（%2），按 Ctrl-C 或 Ctrl-] 结束
</source>
        <translation>Monitoring %1 (%2); Ctrl-C or Ctrl-] ends
</translation>
    </message>
    <message>
        <source>串口或串口适配器已断开，监视结束</source>
        <translation>The port or its adapter was disconnected; monitoring ended</translation>
    </message>
    <message>
        <source>（%1）</source>
        <translation> (%1)</translation>
    </message>
    <message>
        <source>警告：</source>
        <translation>warning: </translation>
    </message>
    <message>
        <source>，</source>
        <translation>, </translation>
    </message>
    <message>
        <source>单片机没有选项“%1”；可用的选项：%2</source>
        <translation>The chip has no option &quot;%1&quot;; its options: %2</translation>
    </message>
    <message>
        <source>选项“%1”没有“%2”；可选：%3</source>
        <translation>Option &quot;%1&quot; has no choice &quot;%2&quot;; choose from: %3</translation>
    </message>
    <message>
        <source>--sim 的型号为空</source>
        <translation>--sim: the model is empty</translation>
    </message>
    <message>
        <source>--sim 的数量无效（1-%1）：%2</source>
        <translation>--sim: invalid number of chips (1-%1): %2</translation>
    </message>
    <message>
        <source>--ports 中有空的串口名：%1</source>
        <translation>--ports has an empty port name: %1</translation>
    </message>
    <message>
        <source>串口太多：%1 个（最多 %2 个）</source>
        <translation>too many ports: %1 (at most %2)</translation>
    </message>
    <message>
        <source>串口 %1 重复</source>
        <translation>port %1 given twice</translation>
    </message>
    <message>
        <source>--record-db：</source>
        <translation>--record-db: </translation>
    </message>
    <message>
        <source>--since 的日期无效（如 2026-12-09 或 2026-12-09T08:00）：%1</source>
        <translation>--since: invalid date (e.g. 2026-12-09 or 2026-12-09T08:00): %1</translation>
    </message>
    <message>
        <source>--task 的名称为空</source>
        <translation>--task: the name is empty</translation>
    </message>
    <message>
        <source>--result 只能是 ok 或 failed：%1</source>
        <translation>--result must be ok or failed: %1</translation>
    </message>
    <message>
        <source>--since、--task、--result 与 --csv 只用于 record</source>
        <translation>--since, --task, --result and --csv are for record only</translation>
    </message>
    <message>
        <source>record 不使用串口</source>
        <translation>record uses no serial port</translation>
    </message>
    <message>
        <source>--csv 与 --json 只能选一个</source>
        <translation>use either --csv or --json, not both</translation>
    </message>
    <message>
        <source>korvan-cli: 无法读取生产记录 %1：%2
</source>
        <translation>korvan-cli: cannot read the production record %1: %2
</translation>
    </message>
    <message>
        <source>    选项（configure --option 序号或名称=选择）：</source>
        <translation>    Options (configure --option number or name=choice):</translation>
    </message>
    <message>
        <source>        %1  %2：%3    （可选：%4）</source>
        <translation>        %1  %2: %3    (choices: %4)</translation>
    </message>
    <message>
        <source>共写入 %1 字节，%2 bps，用时 %3 秒（等待单片机 %4 秒）</source>
        <translation>Wrote %1 bytes at %2 bps in %3 s (waited %4 s for the chip)</translation>
    </message>
</context>
</TS>
