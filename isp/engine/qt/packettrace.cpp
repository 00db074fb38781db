#include "packettrace.h"

#include "modfun.h"

namespace zel {

PacketTrace::PacketTrace(std::function<void(const QString&)> sink) : m_sink(std::move(sink)) {
    m_clock.start();
}

void PacketTrace::emitLine(const QString& text) {
    const qint64 now = m_clock.nsecsElapsed();
    const double deltaMs = static_cast<double>(now - m_last) / 1e6;
    m_last = now;
    m_sink(QStringLiteral("+%1 ms  ").arg(deltaMs, 8, 'f', 1) + text);
}

void PacketTrace::flush() {
    if (m_flags == 0) return;
    emitLine(QStringLiteral("TX 7F x%1 (start flag)").arg(m_flags));
    m_flags = 0;
}

void PacketTrace::record(const TraceRecord& record) {
    if (record.kind == TraceKind::StartFlag) {
        ++m_flags;
        return;
    }
    flush();
    switch (record.kind) {
        case TraceKind::Sent:
            emitLine(QStringLiteral("TX ") + JoinHex(record.bytes, 0, 0));
            break;
        case TraceKind::Received:
            emitLine(QStringLiteral("RX ") + JoinHex(record.bytes, 0, 0));
            break;
        case TraceKind::Reply:
            emitLine(QStringLiteral("reply ") + record.text);
            break;
        case TraceKind::Stray:
            emitLine(QStringLiteral("ignored: ") + record.text +
                     (record.bytes.empty() ? QString()
                                           : QStringLiteral(" ") + JoinHex(record.bytes, 0, 0)));
            break;
        case TraceKind::PortOpened:
            emitLine(QStringLiteral("port open ") + record.text);
            break;
        case TraceKind::PortClosed:
            emitLine(record.text.isEmpty() ? QStringLiteral("port closed")
                                           : QStringLiteral("port ") + record.text);
            break;
        case TraceKind::StartFlag:
            break;
    }
}

}  // namespace zel
