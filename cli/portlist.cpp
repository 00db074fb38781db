#include "portlist.h"

#include "text.h"

#include <QRegularExpression>
#include <QSet>

namespace korvan::cli {

std::optional<SimCount> ParseSimCount(const QString& text, QString& error) {
    static const QRegularExpression counted(QStringLiteral("^(.+?)[xX]([0-9]+)$"));
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        error = KORVAN_TR("korvan-cli", "--sim 的型号为空");
        return std::nullopt;
    }
    const QRegularExpressionMatch m = counted.match(trimmed);
    if (!m.hasMatch()) return SimCount{trimmed, 1};
    bool ok = false;
    const int count = m.captured(2).toInt(&ok);
    if (!ok || count < 1 || count > kMaxPorts) {
        error = KORVAN_TR("korvan-cli", "--sim 的数量无效（1-%1）：%2").arg(kMaxPorts).arg(text);
        return std::nullopt;
    }
    return SimCount{m.captured(1), count};
}

std::optional<QStringList> ParsePortList(const QString& text, QString& error) {
    QStringList ports;
    for (const QString& part : text.split(QLatin1Char(','))) {
        const QString name = part.trimmed();
        if (name.isEmpty()) {
            error = KORVAN_TR("korvan-cli", "--ports 中有空的串口名：%1").arg(text);
            return std::nullopt;
        }
        ports << name;
    }
    return ports;
}

QString CheckPortList(const QStringList& ports) {
    if (ports.size() > kMaxPorts)
        return KORVAN_TR("korvan-cli", "串口太多：%1 个（最多 %2 个）")
            .arg(ports.size())
            .arg(kMaxPorts);
    // COMn names a port in any letter case.
    static const QRegularExpression comN(QStringLiteral("^COM[0-9]+$"),
                                         QRegularExpression::CaseInsensitiveOption);
    QSet<QString> seen;
    for (const QString& port : ports) {
        const QString key = comN.match(port).hasMatch() ? port.toUpper() : port;
        if (seen.contains(key)) return KORVAN_TR("korvan-cli", "串口 %1 重复").arg(port);
        seen.insert(key);
    }
    return {};
}

}  // namespace korvan::cli
