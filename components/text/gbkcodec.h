// Conversion between QString and the two-byte Chinese code page (GBK): the code page of
// zel.db, of files brought from older installations, and of the "$" form of the data text.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace ktext {

// GBK bytes to text. A byte that starts no valid sequence becomes U+FFFD, so damaged files
// still read (and every following line stays intact).
QString DecodeGbk(QByteArrayView bytes);

// Text to GBK bytes. A character the code page cannot hold becomes "?".
QByteArray EncodeGbk(QStringView text);

// Width of a text in GBK bytes: a Chinese character counts 2, an ASCII character 1. Column
// alignment in the database is measured this way.
int GbkWidth(QStringView text);

}  // namespace ktext
