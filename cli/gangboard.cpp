#include "gangboard.h"

#include "porttable.h"
#include "text.h"
#include "textoutput.h"
#include "timestamp.h"

#include <sys/ioctl.h>
#include <unistd.h>
#include <algorithm>

namespace korvan::cli {

namespace {

const QString kEllipsis = QStringLiteral("...");

void Write(std::FILE* file, const QString& text) {
    std::fputs(text.toUtf8().constData(), file);
}

}  // namespace

QStringList PortPrefixes(const QStringList& ports) {
    int widest = 0;
    for (const QString& port : ports) widest = std::max(widest, DisplayWidth(port));
    QStringList prefixes;
    for (const QString& port : ports)
        prefixes << port + QString(widest - DisplayWidth(port) + 2, QLatin1Char(' '));
    return prefixes;
}

// One port's output: its steps become its line on the board.
class GangBoard::LaneOutput : public JobOutput {
  public:
    LaneOutput(GangBoard& board, int lane) : m_board(board), m_lane(lane) {}

    void logLine(const LogEntry& entry) override {
        const QString stamp = ClockStamp();
        const qsizetype dots = entry.text.indexOf(kEllipsis);
        const QString text = dots >= 0 ? entry.text.left(dots + kEllipsis.size()) : entry.text;
        m_step = stamp + QStringLiteral("  ") + QString(text).replace('\n', QLatin1Char(' '));
        m_suffix.clear();
        if (entry.role != LineRole::Step)
            m_board.printLine(m_lane, stamp + QStringLiteral("  ") + text);
        show();
    }
    void countdown(int seconds) override {
        m_suffix = QStringLiteral(" %1").arg(seconds);
        show();
    }
    void progress(int percent) override {
        m_suffix = QStringLiteral(" ") + ProgressBar(percent, 20);
        show();
    }
    void chipInfo(const jobs::ChipRecord&) override {}
    void options(const std::vector<OptionLine>&) override {}
    void warning(const QString& text) override {
        m_board.printError(m_lane, KORVAN_TR("korvan-cli", "警告：") + text);
    }
    void error(const QString& text) override { m_board.printError(m_lane, text); }
    void trace(const QString& line) override { m_board.printError(m_lane, line); }
    void summary(const JobSummary&) override {}

  private:
    void show() { m_board.setStatus(m_lane, m_step + m_suffix); }

    GangBoard& m_board;
    int m_lane;
    QString m_step, m_suffix;
};

GangBoard::GangBoard(std::FILE* out, std::FILE* err, const QStringList& ports)
    : m_out(out), m_err(err), m_prefixes(PortPrefixes(ports)) {
    m_status.resize(static_cast<size_t>(ports.size()));
    for (int i = 0; i < ports.size(); ++i)
        m_outputs.push_back(std::make_unique<LaneOutput>(*this, i));
}

GangBoard::~GangBoard() = default;

JobOutput& GangBoard::output(int lane) {
    return *m_outputs.at(static_cast<size_t>(lane));
}

int GangBoard::columns() const {
    winsize size{};
    if (::ioctl(::fileno(m_out), TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
    return 80;
}

void GangBoard::clear() {
    // The cursor stands at the start of the line below the board.
    if (m_drawn && !m_status.empty())
        Write(m_out, QStringLiteral("\033[%1A\r\033[J").arg(m_status.size()));
    m_drawn = false;
}

void GangBoard::draw() {
    // A line that wrapped would throw off the count of lines to go back over.
    const int width = std::max(10, columns() - 1);
    for (size_t i = 0; i < m_status.size(); ++i)
        Write(m_out, FitWidth(m_prefixes.at(static_cast<qsizetype>(i)) + m_status[i], width) +
                         QStringLiteral("\033[K\n"));
    std::fflush(m_out);
    m_drawn = true;
}

void GangBoard::setStatus(int lane, const QString& text) {
    QString& status = m_status.at(static_cast<size_t>(lane));
    if (status == text && m_drawn) return;
    status = text;
    clear();
    draw();
}

void GangBoard::printLine(int lane, const QString& text) {
    clear();
    const QString& prefix = m_prefixes.at(lane);
    Write(m_out, prefix + QString(text).replace('\n', '\n' + prefix) + QLatin1Char('\n'));
    draw();
}

void GangBoard::printError(int lane, const QString& text) {
    clear();
    std::fflush(m_out);
    Write(m_err, QStringLiteral("korvan-cli: ") + m_prefixes.at(lane) + text + QLatin1Char('\n'));
    std::fflush(m_err);
    draw();
}

}  // namespace korvan::cli
