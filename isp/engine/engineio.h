// The three outlets of the job engine. The engine never touches a device, a clock or a
// window: it is handed one object of each kind and calls them synchronously.
#pragma once

#include "enginetypes.h"

namespace zel {

// The serial link to the chip.
class IspPort {
  public:
    virtual ~IspPort() = default;
    // Opens at `rate` baud, 8 data bits, 1 stop bit, closing first when open. On failure the
    // port fills `failure` and returns false.
    virtual bool open(int64_t rate, Parity parity, PortFailure& failure) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Queues the bytes for sending; false when they cannot be written.
    virtual bool write(const Bytes& bytes) = 0;
    // Whether the last failure was the device going away (unplugged, hung up) rather than a
    // refusal of the one call.
    virtual bool deviceGone() const { return false; }
};

// One-shot timers: arm starts (or restarts) timer k to call the engine's TimerFired once,
// n milliseconds from now; disarm stops it. Disarming an idle timer does nothing.
class IspTimers {
  public:
    virtual ~IspTimers() = default;
    virtual void arm(EngineTimer timer, int milliseconds) = 0;
    virtual void disarm(EngineTimer timer) = 0;
};

// The control's four events. They are raised synchronously; a handler may call the engine
// (SetData and AppendData during ViewInfo 102, CancelDown at any time, Start once a job has
// ended) and the engine takes the effect into account before it goes on.
class IspEvents {
  public:
    virtual ~IspEvents() = default;
    virtual void Error(int index, const QString& pInfo) = 0;
    virtual void ViewInfo(int index, const QString& pInfo) = 0;
    // The host sets bResume to continue (true) or stop (false).
    virtual void Interrupt(int index, const QString& pInfo, bool& bResume) = 0;
    virtual void Progress(int Parent) = 0;
};

}  // namespace zel
