// The job driver over the ZEL control's public interface, as the desktop program hosts it
// (loaded at run time from libzel.so). Events arrive through Advise.
#pragma once

#include "jobs/jobdriver.h"
#include "zelisp_interface.h"

namespace korvan::jobs {

class ControlJobDriver : public JobDriver, private zelisp::IZelIspEvents {
  public:
    // `control` must outlive the driver.
    ControlJobDriver(JobClock& clock, zelisp::IZelIsp& control);
    ~ControlJobDriver() override;

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
    int optionCount() const override;
    int optionValue(int index) const override;
    void setOptionValue(int index, int value) override;

  protected:
    bool doStart(int type) override;
    EndReason endReason() const override;

  private:
    void Error(int16_t& index, QString& pInfo) override;
    void ViewInfo(int16_t& index, QString& pInfo) override;
    void Interrupt(int16_t& index, QString& pInfo, zelisp::Bool16& bResume) override;
    void Progress(int16_t& Parent) override;

    zelisp::IZelIsp& m_control;
};

}  // namespace korvan::jobs
