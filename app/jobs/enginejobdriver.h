// The job driver over the engine's Qt job, in this process: korvan-cli's way to the chip. It
// owns the engine's identification state and reads the chip database itself; its port is a
// device path or a port number, and it can trace every packet.
#pragma once

#include "jobs/engineoptions.h"
#include "jobs/jobdriver.h"

#include <QObject>
#include <functional>
#include <memory>

namespace kserial {
class MSComm;
}
namespace zel {
class ZelQtJob;
struct ZelContext;
}  // namespace zel

#include "zeldb.h"

namespace korvan::jobs {

class EngineJobDriver : public JobDriver {
  public:
    explicit EngineJobDriver(JobClock& clock);
    ~EngineJobDriver() override;

    // The installed database (refreshed from the built-in copy when older) when `path` is
    // empty, else the named file as it is. False when it holds no series.
    bool openDatabase(const QString& path);
    // The file the database comes from; "" for the copy built into the program.
    QString databasePath() const { return m_dbPath; }
    // Set when the installed copy could not be created and the built-in one stands in.
    bool usesBuiltInDatabase() const { return m_builtIn; }
    kserial::MSComm& port();
    // Every packet, reply and stray byte, with the time since the last one; {} switches off.
    void setTrace(std::function<void(const QString&)> trace);
    // What the port said when it could not be opened last.
    QString lastPortFailure() const;
    // The options of the identified chip's series, with the chip's choices.
    std::vector<OptionRowInfo> chipOptions() const;
    // The choices a configure job writes (row index → choice index); others keep the chip's.
    void setOptionChoices(std::map<int, int> choices) { m_choices = std::move(choices); }

    void cancel(bool user) override;
    bool setData(const QByteArray& bytes) override;
    bool appendData(const QByteArray& bytes, qint64 address) override;
    bool busy() const override;
    int downType() const override;
    bool success() const override;
    ChipRecord chip() const override;
    void setMaxBaud(qint64 baud) override;
    void setRts(bool on) override;
    void setModemLine(ResetStep::Kind line, bool asserted) override;
    int seriesCount() const override;
    QString seriesName(int index) const override;
    int seriesIndex() const override;
    void setSeriesIndex(int index) override;

  protected:
    bool doStart(int type) override;
    EndReason endReason() const override;

  private:
    // The engine holds on to one database for its lifetime; the file behind it is chosen
    // later, when the options are known.
    class ChosenDatabase final : public zel::ChipDatabase {
      public:
        zel::DbSnapshot load() const override {
            return m_source ? m_source->load() : zel::EmptyDb();
        }
        std::unique_ptr<zel::ChipDatabase> m_source;
    };

    ChosenDatabase m_database;
    zel::SeriesCatalog m_series;
    QString m_dbPath;
    bool m_builtIn = false;
    std::unique_ptr<zel::ZelContext> m_context;
    std::unique_ptr<zel::ZelQtJob> m_job;
    QObject m_receiver;
    std::map<int, int> m_choices;
};

}  // namespace korvan::jobs
