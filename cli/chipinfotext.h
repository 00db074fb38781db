// The chip information lines shown after identification ("MCU 型号：  …"), as text.
#pragma once

#include "jobs/chiprecord.h"
#include "text.h"

#include <QString>
#include <QStringList>

namespace korvan::cli {

inline constexpr korvan::i18n::Text kCoreHeading = KORVAN_TEXT("korvan-cli", "MCU 内核");
inline constexpr korvan::i18n::Text kOptionsHeading = KORVAN_TEXT("korvan-cli", "MCU 选项");

// The lines under "MCU 内核" and "MCU 选项", headings included, in display order.
QStringList ChipInfoLines(const jobs::ChipRecord& chip);

}  // namespace korvan::cli
