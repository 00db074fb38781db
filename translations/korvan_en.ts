<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>korvan</name>
    <message>
        <source>] - 任务</source>
        <translation>] - Task</translation>
    </message>
    <message>
        <source>文件无效或者文件不存在</source>
        <translation>The file is invalid or does not exist</translation>
    </message>
    <message>
        <source>文件无法正常打开</source>
        <translation>The file cannot be opened</translation>
    </message>
    <message>
        <source>文件保存成功</source>
        <translation>File saved</translation>
    </message>
    <message>
        <source>文件保存失败</source>
        <translation>Saving the file failed</translation>
    </message>
    <message>
        <source>指定的文件不存在：</source>
        <translation>The file does not exist: </translation>
    </message>
    <message>
        <source>文件错误</source>
        <translation>File error</translation>
    </message>
    <message>
        <source>不支持的文件格式！</source>
        <translation>Unsupported file format!</translation>
    </message>
    <message>
        <source>文件未打开，请打开后再试</source>
        <translation>No file is open; open one and try again</translation>
    </message>
    <message>
        <source>文件中没有一条有效的 HEX 记录，不是 HEX 文件</source>
        <translation>The file holds no valid HEX record; it is not a HEX file</translation>
    </message>
    <message>
        <source>文件无法读取，请检查文件的读取权限</source>
        <translation>The file cannot be read; check its read permission</translation>
    </message>
    <message>
        <source>文件太大（超过 16 MB），不是单片机的代码文件</source>
        <translation>The file is too large (over 16 MB) to be MCU code</translation>
    </message>
    <message>
        <source>文件中有 %1 条记录校验和错误或格式不正确（第一条在第 %2 行），文件可能已损坏。</source>
        <translation>%1 records of the file have a wrong checksum or format (the first in line %2); the file may be damaged.</translation>
    </message>
    <message>
        <source>文件没有结束记录（:00000001FF），可能不完整。</source>
        <translation>The file has no end record (:00000001FF) and may be incomplete.</translation>
    </message>
    <message>
        <source>是否仍然打开？</source>
        <translation>Open it anyway?</translation>
    </message>
    <message>
        <source>（%1）</source>
        <translation> (%1)</translation>
    </message>
    <message>
        <source>文件不存在</source>
        <translation>The file does not exist</translation>
    </message>
    <message>
        <source>不是普通文件（FIFO、设备或文件夹），不能使用</source>
        <translation>Not a regular file (a FIFO, a device or a folder); it cannot be used</translation>
    </message>
    <message>
        <source>文件太大，未读取也未改动</source>
        <translation>The file is too large; it was neither read nor changed</translation>
    </message>
    <message>
        <source>文件无法读取</source>
        <translation>The file cannot be read</translation>
    </message>
    <message>
        <source>写入失败</source>
        <translation>Writing failed</translation>
    </message>
    <message>
        <source>，原文件保持不变</source>
        <translation>; the original file is unchanged</translation>
    </message>
    <message>
        <source>：</source>
        <translation>: </translation>
    </message>
    <message>
        <source>设置文件未使用：</source>
        <translation>Settings file not used: </translation>
    </message>
    <message>
        <source>复位序列第 %1 个字符：%2</source>
        <translation>Reset sequence, character %1: %2</translation>
    </message>
    <message>
        <source>空步骤</source>
        <translation>empty step</translation>
    </message>
    <message>
        <source>未知步骤“%1”，应为 D0、D1、R0、R1、W毫秒数或预设名称</source>
        <translation>unknown step &quot;%1&quot;; expected D0, D1, R0, R1, W and milliseconds, or a preset name</translation>
    </message>
    <message>
        <source>%1 电平只能是 0 或 1</source>
        <translation>the %1 level can only be 0 or 1</translation>
    </message>
    <message>
        <source>等待时间应为 1-%1 毫秒</source>
        <translation>a wait must be 1-%1 ms</translation>
    </message>
    <message>
        <source>等待时间合计超过 %1 毫秒</source>
        <translation>the waits add up to more than %1 ms</translation>
    </message>
    <message>
        <source>步骤超过 %1 个</source>
        <translation>more than %1 steps</translation>
    </message>
    <message>
        <source>序列中没有 DTR 或 RTS 步骤</source>
        <translation>the sequence has no DTR or RTS step</translation>
    </message>
    <message>
        <source>MCU 配置文件</source>
        <translation>MCU settings file</translation>
    </message>
    <message>
        <source>MCU 下载任务</source>
        <translation>MCU download task</translation>
    </message>
    <message>
        <source>未找到计算器程序&lt;br&gt;请安装 gnome-calculator、kcalc、galculator 或 xcalc 后再试</source>
        <translation>No calculator program was found&lt;br&gt;Install gnome-calculator, kcalc, galculator or xcalc and try again</translation>
    </message>
    <message>
        <source>启动第 %1 次重复下载</source>
        <translation>Starting repeated download no. %1</translation>
    </message>
    <message>
        <source>文件更新自动下载程序</source>
        <translation>The file changed: downloading it</translation>
    </message>
    <message>
        <source>下载单片机程序</source>
        <translation>Downloading the MCU program</translation>
    </message>
    <message>
        <source>配置单片机选项</source>
        <translation>Configuring the MCU options</translation>
    </message>
    <message>
        <source>检测单片机参数</source>
        <translation>Checking the MCU</translation>
    </message>
    <message>
        <source>等待启动标志... </source>
        <translation>Waiting for the chip to start... </translation>
    </message>
    <message>
        <source>检测单片机启动标志... </source>
        <translation>Waiting for the chip&apos;s start flag... </translation>
    </message>
    <message>
        <source>通讯超时退出</source>
        <translation>Communication timed out</translation>
    </message>
    <message>
        <source>请确认单片机是否正确启动</source>
        <translation>Check that the MCU was powered on again</translation>
    </message>
    <message>
        <source>请确认下载时P1.0与P1.1是否需要接地</source>
        <translation>Check whether P1.0 and P1.1 must be grounded for the download</translation>
    </message>
    <message>
        <source>请确认串行通信口选择是否正确</source>
        <translation>Check that the right serial port is selected</translation>
    </message>
    <message>
        <source>总第 %1 次下载成功完成</source>
        <translation>Download no. %1 completed successfully</translation>
    </message>
    <message>
        <source>共 %1 次重复下载已全部完成</source>
        <translation>All %1 repeated downloads are done</translation>
    </message>
    <message>
        <source>运行用户程序 (延时: %1)</source>
        <translation>Running the user program (delay: %1)</translation>
    </message>
    <message>
        <source>执行用户参数</source>
        <translation>Running the user parameters</translation>
    </message>
    <message>
        <source>没有与此类文件关联的程序，无法打开：%1</source>
        <translation>No program opens this kind of file, so it cannot be opened: %1</translation>
    </message>
    <message>
        <source>用户程序无法运行：%1</source>
        <translation>The user program cannot be run: %1</translation>
    </message>
    <message>
        <source>计数: </source>
        <translation>Count: </translation>
    </message>
    <message>
        <source>窗口关闭：任务已取消，串口已关闭</source>
        <translation>Window closed: the job was cancelled and the port closed</translation>
    </message>
    <message>
        <source>发送用户自定软启指令</source>
        <translation>Sending the soft-start command</translation>
    </message>
    <message>
        <source>执行复位序列 %1</source>
        <translation>Running the reset sequence %1</translation>
    </message>
    <message>
        <source>程序数据超出单片机的存储空间：需要 %1 字节，%2 只有 %3 字节</source>
        <translation>The program data does not fit the MCU: %1 bytes needed, the %2 has only %3 bytes</translation>
    </message>
    <message>
        <source>自动增量数据无法加入</source>
        <translation>The automatic increment&apos;s data cannot be added</translation>
    </message>
    <message>
        <source>未经允许，下载完成后不运行文件指定的程序</source>
        <translation>Not allowed: the program that the file names is not run after the download</translation>
    </message>
    <message>
        <source>当前串口(%1)无效
