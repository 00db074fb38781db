// The program settings the job controller reads (section "Config" of Config.ini and the start
// mode), and where the download counter is kept.
#pragma once

#include "core/apppaths.h"
#include "core/resetsequence.h"

#include <QString>

namespace korvan::jobs {

struct JobSettings {
    int errTim = 5;           // seconds to wait for the chip
    qint64 maxBaud = 115200;  // the highest rate offered
    bool openRts = false;
    // Played on the job's port while the start flag is sent; empty: the user restarts the chip.
    ResetSequence resetSequence;
    bool count = false;  // a repeat series ends after reCount downloads
    int reCount = 1;
    bool autoClose = false;
    // Started with "/u" and the main window never shown: a finished download closes KORVAN.
    bool unattended = false;
    // Without a series of the user's, the selection follows the chip that answers.
    bool followChipSeries = false;
    // A program named by a foreign settings file is asked about before its first run.
    bool askConsent = true;
    // The next serial number is written to the settings file at once.
    bool persistSerial = true;
};

// The success counter (key DownCount of section "Config").
class DownloadCounter {
  public:
    virtual ~DownloadCounter() = default;
    virtual qint32 read() = 0;
    virtual void write(qint32 value) = 0;
};

// Kept in Config.ini, read afresh every time, as other instances may count too.
class ConfigDownloadCounter : public DownloadCounter {
  public:
    explicit ConfigDownloadCounter(AppPaths paths) : m_paths(std::move(paths)) {}
    qint32 read() override;
    void write(qint32 value) override;

  private:
    AppPaths m_paths;
};

// Kept for the run only.
class MemoryDownloadCounter : public DownloadCounter {
  public:
    qint32 read() override { return m_value; }
    void write(qint32 value) override { m_value = value; }

  private:
    qint32 m_value = 0;
};

}  // namespace korvan::jobs
