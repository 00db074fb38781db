// The chip information lines shown after identification ("MCU 型号：  …"), as text.
#pragma once

#include "jobs/chiprecord.h"

#include <QString>
#include <QStringList>

namespace korvan::cli {

inline const QString kCoreHeading = QStringLiteral("MCU 内核");
inline const QString kOptionsHeading = QStringLiteral("MCU 选项");

// The lines under "MCU 内核" and "MCU 选项", headings included, in display order.
QStringList ChipInfoLines(const jobs::ChipRecord& chip);

}  // namespace korvan::cli
