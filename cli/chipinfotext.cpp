#include "chipinfotext.h"

#include "optiontexts.h"
#include "text.h"

namespace korvan::cli {

namespace {

// Whole kilobytes, halves rounded up.
QString Kilobytes(int64_t bytes) {
    return QString::number((bytes * 2 + 1024) / 2048);
}

}  // namespace

QStringList ChipInfoLines(const jobs::ChipRecord& c) {
    QStringList lines;
    lines << kCoreHeading;
    if (c.model.isEmpty())
        lines << KORVAN_TR("korvan-cli", "MCU 型号：  未知型号 ") + c.id;
    else
        lines << KORVAN_TR("korvan-cli", "MCU 型号：  ") + c.model;
    lines << KORVAN_TR("korvan-cli", "MCU 版本：  ") + c.version;
    lines << KORVAN_TR("korvan-cli", "MCU 频率：  ") +
                 QString::number(static_cast<double>(c.cpu) / 1000000.0, 'f', 6) +
                 QStringLiteral(" MHz");
    if (c.model.isEmpty()) return lines;

    lines << KORVAN_TR("korvan-cli", "存储空间：  %1 B  (%2 KB)")
                 .arg(c.flash)
                 .arg(Kilobytes(c.flash));
    lines << KORVAN_TR("korvan-cli", "内存空间：  %1 Bytes").arg(c.memory);
    if (c.eeprom >= 1)
        lines << KORVAN_TR("korvan-cli", "EEPROM  ：  %1 B  (%2 KB)")
                     .arg(c.eeprom)
                     .arg(Kilobytes(c.eeprom));
    if (!c.sn.isEmpty()) lines << KORVAN_TR("korvan-cli", "序 列 号：  ") + c.sn;

    lines << kOptionsHeading;
    if (c.options.isEmpty())
        lines << KORVAN_TR("korvan-cli", "此型号不支持用户选项");
    else
        for (const QString& option : c.options) lines << zel::options::DbOptionLine(option);
    return lines;
}

}  // namespace korvan::cli
