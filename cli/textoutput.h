// korvan-cli's output for a person. On a terminal the open step line ("等待启动标志...",
// "写入单片机程序...") is redrawn in place with the countdown or a progress bar and closed with
// OK or ERR by the next line, as the main window's log does; elsewhere every line is printed
// once and progress comes as plain percentages.
#pragma once

#include "joboutput.h"

#include <cstdio>
#include <optional>

namespace korvan::cli {

class TextOutput : public JobOutput {
  public:
    struct Style {
        bool terminal = false;  // draw in place (stdout is a terminal and no trace shares it)
        bool quiet = false;     // only results and problems
        bool showChip = true;   // print the chip's data lines
        QString prefix;         // a gang download: the port before every line
    };

    TextOutput(std::FILE* out, std::FILE* err, Style style);
    ~TextOutput() override;

    void logLine(const LogEntry& entry) override;
    void countdown(int seconds) override;
    void progress(int percent) override;
    void chipInfo(const jobs::ChipRecord& chip) override;
    void options(const std::vector<OptionLine>& lines) override;
    void warning(const QString& text) override;
    void error(const QString& text) override;
    void trace(const QString& line) override;
    void summary(const JobSummary& summary) override;

  private:
    struct OpenLine {
        QString stamp;
        QString text;    // the line up to and including its first "..."
        QString suffix;  // countdown or progress bar
    };

    void closeOpenLine(bool ok);
    void drawOpenLine();
    void print(const QString& text);  // one whole line
    bool shows(LineRole role) const { return !m_style.quiet || role != LineRole::Step; }

    std::FILE* m_out;
    std::FILE* m_err;
    Style m_style;
    std::optional<OpenLine> m_open;
    int m_lastPercent = -1;
};

// "[#########---------]  45%": the bar of a progress line.
QString ProgressBar(int percent, int width);

}  // namespace korvan::cli
