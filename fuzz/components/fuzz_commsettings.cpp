// Settings texts come from Config.ini, .mcu files and the command line. A text that parses
// must print back to a text that parses to the same settings.
#include "commsettings.h"

#include <QString>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto parsed = kserial::CommSettings::parse(text);
    if (!parsed) return 0;
    const auto again = kserial::CommSettings::parse(parsed->toString());
    if (!again || again->toString() != parsed->toString()) std::abort();
    if (again->baud != parsed->baud || again->dataBits != parsed->dataBits ||
        again->stopBits != parsed->stopBits)
        std::abort();
    return 0;
}