请选择有效端口</source>
        <translation>The port (%1) is not valid
Choose a valid port</translation>
    </message>
    <message>
        <source>当前串口(%1)已经打开
请关闭其它程序后再试</source>
        <translation>The port (%1) is already open
Close the other program and try again</translation>
    </message>
    <message>
        <source>
占用该串口的程序：%1（进程号 %2）</source>
        <translation>
The program holding the port: %1 (process %2)</translation>
    </message>
    <message>
        <source>串行端口已打开或者无效</source>
        <translation>The serial port is open or not valid</translation>
    </message>
    <message>
        <source>
当前用户没有使用该串口的权限。该串口属于 %1 组，请把用户加入该组：
    sudo usermod -aG %1 $USER
然后注销并重新登录。</source>
        <translation>
This user may not use the port. The port belongs to the group %1; add the user to it:
    sudo usermod -aG %1 $USER
then log out and log in again.</translation>
    </message>
    <message>
        <source>串口或串口适配器已断开，任务中止</source>
        <translation>The port or its adapter was disconnected; the job stopped</translation>
    </message>
    <message>
        <source>原因：单片机没有应答（超时）</source>
        <translation>Cause: the MCU did not answer (time-out)</translation>
    </message>
    <message>
        <source>原因：单片机多次拒收数据</source>
        <translation>Cause: the MCU refused the data again and again</translation>
    </message>
    <message>
        <source>原因：单片机的应答不符合预期</source>
        <translation>Cause: the MCU&apos;s answer was not the one expected</translation>
    </message>
    <message>
        <source>原因：数据库中没有这个型号</source>
        <translation>Cause: the chip database has no such model</translation>
    </message>
    <message>
        <source>原因：单片机的系列与选定的系列不同</source>
        <translation>Cause: the MCU&apos;s series differs from the series selected</translation>
    </message>
    <message>
        <source>原因：数据库中没有这个任务的步骤</source>
        <translation>Cause: the chip database has no steps for this job</translation>
    </message>
    <message>
        <source>原因：没有要下载的程序数据</source>
        <translation>Cause: there is no program data to download</translation>
    </message>
    <message>
        <source>原因：无法向串口写入数据</source>
        <translation>Cause: the serial port cannot be written</translation>
    </message>
    <message>
        <source>原因：串口无法打开</source>
        <translation>Cause: the serial port cannot be opened</translation>
    </message>
    <message>
        <source>下一个增量(N) %1 超出范围（0-999999999），请在自动增量页改正后再试</source>
        <translation>Next increment (N) %1 is out of range (0-999999999); correct it on the Increment page and try again</translation>
    </message>
    <message>
        <source>原因：程序数据超出单片机的存储空间</source>
        <translation>Cause: the program data does not fit the MCU</translation>
    </message>
    <message>
        <source>常规下载</source>
        <translation>Log</translation>
    </message>
    <message>
        <source>自定下载</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>选项</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>缓存数据</source>
        <translation>Buffer</translation>
    </message>
    <message>
        <source>串口助手</source>
        <translation>Terminal</translation>
    </message>
    <message>
        <source>内核选项</source>
        <translation>Core options</translation>
    </message>
    <message>
        <source>参数检测</source>
        <translation>Chip info</translation>
    </message>
    <message>
        <source>自动增量</source>
        <translation>Increment</translation>
    </message>
    <message>
        <source>打开(&amp;O)</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>下载(&amp;D)</source>
        <translation>&amp;Download</translation>
    </message>
    <message>
        <source>重复(&amp;R)</source>
        <translation>&amp;Repeat</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>配置(&amp;S)</source>
        <translation>&amp;Set options</translation>
    </message>
    <message>
        <source>常用(&amp;N)</source>
        <translation>Dow&amp;nload</translation>
    </message>
    <message>
        <source>检测(&amp;K)</source>
        <translation>Chec&amp;k</translation>
    </message>
    <message>
        <source>取消(&amp;X)</source>
        <translation>Cancel (&amp;X)</translation>
    </message>
    <message>
        <source>测试(&amp;T)</source>
        <translation>&amp;Test</translation>
    </message>
    <message>
        <source>浏览(&amp;B)</source>
        <translation>&amp;Browse</translation>
    </message>
    <message>
        <source>浏览(&amp;W)</source>
        <translation>Bro&amp;wse</translation>
    </message>
    <message>
        <source>运行(&amp;R)</source>
        <translation>&amp;Run</translation>
    </message>
    <message>
        <source>协议(&amp;L)</source>
        <translation>&amp;Line</translation>
    </message>
    <message>
        <source>历史(&amp;I)</source>
        <translation>H&amp;istory</translation>
    </message>
    <message>
        <source>使用软启动命令(&amp;U)</source>
        <translation>&amp;Use a soft-start command</translation>
    </message>
    <message>
        <source>自动更新缓冲区(&amp;X)</source>
        <translation>Reload the code file before each download (&amp;X)</translation>
    </message>
    <message>
        <source>自动识别单片机系列(&amp;Y)</source>
        <translation>Identif&amp;y the MCU series</translation>
    </message>
    <message>
        <source>目标更新时自动下载(&amp;A)</source>
        <translation>Download &amp;again when the code file changes</translation>
    </message>
    <message>
        <source>下载完成后执行如下程序(&amp;A)</source>
        <translation>&amp;After a download, run this program</translation>
    </message>
    <message>
        <source>使用自动增量(&amp;W)</source>
        <translation>Use the automatic increment (&amp;W)</translation>
    </message>
    <message>
        <source>代码文件：</source>
        <translation>Code file:</translation>
    </message>
    <message>
        <source>单片机系列：</source>
        <translation>MCU series:</translation>
    </message>
    <message>
        <source>校验和：</source>
        <translation>Checksum:</translation>
    </message>
    <message>
        <source>代码大小：</source>
        <translation>Code size:</translation>
    </message>
    <message>
        <source>芯片空间：</source>
        <translation>Chip flash:</translation>
    </message>
    <message>
        <source>剩余空间：</source>
        <translation>Free space:</translation>
    </message>
    <message>
        <source>代码文件（%1 字节）大于芯片空间（%2 字节），无法全部写入</source>
        <translation>The code (%1 bytes) is larger than the chip&apos;s flash (%2 bytes) and cannot be written in full</translation>
    </message>
    <message>
        <source>软启动命令：</source>
        <translation>Soft start:</translation>
    </message>
    <message>
        <source>复位序列：</source>
        <translation>Reset sequence:</translation>
    </message>
    <message>
        <source>无（手动重新上电）</source>
        <translation>None (power-cycle by hand)</translation>
    </message>
    <message>
        <source>等待启动标志时在串口的 DTR/RTS 上执行，代替手动重新上电。
