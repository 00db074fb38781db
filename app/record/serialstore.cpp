#include "record/serialstore.h"

#include "core/increment.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace korvan::record {
namespace {

QString Now() {
    return QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ"));
}

bool Run(QSqlQuery& q, const QString& sql, const QVariantList& binds) {
    if (!q.prepare(sql)) return false;
    for (const QVariant& v : binds) q.addBindValue(v);
    return q.exec();
}

}  // namespace

SerialStore::SerialStore(RecordDatabase& db, QString pool, QString station, qint64 first)
    : m_db(db),
      m_pool(std::move(pool)),
      m_station(std::move(station)),
      m_first(first),
      m_holder(ThisProcess(m_station)) {}

bool SerialStore::begin() {
    QSqlQuery q(m_db.connection());
    // SQLite takes its write lock at once, so two takers never both read the same next number.
    if (q.exec(m_db.postgres() ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE")))
        return true;
    return m_db.fail(q.lastError().text());
}

bool SerialStore::rollback(const QString& why) {
    QSqlQuery q(m_db.connection());
    q.exec(QStringLiteral("ROLLBACK"));
    return m_db.fail(why);
}

std::optional<qint64> SerialStore::take() {
    if (!m_db.isOpen() && !m_db.open()) return {};
    if (!begin()) return {};
    QSqlQuery q(m_db.connection());
    const QString lock = m_db.postgres() ? QStringLiteral(" FOR UPDATE") : QString();
    const QString select = QStringLiteral("SELECT next_new FROM serial_pool WHERE pool = ?") + lock;
    if (!Run(q,
             QStringLiteral("INSERT INTO serial_pool (pool, next_new) VALUES (?, ?) ON "
                            "CONFLICT (pool) DO NOTHING"),
             {m_pool, m_first}) ||
        !Run(q, select, {m_pool}) || !q.next()) {
        rollback(q.lastError().text());
        return {};
    }
    const qint64 nextNew = q.value(0).toLongLong();
    if (!Run(q,
             QStringLiteral("SELECT MIN(number) FROM serial_number WHERE pool = ? AND state = "
                            "'free'"),
             {m_pool}) ||
        !q.next()) {
        rollback(q.lastError().text());
        return {};
    }
    qint64 number = 0;
    bool ok = false;
    if (!q.value(0).isNull()) {
        number = q.value(0).toLongLong();
        ok = Run(q,
                 QStringLiteral("UPDATE serial_number SET state = 'taken', station = ?, host = ?, "
                                "pid = ?, changed_utc = ? WHERE pool = ? AND number = ?"),
                 {m_station, m_holder.host, m_holder.pid, Now(), m_pool, number});
    } else {
        number = nextNew;
        // After 999999999 chips the numbers come round again; the old row is taken anew.
        ok = Run(q, QStringLiteral("UPDATE serial_pool SET next_new = ? WHERE pool = ?"),
                 {NextSerialNumber(number), m_pool}) &&
             Run(q,
                 QStringLiteral("INSERT INTO serial_number (pool, number, state, station, host, "
                                "pid, changed_utc) VALUES (?, ?, 'taken', ?, ?, ?, ?) ON CONFLICT "
                                "(pool, number) DO UPDATE SET state = 'taken', station = "
                                "excluded.station, host = excluded.host, pid = excluded.pid, "
                                "changed_utc = excluded.changed_utc"),
                 {m_pool, number, m_station, m_holder.host, m_holder.pid, Now()});
    }
    if (!ok) {
        rollback(q.lastError().text());
        return {};
    }
    if (!q.exec(QStringLiteral("COMMIT"))) {
        rollback(q.lastError().text());
        return {};
    }
    return number;
}

bool SerialStore::mark(qint64 number, const char* state) {
    if (!m_db.isOpen() && !m_db.open()) return false;
    QSqlQuery q(m_db.connection());
    if (Run(q,
            QStringLiteral("UPDATE serial_number SET state = ?, station = ?, host = ?, pid = ?, "
                           "changed_utc = ? WHERE pool = ? AND number = ?"),
            {QString::fromLatin1(state), m_station, m_holder.host, m_holder.pid, Now(), m_pool,
             number}))
        return true;
    return m_db.fail(q.lastError().text());
}

bool SerialStore::keep(qint64 number) {
    return mark(number, "kept");
}

bool SerialStore::giveBack(qint64 number) {
    return mark(number, "free");
}

std::optional<qint64> SerialStore::nextNew() {
    if (!m_db.isOpen() && !m_db.open()) return {};
    QSqlQuery q(m_db.connection());
    if (!Run(q, QStringLiteral("SELECT next_new FROM serial_pool WHERE pool = ?"), {m_pool})) {
        m_db.fail(q.lastError().text());
        return {};
    }
    return q.next() ? q.value(0).toLongLong() : m_first;
}

}  // namespace korvan::record
