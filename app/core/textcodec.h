// Text encodings KORVAN meets in files: its own files are UTF-8, files brought from older
// installations are in the two-byte Chinese code page (GBK), which is also the code page of
// the "$" form of the data text.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include "gbkcodec.h"
#include "privateprofile.h"

namespace korvan {

using ktext::DecodeGbk;
using ktext::DecodeUtf8OrGbk;
using ktext::DecodeUtf8OrGbkLine;
using ktext::EncodeGbk;

}  // namespace korvan
