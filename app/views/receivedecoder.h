// Bytes from the terminal's port turned into text for the receive box. Reads end anywhere, so
// a character whose bytes are split across two reads is held back until it is complete and
// never shows as two broken halves. UTF-8 by default; 8051 firmware often prints GBK.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

namespace korvan {

enum class ReceiveEncoding { Utf8, Gbk };

class ReceiveDecoder {
  public:
    explicit ReceiveDecoder(ReceiveEncoding encoding = ReceiveEncoding::Utf8);

    ReceiveEncoding encoding() const { return encoding_; }
    // Switching drops any half character held back.
    void setEncoding(ReceiveEncoding encoding);
    QString decode(QByteArrayView bytes);

  private:
    ReceiveEncoding encoding_;
    QStringDecoder utf8_;
    QByteArray gbkHeld_;
};

// Received bytes as the hexadecimal mode shows them: "41 0D " for 41h, 0Dh.
QString HexReceived(QByteArrayView bytes);

// The receive box holds at most this many characters (1.5 Mi, a multiple of the three
// characters a byte takes in hexadecimal mode). Text that would pass it empties the box first;
// the newest text then shows (at most its last kReceiveBoxLimit characters) and receiving goes
// on, so a chatty chip can write for hours without the box growing without end.
inline constexpr qsizetype kReceiveBoxLimit = 3 * 512 * 1024;
inline bool ReceiveBoxOverflows(qsizetype current, qsizetype incoming) {
    return current + incoming > kReceiveBoxLimit;
}
// What of `incoming` an emptied box shows: all of it, or its last kReceiveBoxLimit characters
// without half a surrogate pair.
QString ReceiveBoxTail(const QString& incoming);

}  // namespace korvan
