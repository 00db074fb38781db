#include "portscommand.h"

#include "clitexts.h"
#include "jobs/portaccess.h"
#include "mscomm.h"
#include "porttable.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <cstdio>

namespace korvan::cli {

namespace {

QString makerAndProduct(const kserial::SerialDevice& d) {
    if (d.manufacturer.isEmpty() || d.product.isEmpty()) return d.manufacturer + d.product;
    return d.manufacturer + QStringLiteral(" / ") + d.product;
}

QString padded(const QString& text, int columns) {
    return text + QString(qMax(0, columns - DisplayWidth(text)), u' ');
}

}  // namespace

QStringList PortsTableLines(const QList<kserial::NumberedPort>& ports, const HolderLookup& holder) {
    if (ports.isEmpty()) return {text::kPortsNone};
    QList<QStringList> rows{text::kPortsHeads.toString().split(u'|')};
    for (const kserial::NumberedPort& port : ports) {
        const kserial::SerialDevice& d = port.adapter;
        QString held;
        if (port.present)
            if (const auto h = holder(d.path)) held = text::PortHeldBy(h->name, h->pid);
        rows << QStringList{QStringLiteral("COM%1").arg(port.number),
                            port.present ? d.path : port.device + u' ' + text::kPortAbsent,
                            QFileInfo(d.byId).fileName(),
                            makerAndProduct(d),
                            d.usbIds(),
                            d.serialNumber,
                            held};
    }
    QList<int> widths(rows.first().size(), 0);
    for (const QStringList& row : rows)
        for (int c = 0; c < row.size(); ++c) widths[c] = qMax(widths[c], DisplayWidth(row[c]));
    QStringList lines;
    for (const QStringList& row : rows) {
        QString line;
        for (int c = 0; c < row.size(); ++c)
            line += c + 1 < row.size() ? padded(row[c], widths[c] + 2) : row[c];
        lines << line.trimmed();
    }
    return lines;
}

QJsonObject PortJson(const kserial::NumberedPort& port, const HolderLookup& holder) {
    const kserial::SerialDevice& d = port.adapter;
    QJsonObject o{{"port", QStringLiteral("COM%1").arg(port.number)},
                  {"number", port.number},
                  {"device", port.present ? d.path : port.device},
                  {"present", port.present},
                  {"configured", port.configured},
                  {"byId", d.byId},
                  {"manufacturer", d.manufacturer},
                  {"product", d.product},
                  {"serialNumber", d.serialNumber}};
    if (d.vendorId) o.insert("vid", QStringLiteral("%1").arg(*d.vendorId, 4, 16, QChar('0')));
    if (d.productId) o.insert("pid", QStringLiteral("%1").arg(*d.productId, 4, 16, QChar('0')));
    QJsonValue held;  // null: nobody else has it open
    if (port.present)
        if (const auto h = holder(d.path)) held = QJsonObject{{"pid", h->pid}, {"name", h->name}};
    o.insert("holder", held);
    return o;
}

int RunPorts(bool json) {
    jobs::LoadPortMapOnce();
    const QList<kserial::NumberedPort> ports = kserial::MSComm::numberedPorts();
    const HolderLookup holder = [](const QString& path) { return kserial::deviceHolder(path); };
    QByteArray out;
    if (json) {
        for (const kserial::NumberedPort& port : ports)
            out += QJsonDocument(PortJson(port, holder)).toJson(QJsonDocument::Compact) + '\n';
    } else {
        out = PortsTableLines(ports, holder).join(u'\n').toUtf8() + '\n';
    }
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    std::fflush(stdout);
    return 0;
}

}  // namespace korvan::cli
