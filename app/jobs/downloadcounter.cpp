#include "core/inifile.h"
#include "jobs/jobsettings.h"

#include <cstdlib>

namespace korvan::jobs {

qint32 ConfigDownloadCounter::read() {
    const QString text = ReadIni(QStringLiteral("Config"), QStringLiteral("DownCount"),
                                 m_paths.configFile(), QStringLiteral("0"));
    return std::abs(text.toInt());
}

void ConfigDownloadCounter::write(qint32 value) {
    WriteIni(QStringLiteral("Config"), QStringLiteral("DownCount"), QString::number(value),
             m_paths.configFile());
}

}  // namespace korvan::jobs
