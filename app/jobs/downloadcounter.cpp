#include "core/inifile.h"
#include "core/valueforms.h"
#include "jobs/jobsettings.h"

#include <cstdlib>
#include <limits>

namespace korvan::jobs {

qint32 ConfigDownloadCounter::read() {
    const QString text = ReadIni(QStringLiteral("Config"), QStringLiteral("DownCount"),
                                 m_paths.configFile(), QStringLiteral("0"));
    // The absolute value, as the counter is kept; the most negative number has none in 32
    // bits and counts as the largest, and digits beyond the range stop there too.
    const qint32 value = ParseLeadingInt32(text);
    if (value == std::numeric_limits<qint32>::min()) return std::numeric_limits<qint32>::max();
    return std::abs(value);
}

void ConfigDownloadCounter::write(qint32 value) {
    WriteIni(QStringLiteral("Config"), QStringLiteral("DownCount"), QString::number(value),
             m_paths.configFile());
}

}  // namespace korvan::jobs
