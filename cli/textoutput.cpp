#include "textoutput.h"

#include "optiontexts.h"
#include "porttable.h"
#include "text.h"
#include "timestamp.h"

#include <algorithm>

namespace korvan::cli {

namespace {

const QString kEllipsis = QStringLiteral("...");

// Moves the cursor to the start of the line and clears it.
constexpr const char* kClearLine = "\r\033[K";

void Write(std::FILE* file, const QString& text) {
    std::fputs(text.toUtf8().constData(), file);
}

}  // namespace

QString ProgressBar(int percent, int width) {
    const int p = std::clamp(percent, 0, 100);
    const int filled = p * width / 100;
    return QStringLiteral("[%1%2] %3%")
        .arg(QString(filled, QLatin1Char('#')), QString(width - filled, QLatin1Char('-')))
        .arg(p, 3);
}

TextOutput::TextOutput(std::FILE* out, std::FILE* err, Style style)
    : m_out(out), m_err(err), m_style(style) {}

TextOutput::~TextOutput() {
    // A run that stops with a line still open leaves it as it was last drawn.
    if (m_open && m_style.terminal) {
        std::fputc('\n', m_out);
        std::fflush(m_out);
    }
}

void TextOutput::print(const QString& text) {
    // Every line of a message that has several starts with the port.
    QString lines = text;
    if (!m_style.prefix.isEmpty()) lines.replace('\n', '\n' + m_style.prefix);
    Write(m_out, m_style.prefix + lines + '\n');
    std::fflush(m_out);
}

void TextOutput::closeOpenLine(bool ok) {
    if (!m_open) return;
    const OpenLine line = *m_open;
    m_open.reset();
    m_lastPercent = -1;
    if (!m_style.terminal) return;  // printed already when it opened
    Write(m_out, kClearLine);
    print(line.stamp + QStringLiteral("  ") + line.text +
          (ok ? QStringLiteral(" OK") : QStringLiteral(" ERR")));
}

void TextOutput::drawOpenLine() {
    if (!m_open || !m_style.terminal) return;
    Write(m_out, kClearLine + m_style.prefix + m_open->stamp + QStringLiteral("  ") + m_open->text +
                     m_open->suffix);
    std::fflush(m_out);
}

void TextOutput::logLine(const LogEntry& entry) {
    if (!shows(entry.role)) return;
    closeOpenLine(entry.ok);
    const QString stamp = ClockStamp();
    const qsizetype dots = entry.text.indexOf(kEllipsis);
    if (dots >= 0 && !m_style.quiet) {
        m_open = OpenLine{stamp, entry.text.left(dots + kEllipsis.size()), {}};
        if (m_style.terminal) {
            drawOpenLine();
            return;
        }
    }
    print(stamp + QStringLiteral("  ") + entry.text);
}

void TextOutput::countdown(int seconds) {
    if (!m_open || !m_style.terminal) return;
    m_open->suffix = QStringLiteral(" %1").arg(seconds);
    drawOpenLine();
}

void TextOutput::progress(int percent) {
    if (m_style.quiet) return;
    if (m_style.terminal) {
        if (!m_open) return;
        m_open->suffix = QStringLiteral(" ") + ProgressBar(percent, 30);
        drawOpenLine();
        return;
    }
    // Plain output: one line per ten percent, and the last one.
    if (percent / 10 <= m_lastPercent / 10 && percent != 100) return;
    if (percent == m_lastPercent) return;
    m_lastPercent = percent;
    print(ClockStamp() + QStringLiteral("  %1%").arg(percent, 3));
}

void TextOutput::chipInfo(const jobs::ChipRecord& chip) {
    if (!m_style.showChip) return;
    closeOpenLine(true);
    const QStringList lines = ChipInfoLines(chip);
    for (const QString& line : lines) {
        const bool heading = line == kCoreHeading || line == kOptionsHeading;
        print((heading ? QStringLiteral("    ") : QStringLiteral("        ")) + line);
    }
}

void TextOutput::options(const std::vector<OptionLine>& lines) {
    if (!m_style.showChip || lines.empty()) return;
    closeOpenLine(true);
    print(KORVAN_TR("korvan-cli", "    选项（configure --option 序号或名称=选择）："));
    for (const OptionLine& line : lines) {
        QStringList choices;
        for (qsizetype i = 0; i < line.choices.size(); ++i)
            choices << QStringLiteral("%1 %2").arg(i).arg(zel::options::DbText(line.choices.at(i)));
        const QString current = line.current >= 0 && line.current < line.choices.size()
                                    ? QStringLiteral("%1 %2")
                                          .arg(line.current)
                                          .arg(zel::options::DbText(line.choices.at(line.current)))
                                    : QStringLiteral("?");
        print(KORVAN_TR("korvan-cli", "        %1  %2：%3    （可选：%4）")
                  .arg(line.number, 2)
                  .arg(zel::options::DbCaption(line.caption), current,
                       choices.join(KORVAN_TR("korvan-cli", "，"))));
    }
}

void TextOutput::warning(const QString& text) {
    if (m_open && m_style.terminal) Write(m_out, QStringLiteral("\n"));
    Write(m_err, QStringLiteral("korvan-cli: ") + m_style.prefix +
                     KORVAN_TR("korvan-cli", "警告：") + text + '\n');
    std::fflush(m_err);
    drawOpenLine();
}

void TextOutput::error(const QString& text) {
    closeOpenLine(false);
    Write(m_err, QStringLiteral("korvan-cli: ") + m_style.prefix + text + '\n');
    std::fflush(m_err);
}

void TextOutput::trace(const QString& line) {
    Write(m_err, m_style.prefix + line + '\n');
    std::fflush(m_err);
}

void TextOutput::summary(const JobSummary& s) {
    closeOpenLine(s.exitCode == 0);
    if (!s.ports.empty()) {
        for (const QString& line : PortTableLines(s)) print(line);
        return;
    }
    if (m_style.quiet || s.job != QStringLiteral("download") || s.exitCode != 0) return;
    QString line = KORVAN_TR("korvan-cli", "共写入 %1 字节，%2 bps，用时 %3 秒（等待单片机 %4 秒）")
                       .arg(s.bytes)
                       .arg(s.baud)
                       .arg(static_cast<double>(s.jobMs) / 1000.0, 0, 'f', 2)
                       .arg(static_cast<double>(s.waitMs) / 1000.0, 0, 'f', 2);
    print(ClockStamp() + QStringLiteral("  ") + line);
}

}  // namespace korvan::cli
