// The chip-model database zel.db: where it lives, how it is installed from the copy built into
// the control, and the lookups the engine and the host make in it (series, model records, job
// step lists, option descriptors). Every lookup reads the file again (edits count at the next
// job); functions taking a path serve any number of contexts, the short forms use the
// process-wide one.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>

#include "zelcontext.h"

namespace zel {

// The version of the database built into the control; older files are replaced by it.
inline constexpr int kEmbeddedDbVersion = 101;

// The job types of the engine, which select the step-list section.
enum class JobType : int { Check = 1, Download = 2, Configure = 3 };

// --- Location -------------------------------------------------------------------------------

// The database file as the environment says now: $ZEL_DB, else $XDG_DATA_HOME/zel/zel.db
// (default ~/.local/share/zel/zel.db). The folder is created when missing.
QString ResolveDbPath();
// ResolveDbPath() evaluated once, at the first call.
QString DbPath();

// --- Reading --------------------------------------------------------------------------------

// The value of `key` in `section`, decoded from GBK; "" when the file, section or key is
// missing.
QString ReadDb(const QString& dbPath, const QString& section, const QString& key);
// The same in the process-wide context's database.
QString ReadDb(const QString& section, const QString& key);

// The leading decimal number of [ZEL] version; 0 when missing or not a number.
int DbVersion(const QString& dbPath);

// The series byte as a two-digit key, e.g. "D1".
QString SeriesKey(uint8_t seriesByte);

// A two-key lookup: the four-digit model ID first, then the series byte.
QString ReadDbByModel(const QString& dbPath, const QString& section, const QString& modelId,
                      uint8_t seriesByte);

// --- The embedded copy and its installation -------------------------------------------------

// The GBK image of the database built into the control.
QByteArray EmbeddedDbImage();

// Writes the embedded image to `dbPath` (atomically) unless the file there already has version
// kEmbeddedDbVersion or higher. True when the file holds a current database afterwards.
bool InstallDb(const QString& dbPath);

// --- Series ---------------------------------------------------------------------------------

// [TYPE] type split at ","; the position of a code is the series index.
QStringList LoadTypeList(const QString& dbPath);
// The text before the first ":" of each [TYPE] row, in type-list order, joined with CR LF.
QString LoadSeriesNames(const QString& dbPath, const QStringList& typeList);
// The parameter ids shown for the series at `index` (the text after the first ":" of its row);
// empty for an index outside the type list.
QStringList LoadSeriesParameters(const QString& dbPath, const QStringList& typeList, int index);

// Installs the database at `dbPath` if needed, then fixes the context's DbPath, TypeList and
// SeriesNames from the (now current) file.
void InitDatabase(ZelContext& ctx, const QString& dbPath);
// InitDatabase(ctx, DbPath()).
void InitDatabase(ZelContext& ctx);

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
QString LookupModelRecord(const QString& dbPath, const QString& modelId);

// Stores the decoded record into the context's Model, Flash, Memory, Eeprom and SeriesIndex;
// the series index stays as it was when the type code is not in ctx.TypeList.
void ApplyModelRecord(ZelContext& ctx, const QString& record);

// --- Step lists, options, option-write templates --------------------------------------------

// The step codes of a job ([CPROC] check, [DPROC] download, [SPROC] configure), by model ID
// else series byte; empty when there is no row.
QStringList LoadStepList(const QString& dbPath, JobType job, const QString& modelId,
                         uint8_t seriesByte);
QStringList LoadStepList(const ZelContext& ctx, JobType job);

// The option descriptors of a chip ([OPTION] by model ID else series byte); empty for "0" or
// no row.
QStringList LoadOptionDescriptors(const QString& dbPath, const QString& modelId,
                                  uint8_t seriesByte);
// Empties and refills ctx.OptionDescriptors for the identified chip.
void LoadOptionDescriptors(ZelContext& ctx);

// The option-write template ([FORMAT] by model ID else series byte); "" when there is none.
QString LoadOptionFormat(const QString& dbPath, const QString& modelId, uint8_t seriesByte);

}  // namespace zel
