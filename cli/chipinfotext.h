// The chip information lines shown after identification ("MCU 型号：  …"), as text.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

namespace korvan::jobs {
struct ChipRecord;
}

namespace korvan::cli {

inline const QString kCoreHeading = QStringLiteral("MCU 内核");
inline const QString kOptionsHeading = QStringLiteral("MCU 选项");

struct ChipFacts {
    QString model;  // "" when unknown
    QString id;
    QString version;
    int64_t cpu = 0;
    int64_t flash = 0, memory = 0, eeprom = 0;
    QString sn;
    QStringList options;  // each option in words
};

// What the identification found.
ChipFacts FactsOf(const jobs::ChipRecord& chip);

// The lines under "MCU 内核" and "MCU 选项", headings included, in display order.
QStringList ChipInfoLines(const ChipFacts& chip);

}  // namespace korvan::cli
