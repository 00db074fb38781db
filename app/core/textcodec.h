// Text encodings KORVAN meets in files: its own files are UTF-8, files brought from older
// installations are in the two-byte Chinese code page (GBK), which is also the code page of
// the "$" form of the data text.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include "gbkcodec.h"

namespace korvan {

// UTF-8 when `bytes` are valid UTF-8 (a leading byte-order mark is dropped), else GBK.
QString DecodeUtf8OrGbk(QByteArrayView bytes);

using ktext::DecodeGbk;
using ktext::EncodeGbk;

}  // namespace korvan
