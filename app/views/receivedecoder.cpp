#include "views/receivedecoder.h"

#include "core/textcodec.h"

namespace korvan {

ReceiveDecoder::ReceiveDecoder(ReceiveEncoding encoding)
    : encoding_(encoding), utf8_(QStringDecoder::Utf8) {}

void ReceiveDecoder::setEncoding(ReceiveEncoding encoding) {
    encoding_ = encoding;
    utf8_ = QStringDecoder(QStringDecoder::Utf8);
    gbkHeld_.clear();
}

QString ReceiveDecoder::decode(QByteArrayView bytes) {
    if (encoding_ == ReceiveEncoding::Utf8) return utf8_.decode(bytes);
    gbkHeld_.append(bytes.data(), bytes.size());
    // Walk the pairs from a known character start: a trail byte may look like a lead byte.
    qsizetype complete = 0;
    while (complete < gbkHeld_.size()) {
        const auto b = static_cast<uint8_t>(gbkHeld_.at(complete));
        if (b < 0x81 || b == 0xFF) {
            ++complete;
        } else if (complete + 1 < gbkHeld_.size()) {
            complete += 2;
        } else {
            break;  // a lead byte whose partner has not arrived
        }
    }
    const QString text = DecodeGbk(QByteArrayView(gbkHeld_).first(complete));
    gbkHeld_.remove(0, complete);
    return text;
}

QString ReceiveBoxTail(const QString& incoming) {
    if (incoming.size() <= kReceiveBoxLimit) return incoming;
    QString tail = incoming.right(kReceiveBoxLimit);
    if (tail.at(0).isLowSurrogate()) tail.remove(0, 1);
    return tail;
}

QString HexReceived(QByteArrayView bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    QString text(bytes.size() * 3, QChar(' '));
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<uint8_t>(bytes[i]);
        text[i * 3] = QChar(kDigits[b >> 4]);
        text[i * 3 + 1] = QChar(kDigits[b & 0x0F]);
    }
    return text;
}

}  // namespace korvan