D0/D1：DTR 无效/有效；R0/R1：RTS 无效/有效；Wn：等待 n 毫秒；以逗号分隔，
例如 D0,W300,D1（最多 32 步，等待合计不超过 5000 毫秒）。
预设：dtr-power（DTR 控制单片机电源）、rts-p10（RTS 将 P1.0/P1.1 接地）。</source>
        <translation>Played on the port&apos;s DTR/RTS lines while waiting for the chip, instead of power-cycling by hand.
D0/D1: DTR inactive/active; R0/R1: RTS inactive/active; Wn: wait n ms; separated by commas,
for example D0,W300,D1 (at most 32 steps, waits adding up to at most 5000 ms).
Presets: dtr-power (DTR switches the MCU&apos;s power), rts-p10 (RTS grounds P1.0/P1.1).</translation>
    </message>
    <message>
        <source>程序：</source>
        <translation>Program:</translation>
    </message>
    <message>
        <source>参数：</source>
        <translation>Parameters:</translation>
    </message>
    <message>
        <source>运行时间：</source>
        <translation>Run time:</translation>
    </message>
    <message>
        <source>增量起始地址：</source>
        <translation>Increment address:</translation>
    </message>
    <message>
        <source>* 十六进制(0000-FFFF*)</source>
        <translation>* hexadecimal (0000-FFFF*)</translation>
    </message>
    <message>
        <source>数据格式：</source>
        <translation>Data format:</translation>
    </message>
    <message>
        <source>下一个增量(N)：</source>
        <translation>Next increment (N):</translation>
    </message>
    <message>
        <source>十六进制</source>
        <translation>Hex</translation>
    </message>
    <message>
        <source>十进制</source>
        <translation>Decimal</translation>
    </message>
    <message>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>视图(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>串口(&amp;M)</source>
        <translation>Co&amp;m port</translation>
    </message>
    <message>
        <source>工具(&amp;T)</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>打开(&amp;O)...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>打开默认文件</source>
        <translation>Open the default file</translation>
    </message>
    <message>
        <source>设为默认文件</source>
        <translation>Make this the default file</translation>
    </message>
    <message>
        <source>更新缓冲区</source>
        <translation>Reload the buffer</translation>
    </message>
    <message>
        <source>历史文件记录</source>
        <translation>Recent files</translation>
    </message>
    <message>
        <source>历史命令记录</source>
        <translation>Recent commands</translation>
    </message>
    <message>
        <source>另存为(&amp;A)...</source>
        <translation>Save &amp;as...</translation>
    </message>
    <message>
        <source>退出(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>&amp;1 暂无记录</source>
        <translation>&amp;1 (none yet)</translation>
    </message>
    <message>
        <source>查找(&amp;F)</source>
        <translation>&amp;Find</translation>
    </message>
    <message>
        <source>发送(&amp;N)</source>
        <translation>Se&amp;nd</translation>
    </message>
    <message>
        <source>打开串口(&amp;P)</source>
        <translation>O&amp;pen port</translation>
    </message>
    <message>
        <source>关闭串口(&amp;P)</source>
        <translation>Close &amp;port</translation>
    </message>
    <message>
        <source>自动换行</source>
        <translation>Line break</translation>
    </message>
    <message>
        <source>自动发送</source>
        <translation>Auto send</translation>
    </message>
    <message>
        <source>串口正在使用中</source>
        <translation>The port is in use</translation>
    </message>
    <message>
        <source>编辑缓存数据</source>
        <translation>Edit the buffer</translation>
    </message>
    <message>
        <source>查找下一个</source>
        <translation>Find next</translation>
    </message>
    <message>
        <source>复制(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>清空接收区</source>
        <translation>Clear the received data</translation>
    </message>
    <message>
        <source>数据查找</source>
        <translation>Find data</translation>
    </message>
    <message>
        <source>输入要查找的数据：</source>
        <translation>The data to find:</translation>
    </message>
    <message>
        <source>已全部查找完毕</source>
        <translation>The search is complete</translation>
    </message>
    <message>
        <source>选项(&amp;O)</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>皮肤</source>
        <translation>Skins</translation>
    </message>
    <message>
        <source>生产记录</source>
        <translation>Production record</translation>
    </message>
    <message>
        <source>今日：成功 %1 片，失败 %2 片</source>
        <translation>Today: %1 chips passed, %2 failed</translation>
    </message>
    <message>
        <source>生产记录无法打开：%1</source>
        <translation>The production record cannot be opened: %1</translation>
    </message>
    <message>
        <source>生产记录已关闭（[Production] Record=0）</source>
        <translation>The production record is switched off ([Production] Record=0)</translation>
    </message>
    <message>
        <source>导出 CSV(&amp;E)</source>
        <translation>&amp;Export CSV</translation>
    </message>
    <message>
        <source>刷新(&amp;R)</source>
        <translation>&amp;Refresh</translation>
    </message>
    <message>
        <source>关闭(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>导出生产记录</source>
        <translation>Export the production record</translation>
    </message>
    <message>
        <source>CSV 文件 (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>无法写入 %1：%2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
    <message>
        <source>默认界面</source>
        <translation>Default look</translation>
    </message>
    <message>
        <source>计算器</source>
        <translation>Calculator</translation>
    </message>
    <message>
        <source>窗口置顶</source>
        <translation>Always on top</translation>
    </message>
    <message>
        <source>Keil 嵌入设置</source>
        <translation>Keil integration</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>技术支持</source>
        <translation>Support</translation>
    </message>
    <message>
        <source>关于(&amp;A)...</source>
        <translation>&amp;About...</translation>
    </message>
    <message>
        <source>更新端口</source>
        <translation>Refresh ports</translation>
    </message>
    <message>
        <source>COM%1 的串口适配器已断开</source>
        <translation>The serial adapter of COM%1 was unplugged</translation>
    </message>
    <message>
        <source>COM%1 的串口适配器已重新连接</source>
        <translation>The serial adapter of COM%1 is back</translation>
    </message>
    <message>
        <source>常用协议  </source>
        <translation>Common settings  </translation>
    </message>
    <message>
        <source>内核选项 - 若MCU不支持下面(部分或全部)参数则自动忽略</source>
        <translation>Core options - options the MCU does not support are ignored</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>所有支持的文件(*.hex *.bin *.mcu *.mcp);;代码文件(*.hex *.bin);;MCU 配置文件(*.mcu);;MCU 下载任务(*.mcp)</source>
        <translation>All supported files (*.hex *.bin *.mcu *.mcp);;Code files (*.hex *.bin);;MCU settings files (*.mcu);;MCU download tasks (*.mcp)</translation>
    </message>
    <message>
        <source>MCU 配置文件(*.mcu);;MCU 下载任务(*.mcp)</source>
        <translation>MCU settings files (*.mcu);;MCU download tasks (*.mcp)</translation>
    </message>
    <message>
        <source>可执行文件(*);;所有文件(*)</source>
        <translation>Programs (*);;All files (*)</translation>
    </message>
    <message>
        <source>所有文件(*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>指定的文件未找到：</source>
        <translation>The file was not found:</translation>
    </message>
    <message>
        <source>ISP 控件错误，请重新安装后再试。</source>
        <translation>ISP control error. Reinstall KORVAN and try again.</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>工位</source>
        <translation>Station</translation>
    </message>
    <message>
        <source>串口</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>任务类型</source>
        <translation>Job</translation>
    </message>
    <message>
        <source>型号</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>增量(N)</source>
        <translation>Increment (N)</translation>
    </message>
    <message>
        <source>结果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>原因</source>
        <translation>Cause</translation>
    </message>
    <message>
        <source>任务</source>
        <translation>Task</translation>
    </message>
    <message>
        <source>代码文件</source>
        <translation>Code file</translation>
    </message>
    <message>
        <source>用时(ms)</source>
        <translation>Time (ms)</translation>
    </message>
    <message>
        <source>芯片序列号</source>
        <translation>Chip serial number</translation>
    </message>
    <message>
        <source>数据库地址为空</source>
        <translation>The database address is empty</translation>
    </message>
    <message>
        <source>数据库地址 %1 无法识别（应为 postgresql://用户@主机/数据库 或 sqlite:///文件路径）</source>
        <translation>The database address %1 is not understood (use postgresql://user@host/database or sqlite:///file-path)</translation>
    </message>
    <message>
        <source>数据库地址中不能写密码：请把密码放入 ~/.pgpass 或 PGPASSFILE 指定的文件</source>
        <translation>A database address must not hold a password: put the password in ~/.pgpass or in the file that PGPASSFILE names</translation>
    </message>
    <message>
        <source>数据库地址没有指定数据库名称</source>
        <translation>The database address names no database</translation>
    </message>
    <message>
        <source>数据库地址没有指定文件路径</source>
        <translation>The database address names no file</translation>
    </message>
    <message>
        <source>数据库地址的端口 %1 无效（1-65535）</source>
        <translation>The database address&apos;s port %1 is not valid (1-65535)</translation>
    </message>
    <message>
        <source>数据库地址的参数 %1 无效或不被支持</source>
        <translation>The database address&apos;s parameter %1 is not valid or not supported</translation>
    </message>
    <message>
        <source>数据库地址含有控制字符或无效的编码</source>
        <translation>The database address holds control characters or a wrong encoding</translation>
    </message>
    <message>
        <source>生产记录无法写入（%1），本次结果不受影响，记录暂存于 %2，下次启动时补写</source>
        <translation>The production record cannot be written (%1). This result stands; the record waits in %2 and is written at the next start</translation>
    </message>
    <message>
        <source>生产记录无法写入，暂存文件也无法写入：%1</source>
        <translation>The production record cannot be written, nor can its waiting file: %1</translation>
    </message>
    <message>
        <source>生产记录：补写了 %1 条暂存的记录</source>
        <translation>Production record: %1 waiting records written</translation>
    </message>
    <message>
        <source>无法连接生产数据库 %1：%2；使用自动增量的下载不能开始</source>
        <translation>Cannot connect to the production database %1: %2; downloads with the automatic increment cannot start</translation>
    </message>
    <message>
        <source>无法从生产数据库取得序列号：%1；下载已停止</source>
        <translation>Cannot take a serial number from the production database: %1; the download stopped</translation>
    </message>
    <message>
        <source>没有可用的用户数据目录，生产记录无法保存</source>
        <translation>No user data folder is available; the production record cannot be kept</translation>
    </message>
    <message>
        <source>没有安装 Qt 的数据库驱动</source>
        <translation>Qt&apos;s database driver is not installed</translation>
    </message>
    <message>
        <source>数据库的表结构比本程序新，请升级 KORVAN</source>
        <translation>The database&apos;s tables are newer than this program; upgrade KORVAN</translation>
    </message>
    <message>
        <source>成功</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>失败</source>
        <translation>Failed</translation>
    </message>
    <message>
        <source>系统设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>常规选项</source>
        <translation>General</translation>
    </message>
    <message>
        <source>提示声音</source>
        <translation>Sounds</translation>
    </message>
    <message>
        <source>文件关联</source>
        <translation>File types</translation>
    </message>
    <message>
        <source>主题色彩</source>
        <translation>Colours</translation>
    </message>
    <message>
        <source> 秒</source>
        <translation> s</translation>
    </message>
    <message>
        <source>软件启动时自动加载上次打开的文件(&amp;A)</source>
        <translation>Open the l&amp;ast file at start</translation>
    </message>
    <message>
        <source>下载完成后关闭本系统(最小化下载时自动关闭)</source>
        <translation>Quit after a download (always when minimised)</translation>
    </message>
    <message>
        <source>重复下载达到此次数时自动停止(&amp;T)：</source>
        <translation>S&amp;top repeats after:</translation>
    </message>
    <message>
        <source>下载时启用RTS信号控制P1.0/P1.1接地(需下载线支持)</source>
        <translation>RTS grounds P1.0/P1.1 (if the cable supports it)</translation>
    </message>
    <message>
        <source>最高波特率：</source>
        <translation>Max baud:</translation>
    </message>
    <message>
        <source>检测启动时长：</source>
        <translation>Time-out:</translation>
    </message>
    <message>
        <source>生产数据库(&amp;D)：</source>
        <translation>&amp;Database:</translation>
    </message>
    <message>
        <source>postgresql://用户@主机/数据库</source>
        <translation>postgresql://user@host/database</translation>
    </message>
    <message>
        <source>postgresql://用户@主机/数据库（留空：本机记录；密码放在 ~/.pgpass）</source>
        <translation>postgresql://user@host/database (empty: recorded on this computer; the password goes in ~/.pgpass)</translation>
    </message>
    <message>
        <source>嵌入 Keil 下载，打开： 菜单 - Tools - KORVAN</source>
        <translation>Keil: add menu Tools - KORVAN</translation>
    </message>
    <message>
        <source>清除下载计数(&amp;L)</source>
        <translation>C&amp;lear count</translation>
    </message>
    <message>
        <source>开启提示声音(&amp;S)</source>
        <translation>Play prompt &amp;sounds</translation>
    </message>
    <message>
        <source>1：单次成功、2：重复成功、3：错误提示音</source>
        <translation>1: one download done, 2: repeats done, 3: error</translation>
    </message>
    <message>
        <source>试听(&amp;%1)</source>
        <translation>Play (&amp;%1)</translation>
    </message>
    <message>
        <source>声音波形文件(*.wav)|*.wav</source>
        <translation>Wave sound files (*.wav)|*.wav</translation>
    </message>
    <message>
        <source>在需要进行关联的文件前打勾</source>
        <translation>Tick the file types that KORVAN opens</translation>
    </message>
    <message>
        <source>全选(&amp;Q)</source>
        <translation>All (&amp;Q)</translation>
    </message>
    <message>
        <source>全不选(&amp;B)</source>
        <translation>None (&amp;B)</translation>
    </message>
    <message>
        <source>十六进制代码文件</source>
        <translation>Hexadecimal code file</translation>
    </message>
    <message>
        <source>二进制代码文件</source>
        <translation>Binary code file</translation>
    </message>
    <message>
        <source>使用我的主题色彩(&amp;R)</source>
        <translation>Use my own colou&amp;rs</translation>
    </message>
    <message>
        <source>红色：</source>
        <translation>Red:</translation>
    </message>
    <message>
        <source>绿色：</source>
        <translation>Green:</translation>
    </message>
    <message>
        <source>蓝色：</source>
        <translation>Blue:</translation>
    </message>
    <message>
        <source>确定(&amp;O)</source>
        <translation>&amp;OK</translation>
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
        <source>MCU 型号：  </source>
        <translation>MCU model:  </translation>
    </message>
    <message>
        <source>未知型号 </source>
        <translation>Unknown model </translation>
    </message>
    <message>
        <source>MCU 版本：  </source>
        <translation>MCU version:  </translation>
    </message>
    <message>
        <source>MCU 频率：  </source>
        <translation>MCU frequency:  </translation>
    </message>
    <message>
        <source>存储空间：  </source>
        <translation>Flash:  </translation>
    </message>
    <message>
        <source>内存空间：  </source>
        <translation>RAM:  </translation>
    </message>
    <message>
        <source>EEPROM  ：  </source>
        <translation>EEPROM:  </translation>
    </message>
    <message>
        <source>序 列 号：  </source>
        <translation>Serial number:  </translation>
    </message>
    <message>
        <source>此型号不支持用户选项</source>
        <translation>This model has no user options</translation>
    </message>
    <message>
        <source> 位</source>
        <translation> bit</translation>
    </message>
    <message>
        <source>N (无)</source>
        <translation>N (none)</translation>
    </message>
    <message>
        <source>E (偶)</source>
        <translation>E (even)</translation>
    </message>
    <message>
        <source>O (奇)</source>
        <translation>O (odd)</translation>
    </message>
    <message>
        <source>串口参数：</source>
        <translation>Port settings:</translation>
    </message>
    <message>
        <source>发送: </source>
        <translation>Sent: </translation>
    </message>
    <message>
        <source>接收: </source>
        <translation>Received: </translation>
    </message>
    <message>
        <source>ZEL 系列单片机下载工具</source>
        <translation>Download tool for ZEL-series MCUs</translation>
    </message>
    <message>
        <source>温馨提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>KORVAN 下载</source>
        <translation>KORVAN Download</translation>
    </message>
    <message>
        <source>主界面(&amp;O)</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>正在准备下载...</source>
        <translation>Preparing the download...</translation>
    </message>
    <message>
        <source>关于 KORVAN</source>
        <translation>About KORVAN</translation>
    </message>
    <message>
        <source>联系作者：</source>
        <translation>Contact:</translation>
    </message>
    <message>
        <source>一、指令变量</source>
        <translation>1. Command variables</translation>
    </message>
    <message>
        <source>以下变量适用于：自定义软启命令、串口助手发送代码、自动增量数据格式</source>
        <translation>These variables work in the soft-start command, in the terminal&apos;s data to send and in the automatic increment&apos;s data format</translation>
    </message>
    <message>
        <source>字符声明。随后数据为不定长字符(可汉字)，如：$MCU、$单片机</source>
        <translation>Characters. Characters of any length follow (Chinese too), for example $MCU, $Hello</translation>
    </message>
    <message>
        <source>十进制数声明。随后数据为不定长数字，如：#12345、#555</source>
        <translation>A decimal number. Digits of any length follow, for example #12345, #555</translation>
    </message>
    <message>
        <source>引用自动增量。随后数据为附加数据与增量相加，占用4字节。</source>
        <translation>The automatic increment. The number that follows is added to it; takes 4 bytes.</translation>
    </message>
    <message>
        <source>引用日期数据。默认占用3字节，格式为：yymmdd(年月日)</source>
        <translation>The date. Takes 3 bytes by default, as yymmdd (year, month, day)</translation>
    </message>
    <message>
        <source>引用时间数据。默认占用3字节，格式为：hhmmss(时分秒)</source>
        <translation>The time. Takes 3 bytes by default, as hhmmss (hours, minutes, seconds)</translation>
    </message>
    <message>
        <source>引用星期数据。1-7的代表星期一到星期日，默认占用1字节。</source>
        <translation>The weekday. 1-7 stand for Monday to Sunday; takes 1 byte by default.</translation>
    </message>
    <message>
        <source>引用数据的校验码，随后为校验方式。默认异或校验，1为和校验。</source>
        <translation>A check code of the data; the method follows. XOR by default, 1 for a sum.</translation>
    </message>
    <message>
        <source>引用发送字节数，占用1字节，指令中只可出现一次。</source>
        <translation>The number of bytes sent. Takes 1 byte; only once in a command.</translation>
    </message>
    <message>
        <source>限定数据所占用字节数，后面为字节数。如： #100L2、 %NL3</source>
        <translation>Sets how many bytes a value takes; the count follows. For example #100L2, %NL3</translation>
    </message>
    <message>
        <source>注：所有的参数、变量均不分大小写</source>
        <translation>Note: parameters and variables ignore letter case</translation>
    </message>
    <message>
        <source>二、执行程序</source>
        <translation>2. Running a program</translation>
    </message>
    <message>
        <source>下载完成执行用户程序为 APP 时，可使用如下参数(++连接符)：</source>
        <translation>When the program to run after a download is APP, these parameters work (joined by ++):</translation>
    </message>
    <message>
        <source>打开串口助手并转到串口助手标签栏。</source>
        <translation>Opens the port of the terminal and shows the terminal&apos;s page.</translation>
    </message>
    <message>
        <source>发送串口助手数据，等同于点击串口助手中的发送按钮。</source>
        <translation>Sends the terminal&apos;s data, as its Send button does.</translation>
    </message>
    <message>
        <source>此文件设定在下载完成后运行如下程序：</source>
        <translation>This file runs the following program after a download:</translation>
    </message>
    <message>
        <source>是否允许运行？</source>
        <translation>Allow it to run?</translation>
    </message>
    <message>
        <source>正在向单片机写入数据，现在退出会使单片机中的程序不完整。</source>
        <translation>The MCU is being written; quitting now leaves an incomplete program in it.</translation>
    </message>
    <message>
        <source>是否取消任务并退出？</source>
        <translation>Cancel the job and quit?</translation>
    </message>
</context>
</TS>
