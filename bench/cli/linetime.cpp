#include "linetime.h"

#include <QRegularExpression>

namespace {

// 1 start bit + 8 data bits + parity + 1 stop bit.
int BitsPerByte(const QString& settings) {
    return settings.section(',', 1, 1) == QStringLiteral("N") ? 10 : 11;
}

int CountBytes(const QString& hexList) {
    return static_cast<int>(hexList.count(',')) + 1;
}

}  // namespace

LineTally TallyTrace(const QStringList& trace) {
    // "+   12.3 ms  TX 46,B9,..." as the trace writes each line.
    static const QRegularExpression line(QStringLiteral("^\\+\\s*([0-9.]+) ms  (.*)$"));
    LineTally t;
    double rate = 1200;
    int bits = 10;
    bool afterReply = false;
    for (const QString& raw : trace) {
        const auto m = line.match(raw);
        if (!m.hasMatch()) continue;
        const double deltaMs = m.captured(1).toDouble();
        const QString text = m.captured(2);
        if (text.startsWith(QStringLiteral("port open "))) {
            const QString settings = text.mid(10);
            rate = settings.section(',', 0, 0).toDouble();
            bits = BitsPerByte(settings);
        }
        if (!t.sawStatus) {
            // The identification: the first reply, the status, ends the wait for the chip.
            if (text.startsWith(QStringLiteral("reply "))) t.sawStatus = true;
            continue;
        }
        if (text.startsWith(QStringLiteral("TX 46,"))) {
            const QString bytes = text.mid(3);
            const int n = CountBytes(bytes);
            t.bytesSent += n;
            t.lineSeconds += n * bits / rate;
            ++t.packets;
            // 46 B9 6A 00 L, then the command byte: 8F baud test, 8E baud confirm.
            const QString command = bytes.section(',', 5, 5);
            if (command == QStringLiteral("8F") || command == QStringLiteral("8E"))
                ++t.baudCommands;
            if (afterReply) {
                t.turnaroundMs += deltaMs;
                ++t.turnarounds;
            }
        } else if (text.startsWith(QStringLiteral("RX "))) {
            const int n = CountBytes(text.mid(3));
            t.bytesReceived += n;
            t.lineSeconds += n * bits / rate;
        } else if (text.startsWith(QStringLiteral("reply "))) {
            ++t.replies;
        }
        afterReply = text.startsWith(QStringLiteral("reply "));
    }
    return t;
}
