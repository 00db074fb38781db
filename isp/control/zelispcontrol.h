// ZELISP, the ZEL control: the widget a host creates to download code into a ZEL chip. It
// joins the job engine (on its own serial port, MSComm1), the chip database and the option
// editor, and offers them through zelisp::IZelIsp, directly or by dispatch identifier.
// Identification state, segments and option descriptors are process-wide, shared by every
// instance and every chip record it hands out.
#pragma once

#include <QList>
#include <QWidget>
#include <memory>

#include "ui/core/colorrule.h"
#include "zelisp_interface.h"

namespace kserial {
class MSComm;
}

namespace zel {
class ZelQtJob;
struct ZelContext;
}  // namespace zel

namespace zel::control {

class OptionEditor;
struct ControlState;

class ZelIspControl : public QWidget, public zelisp::IZelIsp {
    Q_OBJECT
    Q_INTERFACES(zelisp::IZelIsp)

  public:
    // The persisted properties and their defaults.
    static constexpr kui::OleColor kDefaultBackColor = kui::SysWindow;
    static constexpr kui::OleColor kDefaultFillColor = kui::SysWindow;
    static constexpr kui::OleColor kDefaultFendColor = kui::SysWindow;
    static constexpr kui::OleColor kDefaultForeColor = 0x00EABB99u;
    static constexpr int16_t kDefaultCommPort = 1;
    static constexpr bool kDefaultRTS = false;

    // Installs or refreshes zel.db, builds the series list, creates the engine and builds the
    // option editor for the first series.
    explicit ZelIspControl(QWidget* parent = nullptr);
    ~ZelIspControl() override;

    // _ZELISP
    void Start(int32_t pType) override;
    void CancelDown(zelisp::Bool16& user) override;
    using IZelIsp::CancelDown;
    zelisp::Bool16 SetData(QByteArray& dat) override;
    zelisp::Bool16 AppendData(QByteArray& dat, int32_t& Add) override;
    std::shared_ptr<zelisp::IZelInfo> McuInfo() override;
    int16_t OptCount() override;
    void setOptValue(int16_t index, int32_t value) override;
    int32_t OptValue(int16_t index) override;
    int16_t ListCount() override;
    int16_t ListIndex() override;
    int setListIndex(int16_t value) override;
    QString List(int16_t& index) override;
    zelisp::OleColor BackColor() override { return m_backColor; }
    void setBackColor(zelisp::OleColor value) override;
    zelisp::OleColor FillColor() override;
    void setFillColor(zelisp::OleColor value) override;
    zelisp::OleColor FendColor() override;
    void setFendColor(zelisp::OleColor value) override;
    zelisp::OleColor ForeColor() override;
    void setForeColor(zelisp::OleColor value) override;
    int16_t CommPort() override;
    int setCommPort(int16_t value) override;
    zelisp::Bool16 Buzy() override;
    zelisp::Bool16 RTS() override;
    int setRTS(zelisp::Bool16 value) override;
    int setDTR(zelisp::Bool16 value) override;
    int16_t DownType() override;
    int16_t EndCode() override;
    zelisp::Bool16 success() override;
    zelisp::Bool16 CopyOption() override { return zelisp::kFalse; }

    int Invoke(int32_t dispid, zelisp::InvokeKind kind, QVariantList& args,
               QVariant& result) override;

    QWidget* widget() override { return this; }
    void ReadProperties(const QVariantMap& bag) override;
    void WriteProperties(QVariantMap& bag) override;
    void setAmbientUserMode(bool userMode) override { m_userMode = userMode; }
    void Advise(zelisp::IZelIspEvents* sink) override;
    void Unadvise(zelisp::IZelIspEvents* sink) override;

    QSize sizeHint() const override;

    // The parts, for tests and screenshots.
    OptionEditor& editor() { return *m_editor; }
    ZelQtJob& job() { return *m_job; }
    kserial::MSComm& MSComm1();

  signals:
    void Error(short& index, QString& pInfo);
    void ViewInfo(short& index, QString& pInfo);
    void Interrupt(short& index, QString& pInfo, short& bResume);
    void Progress(short& Parent);
    // A property that the host persists was set (its key in the property bag).
    void PropertyChanged(const QString& name);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    // The host switched languages: the option rows are shown again in the new one.
    void changeEvent(QEvent* event) override;

  private:
    int invokeMember(int32_t dispid, zelisp::InvokeKind kind, QVariantList& args, QVariant& result);
    int invokeProperty(int32_t dispid, zelisp::InvokeKind kind, QVariantList& args,
                       QVariant& result);
    void connectEngine();
    void raiseError(int index, const QString& text);
    void raiseViewInfo(int index, const QString& text);
    void raiseInterrupt(int index, const QString& text, bool& resume);
    void raiseProgress(int percent);
    template <typename Call>
    void notifySinks(Call call);
    void applyBackColor(zelisp::OleColor value);

    ControlState& m_state;
    ZelContext& m_ctx;
    std::unique_ptr<ZelQtJob> m_job;
    OptionEditor* m_editor = nullptr;  // a child object
    zelisp::OleColor m_backColor = kDefaultBackColor;
    bool m_userMode = true;
    QList<zelisp::IZelIspEvents*> m_sinks;
};

}  // namespace zel::control
