// Turns the engine's trace records into text lines with the time since the previous line,
// for a -v mode: "+  12.3 ms  TX 46,B9,6A,...". Runs of start-flag bytes are folded into one
// line.
#pragma once

#include "enginetypes.h"

#include <QElapsedTimer>
#include <QString>
#include <functional>

namespace zel {

class PacketTrace {
  public:
    explicit PacketTrace(std::function<void(const QString&)> sink);

    void record(const TraceRecord& record);
    // Writes out a pending run of start flags.
    void flush();

  private:
    void emitLine(const QString& text);

    std::function<void(const QString&)> m_sink;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    int m_flags = 0;
};

}  // namespace zel
