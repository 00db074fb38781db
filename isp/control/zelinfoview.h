// The chip record the control hands out through McuInfo: a cZelInfo over the control's
// process-wide context, callable directly or by dispatch identifier. Its baud is also how the
// host sets the highest rate of the next job.
#pragma once

#include "zelinfo.h"
#include "zelisp_interface.h"

namespace zel::control {

class ZelInfoView : public zelisp::IZelInfo {
  public:
    explicit ZelInfoView(ZelContext& context) : m_ctx(context), m_info(context) {}

    QString model() const override { return m_info.model(); }
    int32_t cpu() const override { return m_info.cpu(); }
    QString version() const override { return m_info.version(); }
    int32_t flash() const override { return m_info.flash(); }
    int32_t memory() const override { return m_info.memory(); }
    int32_t eeprom() const override { return m_info.eeprom(); }
    int32_t baud() const override { return m_info.baud(); }
    // Read back as the record's baud until a job chooses a rate.
    void setBaud(int32_t value) override {
        m_ctx.Params.MaxBaud = value;
        m_ctx.Chip.Baud = value;
    }
    QString id() const override { return m_info.id(); }
    QString sn() const override { return m_info.sn(); }
    int16_t OptCount() const override { return m_info.OptCount(); }
    QString OptList(int16_t index) const override { return m_info.OptList(index); }
    int16_t index() const override { return m_info.index(); }

    int Invoke(int32_t dispid, zelisp::InvokeKind kind, QVariantList& args,
               QVariant& result) override;

  private:
    ZelContext& m_ctx;
    cZelInfo m_info;
};

}  // namespace zel::control
