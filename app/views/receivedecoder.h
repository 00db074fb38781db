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

// The receive box holds at most this many characters; text that would pass it empties the box
// first (the new text is dropped, receiving goes on). About 2 MiB of hexadecimal view keeps the
// box responsive while a chatty chip writes for minutes.
inline constexpr qsizetype kReceiveBoxLimit = 2 * 1024 * 1024;
inline bool ReceiveBoxOverflows(qsizetype current, qsizetype incoming) {
    return current + incoming > kReceiveBoxLimit;
}

}  // namespace korvan
