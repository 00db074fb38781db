// The [Ports] section comes from a Config.ini the user (or another program) wrote: any bytes
// must give a map or nothing, and every mapped port must be a usable number with a path.
#include "serialports.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    const QString path = dir.filePath("Config.ini");
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    const auto ports = kserial::readPortsSection(path);
    if (!ports) return 0;
    for (auto it = ports->cbegin(); it != ports->cend(); ++it) {
        if (it.key() <= 0 || it.value().isEmpty()) std::abort();
        if (kserial::deviceForPort(it.key(), *ports, {}) != it.value()) std::abort();
    }
    return 0;
}
