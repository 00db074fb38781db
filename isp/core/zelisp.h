// cZelIsp: the ZEL bootloader's wire side. It reassembles chip replies from the bytes the
// port delivers, decodes the status reply into the identification state, and builds every
// command packet as hex text (see modfun.h). It never touches a port; the job engine decides
// what to send and when.
#pragma once

#include "modfun.h"
#include "seriestable.h"
#include "zelcontext.h"

#include <QString>
#include <cstdint>
#include <span>

namespace zel {

// Stores a decoded [ID] record into the chip record; the series index stays as it was when the
// type code is not in `typeList`.
void ApplyModelRecord(ChipRecord& chip, const QString& record, const QStringList& typeList);

class cZelIsp {
  public:
    // Works on `context` (one per engine); it must outlive this object.
    explicit cZelIsp(ZelContext& context);

    // --- Members in slot order -------------------------------------------------------------

    // Forgets everything received so far.
    void Init();
    // Appends bytes just read from the port; returns the payload text of a complete reply
    // (the bytes after the length byte, without the end byte and the byte before it), or ""
    // while none is complete. The same reply is returned again until Init.
    QString RxdData(const Bytes& bytes);
    // Decodes a status reply payload text into the context's chip record: clock, version,
    // model ID, record of the context's database, serial number and the fastest usable baud
    // rate up to Params.MaxBaud with its BaudParams (the rates above
    // 115200 are tried only when MaxBaud is above it). A reply of fewer than 21
    // bytes is ignored.
    void StartUp(const QString& rev);
    // The raw synchronisation text "7F" (not a packet).
    QString REST() const;
    QString BAUDT() const;
    QString BAUDR() const;
    QString ISP() const;
    // Erase packet for the data in the context's last segment; `flash` receives the byte count
    // that sizes the erase time-out.
    QString Erase_Flash(int64_t& flash) const;
    // Option-write packet from the [FORMAT] template and the (edited) status bytes.
    QString GetOption() const;
    QString READOPTION() const;
    QString END1() const;
    QString END2() const;

    // --- Baud parameters -------------------------------------------------------------------

    // The four baud parameter bytes for `rate` at the measured clock, by the series' method,
    // or "" when no divisor gets within 2.9 %.
    QString CalcBaud(int64_t rate) const;
    static QString CalcBaud(int64_t cpu, int64_t rate, BaudMethod method);

    // The highest rate the host allows: its MaxBaud, or 115200 when that is below 1200.
    int64_t baudLimit() const;
    // Whether the host opted into the rates above 115200 (a limit above it).
    bool fastRatesAllowed() const;
    // The fastest rate of the walk that the limit lets StartUp try, whether or not the clock
    // makes it; the limit itself when none is listed below it.
    int64_t fastestListedRate() const;
    // After the line failed at the chosen rate: moves Chip.Baud and BaudParams to the next
    // lower rate the clock makes, not below 115200. Only with the fast rates allowed; false
    // (nothing changed) when there is no such rate.
    bool stepDownBaud();

    // The parameters chosen by StartUp; kept when no rate fits. Settable for the engine's
    // own bookkeeping and tests.
    const QString& BaudParams() const { return m_baudParams; }
    void setBaudParams(const QString& params) { m_baudParams = params; }

    // --- Series facts the engine needs -----------------------------------------------------

    int checksumWidth() const;
    bool evenParity() const;
    BaudMethod baudMethod() const;
    // "rate,E,8,1" or "rate,N,8,1" for the current series.
    QString portSettings(int64_t rate) const;

    ZelContext& context() { return m_context; }
    const ZelContext& context() const { return m_context; }

    // Clock frequency in Hz measured from a status payload (at least 17 bytes).
    static int64_t measureClock(const Bytes& status);
    // The version text "major.minor letter" from a status payload (at least 19 bytes).
    static QString versionText(const Bytes& status);

    // Line noise must not grow the receive buffer without bound. Before the reply start is
    // found, the buffer is cut back to its last kNoiseKeep bytes whenever it passes twice that;
    // every byte has been searched for the start by then, so no reply is lost. After the start,
    // only the first 256 bytes are kept: a reply's length is one byte, so later bytes can never
    // complete it.
    static constexpr size_t kNoiseKeep = 4096;
    // Bytes held in the receive buffer now (for diagnostics and the bound above).
    size_t heldBytes() const { return m_rxBuffer.size(); }

  private:
    void chooseBaud();
    std::span<const int64_t> rateList() const;

    ZelContext& m_context;
    Bytes m_rxBuffer;        // RxBuffer
    bool m_rxFound = false;  // RxFound
    size_t m_scanFrom = 0;   // first index not yet searched for the reply start
    QString m_baudParams;    // BaudParams
};

}  // namespace zel
