// The ZEL control as a host sees it. This header is all a host compiles against: libzel.so is
// loaded at run time (see zelisp_loader.h) and its exported CreateObject("ZEL.ZELISP") returns
// the control, a QWidget implementing zelisp::IZelIsp.
//
// Members can be called directly or by number through Invoke(dispid, kind, args, result); the
// dispatch identifiers below are fixed, so hosts that dispatch by number keep working.
// Booleans cross as 16-bit values, True = -1 and False = 0. Colours are 0x00BBGGRR, or a system
// colour index with the top bit set (0x80000005 is the window background).
//
// Events are raised synchronously on the thread that owns the control, and the host's handler
// runs before the control goes on, so changing a reference argument (bResume) takes effect at
// once. Two ways to receive them:
//   - Qt signals of the control's widget, by signature (kSignalError ... kSignalProgress):
//       QObject::connect(control->widget(), zelisp::kSignalViewInfo,
//                        receiver, SLOT(onViewInfo(short&,QString&)), Qt::DirectConnection);
//   - an IZelIspEvents object handed to Advise (no moc needed).
// A handler may call the control (SetData and AppendData during ViewInfo 102, CancelDown at any
// time, Start once a job has ended) but must not delete it; use deleteLater().
#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>
#include <cstdint>
#include <memory>

class QWidget;

namespace zelisp {

inline constexpr char kProgId[] = "ZEL.ZELISP";
inline constexpr char kLibraryName[] = "libzel.so";
inline constexpr char kHelpString[] = "ZELISP ActiveX V1.0";

// Class and interface identifiers, for hosts that keep them.
inline constexpr char kClsidZelIsp[] = "{2EBD24D1-105E-4029-AE6A-2362BF184C90}";
inline constexpr char kIidZelIsp[] = "{CF77BBEA-F92E-4E35-920B-F070A56CD740}";
inline constexpr char kIidZelIspEvents[] = "{C40DD7FA-E121-4351-8D14-F2B1AAB7FFE9}";
inline constexpr char kClsidZelInfo[] = "{57780CAC-98D9-4C6E-8239-B82A2A2A5F0E}";
inline constexpr char kIidZelInfo[] = "{C52F631F-C15D-4C7A-9BA5-961D1AD8FF50}";

using Bool16 = int16_t;
inline constexpr Bool16 kTrue = -1;
inline constexpr Bool16 kFalse = 0;
inline constexpr Bool16 ToBool16(bool value) {
    return value ? kTrue : kFalse;
}

using OleColor = uint32_t;

// Status codes of member calls and Invoke (0 = done).
enum Status : int {
    kOk = 0,
    kOverflow = 6,        // a number does not fit the argument's type
    kTypeMismatch = 13,   // an argument of the wrong type
    kCannotLoad = 339,    // the library is missing or the control cannot be created
    kDesignMode = 387,    // ListIndex cannot be set while the host is in design mode
    kNotSupported = 438,  // no member with this dispatch id and kind
    kArgumentNotOptional = 449,
    kWrongArgumentCount = 450,
    // Numbers from 8000 on are the serial port's own (8000: not valid while the port is open).
};

// Why the last job ended (EndCode). The host reads it after a job's final event to tell the
// user why a job failed, where the event's text says only that it did.
enum EndCode : int16_t {
    kEndNone = 0,
    kEndCompleted,
    kEndCancelled,
    kEndPortOpenFailed,
    kEndPortWriteFailed,
    kEndTimedOut,          // the chip stopped answering mid-job
    kEndRetriesExhausted,  // the chip refused the same data five times in a row
    kEndUnexpectedReply,
    kEndUnknownModel,  // the chip's model is missing from zel.db
    kEndSeriesRefused,
    kEndNoSteps,  // zel.db holds no steps for this job and chip
    kEndNoData,
    kEndPortLost,
};

// How Invoke calls a member; a method that returns a value may be called with either of the
// first two, as dispatching hosts do.
enum class InvokeKind : int { Method = 1, PropertyGet = 2, PropertyPut = 4 };

// Dispatch identifiers of the control's members (interface _ZELISP), in slot order.
namespace dispid {
inline constexpr int32_t Start = 0x6003001D;
inline constexpr int32_t CancelDown = 0x6003001E;
inline constexpr int32_t SetData = 0x60030020;
inline constexpr int32_t AppendData = 0x60030021;
inline constexpr int32_t McuInfo = 0x6803000E;
inline constexpr int32_t OptCount = 0x6803000D;
inline constexpr int32_t OptValue = 0x6803000C;
inline constexpr int32_t ListCount = 0x6803000B;
inline constexpr int32_t ListIndex = 0x6803000A;
inline constexpr int32_t List = 0x68030009;
inline constexpr int32_t BackColor = 0x68030008;
inline constexpr int32_t FillColor = 0x68030007;
inline constexpr int32_t FendColor = 0x68030006;
inline constexpr int32_t ForeColor = 0x68030005;
inline constexpr int32_t CommPort = 0x68030004;
inline constexpr int32_t Buzy = 0x68030003;
inline constexpr int32_t RTS = 0x68030002;
inline constexpr int32_t DownType = 0x68030001;
inline constexpr int32_t success = 0x68030000;
inline constexpr int32_t CopyOption = 0x60030035;
}  // namespace dispid

// Dispatch identifiers of the chip record (interface _cZelInfo).
namespace infodispid {
inline constexpr int32_t model = 0x6803000A;
inline constexpr int32_t cpu = 0x68030009;
inline constexpr int32_t version = 0x68030008;
inline constexpr int32_t flash = 0x68030007;
inline constexpr int32_t memory = 0x68030006;
inline constexpr int32_t eeprom = 0x68030005;
inline constexpr int32_t baud = 0x68030004;
inline constexpr int32_t id = 0x68030003;
inline constexpr int32_t sn = 0x68030002;
inline constexpr int32_t OptCount = 0x68030001;
inline constexpr int32_t OptList = 0x68030000;
inline constexpr int32_t index = 0x6803000B;
}  // namespace infodispid

// Event identifiers (interface __ZELISP).
namespace eventid {
inline constexpr int32_t Error = 1;
inline constexpr int32_t ViewInfo = 2;
inline constexpr int32_t Interrupt = 3;
inline constexpr int32_t Progress = 4;
}  // namespace eventid

// The events as signals of the control's widget, for QObject::connect by signature.
inline constexpr char kSignalError[] = "2Error(short&,QString&)";
inline constexpr char kSignalViewInfo[] = "2ViewInfo(short&,QString&)";
inline constexpr char kSignalInterrupt[] = "2Interrupt(short&,QString&,short&)";
inline constexpr char kSignalProgress[] = "2Progress(short&)";

// The record of the chip identified last. Every McuInfo call returns a new record; all of
// them show the same, current state. Before any chip was seen the values are empty.
class IZelInfo {
  public:
    virtual ~IZelInfo() = default;

