// Keeps the production record for a program: one row per job that reached a chip, written when
// the job ends. A database that cannot take a row never fails the job: the row goes to the
// spool file, the problem is said once, and the next start writes the spooled rows.
#pragma once

#include "jobs/jobrecord.h"
#include "record/productionrow.h"
#include "record/recorddatabase.h"
#include "record/recordspool.h"

#include <functional>
#include <memory>

namespace korvan::record {

struct RecorderSetup {
    bool enabled = true;  // [Production] Record
    QString database;     // [Production] Database or --record-db; "" = the SQLite file
    Station station;
    QString dataFolder;  // where the SQLite file and the spool live
};

// $XDG_DATA_HOME/korvan (default ~/.local/share/korvan), without a trailing "/"; "" when the
// user has no home folder to keep it in.
QString DefaultDataFolder();
// The station's name: `configured` when set, else the host name.
QString StationName(const QString& configured);

class Recorder : public jobs::JobRecorder {
  public:
    explicit Recorder(RecorderSetup setup);
    ~Recorder() override;

    // Where problems and notes go (the log, standard error).
    void setOnProblem(std::function<void(const QString&)> say) { m_say = std::move(say); }

    // Opens the record and writes what an earlier run spooled. False when the database text
    // is not usable (error() says why); a database that cannot be reached is not an error
    // here, its rows are spooled.
    bool start();
    // Why the record is not usable: the database text, or the database that cannot be reached.
    const QString& error() const { return m_error; }
    bool enabled() const { return m_setup.enabled; }
    const RecorderSetup& setup() const { return m_setup; }
    // The database, opened; null when recording is off or it cannot be reached.
    RecordDatabase* database();
    const RecordSpool& spool() const { return m_spool; }

    void jobRecorded(const jobs::JobFacts& facts) override;
    // Writes the row or spools it; true when it reached the database.
    bool record(const ProductionRow& row);

  private:
    void sayOnce(const QString& text);

    RecorderSetup m_setup;
    std::unique_ptr<RecordDatabase> m_db;
    RecordSpool m_spool;
    std::function<void(const QString&)> m_say;
    QString m_error;
    bool m_unreachable = false;  // the database failed once in this run: spool the rest
    bool m_said = false;
};

}  // namespace korvan::record
