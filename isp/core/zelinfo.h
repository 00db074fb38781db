// cZelInfo: a read-only view of the chip an engine identified last (model record, sizes,
// clock, version, serial number, option texts). Many views may exist; all show the same
// context. Setting the highest baud rate for the next job is the engine's business
// (JobParameters), not the record's.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "zelcontext.h"

namespace zel {

// The text of one option: the caption of its [PAR] row followed by the choice that the status
// bytes select. `descriptor` is "<par>-<byte>-<bit>" or "<par>-<byte>-<high>-<low>". "" when the
// row is invalid, of another kind, or the descriptor points outside the status bytes or the
// row's choices.
QString DecodeOptionText(const QString& descriptor, const QString& parRow,
                         const std::vector<uint8_t>& statusBytes);

class cZelInfo {
  public:
    explicit cZelInfo(const ZelContext& ctx) : m_ctx(&ctx) {}

    QString model() const;
    int32_t cpu() const;
    QString version() const;
    int32_t flash() const;
    int32_t memory() const;
    int32_t eeprom() const;
    int32_t baud() const;
    QString id() const;
    QString sn() const;
    // Number of entries in the chip's option descriptor list.
    int16_t OptCount() const;
    // Caption and current value of option `index`, read from the status bytes; "" outside the
    // list.
    QString OptList(int16_t index) const;
    int16_t index() const;

  private:
    const ZelContext* m_ctx;
};

}  // namespace zel
