#include "autoport.h"

#include "clitexts.h"
#include "jobs/portnumbering.h"

namespace korvan::cli {

AutoPortChoice ChooseAutoPort(const QList<kserial::NumberedPort>& ports) {
    const QList<kserial::NumberedPort> usb = jobs::PresentUsbPorts(ports);
    if (usb.size() == 1)
        return {usb.first().number, text::kAutoPortChosen + jobs::PortCaption(usb.first())};
    QStringList lines{usb.isEmpty() ? text::kAutoPortNone : text::kAutoPortSeveral};
    const QList<kserial::NumberedPort>& shown = usb.isEmpty() ? ports : usb;
    for (const kserial::NumberedPort& port : shown)
        if (port.present) lines << QStringLiteral("  ") + jobs::PortCaption(port);
    if (usb.isEmpty() && lines.size() == 1) lines << text::kAutoPortNoneAtAll;
    return {std::nullopt, lines.join(u'\n')};
}

}  // namespace korvan::cli
