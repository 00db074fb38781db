// The chip-model database zel.db: where it lives, how it is installed from the copy built into
// the control, how a job gets it (ChipDatabase), and the lookups the engine and the host make
// in it (series, model records, job step lists, option descriptors). Lookups work on one
// loaded database (DbText), so a job reads the file once, when it starts.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

#include "privateprofile.h"

namespace zel {

// The version of the database built into the control; older files are replaced by it.
inline constexpr int kEmbeddedDbVersion = 101;

// The job types of the engine, which select the step-list section.
enum class JobType : int { Check = 1, Download = 2, Configure = 3 };

// One loaded database, read with the private-profile rules (GBK text).
using DbText = ktext::PrivateProfile;
using DbSnapshot = std::shared_ptr<const DbText>;

// A database without any rows (every lookup gives "").
DbSnapshot EmptyDb();
// The database in the file at `path`, read now; EmptyDb() when it cannot be read.
DbSnapshot LoadDbFile(const QString& path);
// The GBK image of the database built into the control, and that image loaded.
QByteArray EmbeddedDbImage();
DbSnapshot EmbeddedDb();

// --- Where a job gets its database ----------------------------------------------------------

class ChipDatabase {
  public:
    virtual ~ChipDatabase() = default;
    // The database as it is now. The engine calls this once per Start, so an edit counts
    // from the next job.
    virtual DbSnapshot load() const = 0;
};

// A database file, read afresh at every load.
class FileChipDatabase final : public ChipDatabase {
  public:
    explicit FileChipDatabase(QString path) : m_path(std::move(path)) {}
    const QString& path() const { return m_path; }
    DbSnapshot load() const override { return LoadDbFile(m_path); }

  private:
    QString m_path;
};

// A database held in memory (the built-in copy, or a test's own rows).
class MemoryChipDatabase final : public ChipDatabase {
  public:
    // The built-in database.
    MemoryChipDatabase() : m_db(EmbeddedDb()) {}
    explicit MemoryChipDatabase(DbSnapshot db) : m_db(std::move(db)) {}
    static MemoryChipDatabase fromText(const QString& text) {
        return MemoryChipDatabase(std::make_shared<const DbText>(DbText::fromText(text)));
    }
    // Later loads (the next job) see `db`.
    void replace(DbSnapshot db) { m_db = std::move(db); }
    DbSnapshot load() const override { return m_db; }

  private:
    DbSnapshot m_db;
};

// --- The installed copy ---------------------------------------------------------------------

// The database file as the environment says now: $ZEL_DB, else $XDG_DATA_HOME/zel/zel.db
// (default ~/.local/share/zel/zel.db); "" when neither is set and $HOME is unset or names no
// folder.
QString ResolveDbPath();

// Writes the embedded image to `dbPath` (atomically, creating its folder) unless the file there
// already has version kEmbeddedDbVersion or higher. True when the file holds a current
// database afterwards.
bool InstallDb(const QString& dbPath);

// The database the control and korvan-cli use.
struct InstalledDb {
    std::unique_ptr<ChipDatabase> database;
    QString path;           // the installed file (where it was to be; "" when there is no place)
    bool embedded = false;  // the file could not be created: the built-in copy is used
};
// Installs or refreshes the file at `path` from the built-in copy. When that fails, a
// database already there is used as it is; when there is none, the built-in copy in memory.
InstalledDb OpenInstalledDb(const QString& path = ResolveDbPath());

// --- Reading --------------------------------------------------------------------------------

// The value of `key` in `section`; "" when the section or key is missing.
QString ReadDb(const DbText& db, const QString& section, const QString& key);
// The same in the file at `dbPath`, read now.
QString ReadDb(const QString& dbPath, const QString& section, const QString& key);

// The leading decimal number of [ZEL] version; 0 when missing or not a number.
int DbVersion(const DbText& db);
int DbVersion(const QString& dbPath);

// The series byte as a two-digit key, e.g. "D1".
QString SeriesKey(uint8_t seriesByte);

// A two-key lookup: the four-digit model ID first, then the series byte.
QString ReadDbByModel(const DbText& db, const QString& section, const QString& modelId,
                      uint8_t seriesByte);

// --- Series ---------------------------------------------------------------------------------

// [TYPE] type split at ","; the position of a code is the series index.
QStringList LoadTypeList(const DbText& db);
// The text before the first ":" of each [TYPE] row, in type-list order, joined with CR LF.
QString LoadSeriesNames(const DbText& db, const QStringList& typeList);
// The parameter ids shown for the series at `index` (the text after the first ":" of its row);
// empty for an index outside the type list.
QStringList LoadSeriesParameters(const DbText& db, const QStringList& typeList, int index);

// The series list of a database, as the control builds it once when it is created.
struct SeriesCatalog {
    QStringList TypeList;
    QString SeriesNames;  // display names joined with CR LF
    static SeriesCatalog of(const DbText& db);
};

// --- Model records --------------------------------------------------------------------------

// A decoded [ID] row.
struct ModelRecord {
    int TypeCode = -1;     // first character as a hex digit; -1 when it is none
    int SeriesIndex = -1;  // position of TypeCode in the type list; -1 when absent
    QString Model;         // "" for a record too short to hold a name
    int64_t Flash = 0, Memory = 0, Eeprom = 0;  // bytes; 0 for a record too short
};

// Decodes a record of the form <type digit><name><flash:2><ram:1><eeprom:2> (sizes in hex units
// of 256 bytes, flash 00 = 65 536). A record shorter than six characters yields no name.
ModelRecord DecodeModelRecord(const QString& record, const QStringList& typeList);

// The [ID] record of a model ID; "" when unknown or when the ID is empty.
QString LookupModelRecord(const DbText& db, const QString& modelId);

// --- Step lists, options, option-write templates --------------------------------------------

// The step codes of a job ([CPROC] check, [DPROC] download, [SPROC] configure), by model ID
// else series byte; empty when there is no row.
QStringList LoadStepList(const DbText& db, JobType job, const QString& modelId, uint8_t seriesByte);

// The option descriptors of a chip ([OPTION] by model ID else series byte); empty for "0" or
// no row.
QStringList LoadOptionDescriptors(const DbText& db, const QString& modelId, uint8_t seriesByte);

// The option-write template ([FORMAT] by model ID else series byte); "" when there is none.
QString LoadOptionFormat(const DbText& db, const QString& modelId, uint8_t seriesByte);

// --- The same lookups on a file, for tools that name a database by its path ----------------
// Each call reads the file; a file whose bytes are unchanged is not parsed again.

DbSnapshot LoadDbFileReusing(const QString& path);
QStringList LoadTypeList(const QString& dbPath);
QString LookupModelRecord(const QString& dbPath, const QString& modelId);
QStringList LoadStepList(const QString& dbPath, JobType job, const QString& modelId,
                         uint8_t seriesByte);
QStringList LoadOptionDescriptors(const QString& dbPath, const QString& modelId,
                                  uint8_t seriesByte);
QString LoadOptionFormat(const QString& dbPath, const QString& modelId, uint8_t seriesByte);

}  // namespace zel
