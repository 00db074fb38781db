#include "variantargs.h"

#include <limits>

namespace zel::control::dispatch {
namespace {

// A whole number carried by the variant: integers, booleans, and text or floating values
// holding a whole number.
int ToWide(const QVariant& value, qint64& out) {
    if (!value.isValid() || value.isNull()) return zelisp::kTypeMismatch;
    switch (value.typeId()) {
        case QMetaType::Bool:
            out = value.toBool() ? -1 : 0;
            return zelisp::kOk;
        case QMetaType::QByteArray:
        case QMetaType::QVariantList:
        case QMetaType::QVariantMap:
            return zelisp::kTypeMismatch;
        default:
            break;
    }
    bool ok = false;
    const qint64 whole = value.toLongLong(&ok);
    if (ok) {
        out = whole;
        return zelisp::kOk;
    }
    const double real = value.toDouble(&ok);
    if (!ok) return zelisp::kTypeMismatch;
    if (real < -9.2e18 || real > 9.2e18) return zelisp::kOverflow;
    out = static_cast<qint64>(real);
    return zelisp::kOk;
}

}  // namespace

int ToInt16(const QVariant& value, int16_t& out) {
    qint64 v = 0;
    if (const int status = ToWide(value, v)) return status;
    if (v < std::numeric_limits<int16_t>::min() || v > std::numeric_limits<int16_t>::max())
        return zelisp::kOverflow;
    out = static_cast<int16_t>(v);
    return zelisp::kOk;
}

int ToInt32(const QVariant& value, int32_t& out) {
    qint64 v = 0;
    if (const int status = ToWide(value, v)) return status;
    if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
        return zelisp::kOverflow;
    out = static_cast<int32_t>(v);
    return zelisp::kOk;
}

int ToBool16(const QVariant& value, zelisp::Bool16& out) {
    qint64 v = 0;
    if (const int status = ToWide(value, v)) return status;
    out = zelisp::ToBool16(v != 0);
    return zelisp::kOk;
}

int ToColor(const QVariant& value, zelisp::OleColor& out) {
    qint64 v = 0;
    if (const int status = ToWide(value, v)) return status;
    if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<uint32_t>::max())
        return zelisp::kOverflow;
    out = static_cast<zelisp::OleColor>(static_cast<uint32_t>(v));
    return zelisp::kOk;
}

int ToBytes(const QVariant& value, QByteArray& out) {
    if (value.typeId() == QMetaType::QByteArray) {
        out = value.toByteArray();
        return zelisp::kOk;
    }
    if (value.typeId() != QMetaType::QVariantList) return zelisp::kTypeMismatch;
    QByteArray bytes;
    for (const QVariant& item : value.toList()) {
        qint64 v = 0;
        if (const int status = ToWide(item, v)) return status;
        if (v < 0 || v > 255) return zelisp::kOverflow;
        bytes.append(static_cast<char>(v));
    }
    out = bytes;
    return zelisp::kOk;
}

bool IsGet(zelisp::InvokeKind kind) {
    const int k = static_cast<int>(kind);
    return (k & (static_cast<int>(zelisp::InvokeKind::Method) |
                 static_cast<int>(zelisp::InvokeKind::PropertyGet))) != 0;
}

bool IsPut(zelisp::InvokeKind kind) {
    return (static_cast<int>(kind) & static_cast<int>(zelisp::InvokeKind::PropertyPut)) != 0;
}

int CheckCount(const QVariantList& args, int least, int most) {
    if (args.size() < least) return zelisp::kArgumentNotOptional;
    if (args.size() > most) return zelisp::kWrongArgumentCount;
    return zelisp::kOk;
}

}  // namespace zel::control::dispatch
