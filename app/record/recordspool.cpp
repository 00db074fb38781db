#include "record/recordspool.h"

#include "atomicsave.h"
#include "core/messages.h"

#include <QFile>
#include <QJsonDocument>

namespace korvan::record {

bool RecordSpool::add(const ProductionRow& row, QString* error) {
    QByteArray bytes;
    QFile old(m_path);
    if (old.exists()) {
        if (!old.open(QIODevice::ReadOnly)) {
            if (error) *error = old.errorString();
            return false;
        }
        bytes = old.readAll();
        if (!bytes.isEmpty() && !bytes.endsWith('\n')) bytes += '\n';
    }
    bytes += QJsonDocument(RowToJson(row)).toJson(QJsonDocument::Compact) + '\n';
    ktext::FileError failure;
    if (ktext::SaveFileAtomically(m_path, bytes, &failure)) return true;
    if (error) *error = msg::FileErrorCause(failure);
    return false;
}

QList<ProductionRow> RecordSpool::rows(int* unreadable) const {
    QList<ProductionRow> out;
    int bad = 0;
    QFile file(m_path);
    if (file.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : file.readAll().split('\n')) {
            if (line.trimmed().isEmpty()) continue;
            const QJsonDocument doc = QJsonDocument::fromJson(line);
            const auto row = doc.isObject() ? RowFromJson(doc.object()) : std::nullopt;
            if (row)
                out << *row;
            else
                ++bad;
        }
    }
    if (unreadable) *unreadable = bad;
    return out;
}

bool RecordSpool::clear(QString* error) {
    QFile file(m_path);
    if (!file.exists() || file.remove()) return true;
    if (error) *error = file.errorString();
    return false;
}

}  // namespace korvan::record
