// Where a UTF-8 byte stream can be cut without splitting a character.
#pragma once

#include <QByteArrayView>

namespace kserial {

// The number of bytes (0..3) at the end of `bytes` that begin a character the data does not
// complete yet. Invalid bytes count as complete: they decode to U+FFFD at once.
qsizetype incompleteUtf8Tail(QByteArrayView bytes);

}  // namespace kserial
