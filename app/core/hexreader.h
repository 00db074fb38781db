// The Intel HEX reader. It is deliberately forgiving, as users' tool chains are: blanks are
// removed, every field is read as far as it is hexadecimal, a short line gives 0 for the
// bytes it lacks, checksums do not stop a line, and later records overwrite earlier ones.
// Extended segment (type 02) and linear (type 04) address records set the base that later
// records' addresses are added to; start-address records (types 03 and 05) carry no code and
// are skipped.
#pragma once

#include "core/codeimage.h"

#include <QByteArrayView>
#include <QString>
#include <optional>
#include <string>

namespace korvan {

// Reads a HEX text handed over in pieces of any size (a line may span pieces).
class IntelHexReader {
  public:
    // Longer lines are cut (after dropping their blanks); none of their fields lies so far.
    static constexpr size_t kMaxLineLength = 64 * 1024;

    void feed(QByteArrayView chunk);
    CodeImage finish();

  private:
    void boundPending();

    CodeImage image_;
    uint32_t base_ = 0;    // from the latest extended address record
    qsizetype lines_ = 0;  // line breaks read so far ("\r\n" counts once)
    bool afterCR_ = false;
    std::string pending_;  // the unfinished last line
    std::string scratch_;
};

CodeImage ReadIntelHex(QByteArrayView text);

// Reads the file; nothing when it is not usable (missing or empty), cannot be read, holds no
// valid record at all, or places data beyond kMaxCodeFileSize.
std::optional<CodeImage> ReadIntelHexFile(const QString& path, LoadError* error = nullptr);

}  // namespace korvan