    // Members in slot order.
    virtual QString model() const = 0;  // "" when the model is unknown
    virtual int32_t cpu() const = 0;    // measured clock, Hz
    virtual QString version() const = 0;
    virtual int32_t flash() const = 0;  // bytes
    virtual int32_t memory() const = 0;
    virtual int32_t eeprom() const = 0;
    // Before a job: the highest rate the host allows; after identification: the rate chosen.
    virtual int32_t baud() const = 0;
    virtual void setBaud(int32_t value) = 0;
    virtual QString id() const = 0;  // four hex digits
    virtual QString sn() const = 0;  // serial number text or ""
    virtual int16_t OptCount() const = 0;
    // Caption and current choice of option `index` of the chip; "" outside 0..OptCount-1.
    virtual QString OptList(int16_t index) const = 0;
    virtual int16_t index() const = 0;  // series index

    // The members above by dispatch identifier (infodispid); arguments and result as for
    // IZelIsp::Invoke.
    virtual int Invoke(int32_t dispid, InvokeKind kind, QVariantList& args, QVariant& result) = 0;
};

// Receives the control's events (see Advise). Every argument is a reference the handler may
// change; only bResume is read back by the control.
class IZelIspEvents {
  public:
    virtual ~IZelIspEvents() = default;
    // A failure: `index` is its code, for example 1 "串行端口已打开或者无效".
    virtual void Error(int16_t& index, QString& pInfo) {
        (void)index;
        (void)pInfo;
    }
    // A line for the host's log; 102 asks for the code (SetData, AppendData) from inside the
    // handler, 1001 / 1002 / 1003 end a job.
    virtual void ViewInfo(int16_t& index, QString& pInfo) {
        (void)index;
        (void)pInfo;
    }
    // A question in the middle of a job; set bResume to kTrue to go on.
    virtual void Interrupt(int16_t& index, QString& pInfo, Bool16& bResume) {
        (void)index;
        (void)pInfo;
        (void)bResume;
    }
    // Percentage (0-100) of the code blocks written so far.
    virtual void Progress(int16_t& Parent) { (void)Parent; }
};

class IZelIsp {
  public:
    virtual ~IZelIsp() = default;

    // --- Members in slot order (interface _ZELISP) -------------------------------------------

