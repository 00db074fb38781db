#include "record/recorder.h"

#include "record/recordtexts.h"

#include <QDir>
#include <QFileInfo>
#include <QSysInfo>

namespace korvan::record {

QString DefaultDataFolder() {
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base)) {
        // Without a home of the user's own there is no place for the record: never fall back
        // to "/" or make up a home folder that does not exist.
        const QString home = qEnvironmentVariable("HOME");
        if (home.isEmpty() || !QDir::isAbsolutePath(home) || !QFileInfo(home).isDir()) return {};
        base = home + QStringLiteral("/.local/share");
    }
    return QDir::cleanPath(base + QStringLiteral("/korvan"));
}

QString StationName(const QString& configured) {
    const QString name = configured.trimmed();
    return name.isEmpty() ? QSysInfo::machineHostName() : name;
}

Recorder::Recorder(RecorderSetup setup)
    : m_setup(std::move(setup)),
      m_spool(m_setup.dataFolder + QStringLiteral("/record-spool.jsonl")) {}

Recorder::~Recorder() = default;

bool Recorder::start() {
    if (!m_setup.enabled) return true;
    DatabaseUrl url;
    if (m_setup.database.trimmed().isEmpty()) {
        if (m_setup.dataFolder.isEmpty()) {
            m_unreachable = true;
            m_error = text::kNoDataFolder;
            return true;
        }
        url.path = m_setup.dataFolder + QStringLiteral("/record.sqlite");
    } else {
        const DatabaseUrlResult parsed = ParseDatabaseUrl(m_setup.database);
        if (!parsed.url) {
            m_error = parsed.error;
            return false;
        }
        url = *parsed.url;
    }
    m_db = std::make_unique<RecordDatabase>(url);
    if (!m_db->open()) {
        m_unreachable = true;
        m_error = m_db->error();
        return true;
    }
    if (m_setup.dataFolder.isEmpty()) return true;  // nothing can have been spooled
    int unreadable = 0;
    const QList<ProductionRow> waiting = m_spool.rows(&unreadable);
    if (waiting.isEmpty() && unreadable == 0) return true;
    if (!waiting.isEmpty() && !m_db->insert(waiting)) return true;  // they wait for the next start
    QString why;
    if (!m_spool.clear(&why)) {
        sayOnce(text::SpoolFailed(why));
        return true;
    }
    if (!waiting.isEmpty() && m_say) m_say(text::SpoolWritten(static_cast<int>(waiting.size())));
    return true;
}

RecordDatabase* Recorder::database() {
    if (!m_db || m_unreachable) return nullptr;
    return m_db.get();
}

void Recorder::jobRecorded(const jobs::JobFacts& facts) {
    record(RowOf(facts, m_setup.station));
}

bool Recorder::record(const ProductionRow& row) {
    if (!m_setup.enabled) return false;
    if (!m_db) {
        sayOnce(m_error);  // no place for the record at all
        return false;
    }
    if (!m_unreachable && m_db->insert({row})) return true;
    // One failure is enough: later jobs of this run are not slowed by another attempt.
    m_unreachable = true;
    QString why = text::kNoDataFolder;
    if (m_setup.dataFolder.isEmpty() || !m_spool.add(row, &why)) {
        sayOnce(text::SpoolFailed(why));
        return false;
    }
    sayOnce(text::RecordFailed(m_db->error(), m_spool.path()));
    return false;
}

void Recorder::sayOnce(const QString& text) {
    if (std::exchange(m_said, true) || !m_say) return;
    m_say(text);
}

}  // namespace korvan::record
