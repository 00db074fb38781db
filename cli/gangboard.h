// A gang download on a terminal: one line per port at the bottom of the screen, redrawn in
// place with the port's step and its countdown or progress bar. Results and problems are
// printed above the lines, with the port in front, and stay.
#pragma once

#include "joboutput.h"

#include <QStringList>
#include <cstdio>
#include <memory>
#include <vector>

namespace korvan::cli {

class GangBoard {
  public:
    GangBoard(std::FILE* out, std::FILE* err, const QStringList& ports);
    ~GangBoard();
    GangBoard(const GangBoard&) = delete;
    GangBoard& operator=(const GangBoard&) = delete;

    // What port `lane` shows: its JobOutput (valid as long as the board).
    JobOutput& output(int lane);

    void setStatus(int lane, const QString& text);
    // A line that stays, above the ports' lines.
    void printLine(int lane, const QString& text);
    void printError(int lane, const QString& text);

  private:
    class LaneOutput;

    void clear();
    void draw();
    int columns() const;

    std::FILE* m_out;
    std::FILE* m_err;
    QStringList m_prefixes;  // each port's name, padded to the widest
    std::vector<QString> m_status;
    std::vector<std::unique_ptr<LaneOutput>> m_outputs;
    bool m_drawn = false;
};

// Each port's name padded to the widest, and two blanks: what its lines start with.
QStringList PortPrefixes(const QStringList& ports);

}  // namespace korvan::cli
