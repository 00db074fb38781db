#include "record/databaseserials.h"

#include "record/recordtexts.h"
#include "record/serialstore.h"

#include <QSqlQuery>

namespace korvan::record {

DatabaseSerials::DatabaseSerials(QString database, QString station)
    : m_text(std::move(database)), m_station(std::move(station)), m_url(ParseDatabaseUrl(m_text)) {}

DatabaseSerials::~DatabaseSerials() = default;

RecordDatabase* DatabaseSerials::connected() {
    if (!m_url.url) {
        m_error = m_url.error;
        return nullptr;
    }
    // A server that went away leaves the connection looking open; only a statement tells.
    if (m_db && m_db->isOpen() && QSqlQuery(m_db->connection()).exec(QStringLiteral("SELECT 1")))
        return m_db.get();
    m_db = std::make_unique<RecordDatabase>(*m_url.url);
    if (m_db->open()) return m_db.get();
    m_error = text::AtDatabase(DatabaseUrlText(*m_url.url), m_db->error());
    m_db.reset();
    return nullptr;
}

bool DatabaseSerials::failed(const RecordDatabase& db) {
    m_error = text::AtDatabase(DatabaseUrlText(db.url()), db.error());
    return false;
}

std::optional<QString> DatabaseSerials::unavailable() {
    if (connected()) return std::nullopt;
    return m_error;
}

std::optional<qint64> DatabaseSerials::take(const QString& pool, qint64 first) {
    RecordDatabase* db = connected();
    if (!db) return std::nullopt;
    SerialStore store(*db, pool, m_station, first);
    const std::optional<qint64> number = store.take();
    if (!number) failed(*db);
    return number;
}

bool DatabaseSerials::keep(const QString& pool, qint64 number) {
    RecordDatabase* db = connected();
    if (!db) return false;
    return SerialStore(*db, pool, m_station, number).keep(number) || failed(*db);
}

bool DatabaseSerials::giveBack(const QString& pool, qint64 number) {
    RecordDatabase* db = connected();
    if (!db) return false;
    return SerialStore(*db, pool, m_station, number).giveBack(number) || failed(*db);
}

}  // namespace korvan::record