    // Starts a job: 1 check the chip, 2 download the code, 3 configure the options. Ignored
    // while a job runs or for another type. A port that cannot be opened raises Error 1.
    virtual void Start(int32_t pType) = 0;
    // Stops the running job: ViewInfo 1002 when `user` is True, else 1003.
    virtual void CancelDown(Bool16& user) = 0;
    void CancelDown() {
        Bool16 user = kFalse;
        CancelDown(user);
    }
    // Replaces the code to download by `dat` at address 0 (the bytes are copied). Always False.
    virtual Bool16 SetData(QByteArray& dat) = 0;
    // Adds code at address `Add`; True when stored.
    virtual Bool16 AppendData(QByteArray& dat, int32_t& Add) = 0;
    // A new record of the chip identified last.
    virtual std::shared_ptr<IZelInfo> McuInfo() = 0;
    // Rows of the option editor for the selected series.
    virtual int16_t OptCount() = 0;
    // Option row `index`: kind 1, 1 selects the first choice and anything else the second;
    // kind 2, the list index. Out of range: ignored (set) or 0 (get).
    virtual void setOptValue(int16_t index, int32_t value) = 0;
    virtual int32_t OptValue(int16_t index) = 0;
    // Number of chip series; List gives their names ("" outside 0..ListCount-1).
    virtual int16_t ListCount() = 0;
    // The selected series. Setting it rebuilds the option editor; kDesignMode while the host
    // is in design mode; other out-of-range values are ignored.
    virtual int16_t ListIndex() = 0;
    virtual int setListIndex(int16_t value) = 0;
    virtual QString List(int16_t& index) = 0;
    virtual OleColor BackColor() = 0;  // the control's background
    virtual void setBackColor(OleColor value) = 0;
    virtual OleColor FillColor() = 0;  // even option rows
    virtual void setFillColor(OleColor value) = 0;
    virtual OleColor FendColor() = 0;  // odd option rows
    virtual void setFendColor(OleColor value) = 0;
    virtual OleColor ForeColor() = 0;  // the option editor's scrolling area
    virtual void setForeColor(OleColor value) = 0;
    // The serial port number of the jobs (COMn, mapped to a device by section [Ports] of the
    // host's Config.ini, else the n-th serial device). Any number is accepted here; a missing
    // port is reported by Start (Error 1). Refused with the port's 8000 while a job runs.
    virtual int16_t CommPort() = 0;
    virtual int setCommPort(int16_t value) = 0;
    virtual Bool16 Buzy() = 0;  // a job runs
    virtual Bool16 RTS() = 0;   // RTS line asserted while the port is open
    virtual int setRTS(Bool16 value) = 0;
    // The DTR level of the jobs' port while it is open (asserted by default). Not a dispatch
    // member and not persisted: the host's reset sequence drives it while a job waits.
    virtual int setDTR(Bool16 value) = 0;
    virtual int16_t DownType() = 0;  // type of the last job, 0 after CancelDown
    // Why the last job ended, an EndCode. Not a dispatch member.
    virtual int16_t EndCode() { return kEndNone; }
    virtual Bool16 success() = 0;  // outcome of the last phase of the job
    // Does nothing; always False.
    virtual Bool16 CopyOption() = 0;

    // --- Dispatch --------------------------------------------------------------------------

    // Calls a member by dispatch identifier. Arguments in declaration order; a property put
    // takes its value last. Reference arguments are written back into `args`. Numbers may be
    // any integer QVariant, byte arrays a QByteArray, McuInfo's result a
    // std::shared_ptr<IZelInfo>. Returns a Status (or a serial port error number).
    virtual int Invoke(int32_t dispid, InvokeKind kind, QVariantList& args, QVariant& result) = 0;

    // --- Container services ----------------------------------------------------------------

    // The control's window, to place in the host's layout; also the sender of the signals.
    virtual QWidget* widget() = 0;
    // The six persisted properties (BackColor, FillColor, FendColor, ForeColor, CommPort, RTS).
    // ReadProperties applies the host's stored values (missing keys take their defaults) and
    // rebuilds the option editor; a host calls it once after creating the control, with an
    // empty map the first time. WriteProperties stores them in order into `bag`, removing the
    // keys whose value is the default.
    virtual void ReadProperties(const QVariantMap& bag) = 0;
    virtual void WriteProperties(QVariantMap& bag) = 0;
    // The host's ambient mode: false while it is designing (default true, running).
    virtual void setAmbientUserMode(bool userMode) = 0;
    // Connects an event receiver; it must stay alive until Unadvise. Several may be connected.
    virtual void Advise(IZelIspEvents* sink) = 0;
    virtual void Unadvise(IZelIspEvents* sink) = 0;
};

}  // namespace zelisp

#define ZELISP_INTERFACE_IID "ZEL.ZELISP/_ZELISP/1.0"
Q_DECLARE_INTERFACE(zelisp::IZelIsp, ZELISP_INTERFACE_IID)
Q_DECLARE_METATYPE(std::shared_ptr<zelisp::IZelInfo>)
