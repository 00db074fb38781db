// The code buffer: the bytes of the opened code file, indexed from address 0, with the bytes
// no record wrote left 0, and the running sum of every byte stored while reading it.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace korvan {

using CodeBuffer = std::vector<uint8_t>;

// The largest binary code file accepted: 16 MiB, 256 times the largest flash of any chip in
// the model database (64 KiB). Anything bigger cannot be a code image for these chips; the
// limit keeps a wrongly chosen file (a disk image, a video) from exhausting memory.
constexpr qint64 kMaxCodeFileSize = 16 * 1024 * 1024;

struct CodeImage {
    CodeBuffer Bytes;
    // 32-bit sum of every byte stored while reading (a byte written twice counts twice);
    // it wraps around, as 8 hexadecimal digits show it.
    uint32_t Sum = 0;
    // Intel HEX records whose checksum does not verify or that are not well formed. They are
    // still loaded; a non-zero count means the file may be damaged.
    qsizetype BadRecords = 0;
    // The line (from 1) of the first such record, 0 when there is none: the user looks there.
    qsizetype FirstBadLine = 0;
    // An end-of-file record (type 01) was read. A HEX file without one was probably cut short
    // (a full disk, an interrupted copy), so what it holds may be only the front of the code.
    bool EndRecordSeen = false;
    // Intel HEX records that are well formed: a colon, hexadecimal pairs, as many as the count
    // says (the checksum may still be wrong). A file without a single one is not a HEX file at
    // all (a text, an ELF file, random bytes).
    qsizetype GoodRecords = 0;
    // Data that extended address records put at or beyond kMaxCodeFileSize; it is not stored.
    bool BeyondLimit = false;
};

enum class LoadError {
    None,
    NotUsable,   // missing or empty
    TooLarge,    // larger (or, for HEX, addressed further) than kMaxCodeFileSize
    Unreadable,  // exists but cannot be read (permission, I/O error)
    NoRecords,   // a .hex file without a single valid record
};

// What to tell the user about a code file that could not be loaded; nothing for a missing or
// empty file, which the callers report in their own words.
std::optional<QString> LoadErrorText(LoadError error);

// The sum as shown beside the file name: 8 upper-case hexadecimal digits.
QString SumText(uint32_t sum);

// The running sum of a whole buffer (after a task is opened, the sum of its bytes).
uint32_t SumOf(const CodeBuffer& bytes);

}  // namespace korvan
