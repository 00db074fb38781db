#include "record/databaseserials.h"

#include "record/recordtexts.h"
#include "record/serialholders.h"
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
    if (!m_db || !m_db->isOpen() ||
        !QSqlQuery(m_db->connection()).exec(QStringLiteral("SELECT 1"))) {
        m_db = std::make_unique<RecordDatabase>(*m_url.url);
        if (!m_db->open()) {
            m_error = text::AtDatabase(DatabaseUrlText(*m_url.url), m_db->error());
            m_db.reset();
            return nullptr;
        }
    }
    // Both are tried again at the next call when the database fails on the way.
    if (!m_reclaimed) m_reclaimed = ReclaimDeadHolders(*m_db, m_station).has_value();
    std::erase_if(m_unsettled, [this](const Unsettled& n) { return settleIn(*m_db, n); });
    return m_db.get();
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
    return settle({pool, number, true});
}

bool DatabaseSerials::giveBack(const QString& pool, qint64 number) {
    return settle({pool, number, false});
}

bool DatabaseSerials::settleIn(RecordDatabase& db, const Unsettled& n) {
    SerialStore store(db, n.pool, m_station, n.number);
    return n.keep ? store.keep(n.number) : store.giveBack(n.number);
}

bool DatabaseSerials::settle(const Unsettled& number) {
    RecordDatabase* db = connected();
    if (db && settleIn(*db, number)) return true;
    if (db) failed(*db);
    // Held by this process until then: nobody else takes it meanwhile.
    m_unsettled.push_back(number);
    return false;
}

}  // namespace korvan::record
