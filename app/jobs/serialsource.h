// Serial numbers shared beyond one task file: a production database hands them out, so that
// several programs and stations never write the same number into two chips. The controller
// takes a number when it hands the code over, keeps it when the chip succeeds and gives it back
// when the job fails; the next job then gets the lowest number given back. Without a source the
// task's own next number is written and advanced, as always.
#pragma once

#include <QString>
#include <optional>

namespace korvan::jobs {

class SerialSource {
  public:
    virtual ~SerialSource() = default;

    // Before a numbered job starts: why no number can be had now; nothing when one can.
    virtual std::optional<QString> unavailable() = 0;
    // `first`: where the pool begins when the source does not know it yet.
    virtual std::optional<qint64> take(const QString& pool, qint64 first) = 0;
    virtual bool keep(const QString& pool, qint64 number) = 0;
    virtual bool giveBack(const QString& pool, qint64 number) = 0;
    // Why the last call failed.
    virtual QString error() const = 0;
};

}  // namespace korvan::jobs
