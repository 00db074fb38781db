#include "core/increment.h"

namespace korvan {

IncrementData IncrementBytes(const UserSettings& settings, bool hexPreview, const QDateTime& now) {
    IncrementData result;
    result.Data = ParseDataText(settings.IncFormat, DataTextContext{settings.IncNext, now});
    result.Address = settings.IncAddress;
    result.Preview = BytesToText(result.Data, QStringLiteral(" "), 0, -1, hexPreview);
    result.CountLabel = QString::number(result.Data.size()) + QStringLiteral(" Bytes");
    return result;
}

qint64 NextSerialNumber(qint64 current) {
    if (current < 0 || current >= kMaxSerialNumber) return 1;
    return current + 1;
}

}  // namespace korvan
