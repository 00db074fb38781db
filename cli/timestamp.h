// The time of day as log lines show it.
#pragma once

#include <QString>
#include <QTime>

namespace korvan::cli {

// "hh:mm:ss" of the local clock now.
inline QString ClockStamp() {
    return QTime::currentTime().toString(QStringLiteral("hh:mm:ss"));
}

}  // namespace korvan::cli
