// The chip identified last, as the control's McuInfo record shows it. The job layer reads it
// from the driver; the chip tree and korvan-cli's information lines are drawn from it.
#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace korvan::jobs {

struct ChipRecord {
    QString model;  // "" when unknown
    QString id;     // the model ID, four hex digits; "" before any chip answered
    QString version;
    qint64 cpu = 0;  // measured clock, Hz
    qint64 flash = 0, memory = 0, eeprom = 0;
    qint64 baud = 0;
    QString sn;
    int index = 0;        // series index
    QStringList options;  // each option in words
};

}  // namespace korvan::jobs
