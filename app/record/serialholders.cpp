#include "record/serialholders.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>
#include <QSysInfo>
#include <QVariant>

#include <signal.h>
#include <cerrno>
#include <limits>
#include <vector>

namespace korvan::record {

SerialHolder ThisProcess(const QString& station) {
    return {station, QSysInfo::machineHostName(), QCoreApplication::applicationPid()};
}

bool ProcessRuns(qint64 pid) {
    if (pid <= 0) return true;
    // No process of this machine can have a number beyond the system's type.
    if (pid > std::numeric_limits<pid_t>::max()) return false;
    // EPERM: it runs, under another user.
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

std::optional<int> ReclaimDeadHolders(RecordDatabase& db, const QString& station) {
    if (!db.isOpen() && !db.open()) return std::nullopt;
    const SerialHolder self = ThisProcess(station);
    QSqlQuery q(db.connection());
    auto failed = [&db, &q]() -> std::optional<int> {
        const QString why = q.lastError().text();
        QSqlQuery(db.connection()).exec(QStringLiteral("ROLLBACK"));
        db.fail(why);
        return std::nullopt;
    };
    // SQLite's write lock at once: a station starting beside this one waits, it never reads
    // a number this one is about to change.
    if (!q.exec(db.postgres() ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE"))) {
        db.fail(q.lastError().text());
        return std::nullopt;
    }
    if (!q.prepare(QStringLiteral("SELECT pool, number, pid FROM serial_number WHERE state = "
                                  "'taken' AND station = ? AND host = ? AND pid > 0")))
        return failed();
    q.addBindValue(self.station);
    q.addBindValue(self.host);
    if (!q.exec()) return failed();
    struct Held {
        QString pool;
        qint64 number, pid;
    };
    std::vector<Held> dead;
    while (q.next()) {
        const Held held{q.value(0).toString(), q.value(1).toLongLong(), q.value(2).toLongLong()};
        if (held.pid != self.pid && !ProcessRuns(held.pid)) dead.push_back(held);
    }
    const QString now =
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ"));
    int settled = 0;
    for (const Held& held : dead) {
        // The process may have died after its chip succeeded and before it kept the number.
        if (!q.prepare(QStringLiteral("SELECT COUNT(*) FROM production_record WHERE task = ? AND "
                                      "serial = ? AND result = 'ok'")))
            return failed();
        q.addBindValue(held.pool);
        q.addBindValue(held.number);
        if (!q.exec() || !q.next()) return failed();
        const QString state =
            q.value(0).toLongLong() > 0 ? QStringLiteral("kept") : QStringLiteral("free");
        // Only if it is still the dead process's: never a number another taker has now.
        if (!q.prepare(QStringLiteral("UPDATE serial_number SET state = ?, pid = 0, changed_utc = "
                                      "? WHERE pool = ? AND number = ? AND state = 'taken' AND "
                                      "station = ? AND host = ? AND pid = ?")))
            return failed();
        for (const QVariant& v :
             QVariantList{state, now, held.pool, held.number, self.station, self.host, held.pid})
            q.addBindValue(v);
        if (!q.exec()) return failed();
        settled += q.numRowsAffected() > 0 ? 1 : 0;
    }
    if (!q.exec(QStringLiteral("COMMIT"))) return failed();
    return settled;
}

}  // namespace korvan::record
