#include "simchip.h"

#include "commsettings.h"

#include "core/datatext.h"
#include "zelsim/virtualchip.h"

#include <QDateTime>

namespace korvan::cli {

std::unique_ptr<zelsim::VirtualChip> StartSimChip(const SimRequest& request, QString& error) {
    zelsim::ChipOptions options;
    options.model = request.model.toStdString();
    options.dbPath = request.dbPath.toStdString();
    if (request.reset) {
        const auto settings = kserial::CommSettings::parse(request.reset->settings);
        zelsim::SoftStart soft;
        soft.bytes = ParseDataText(request.reset->command,
                                   DataTextContext{request.serial, QDateTime::currentDateTime()});
        if (settings) {
            soft.rate = settings->baud;
            soft.parity = settings->parity;
            soft.dataBits = settings->dataBits;
            soft.stopBits = settings->stopBits;
        }
        options.softStart = soft;
    }
    auto chip = std::make_unique<zelsim::VirtualChip>(std::move(options));
    std::string why;
    if (!chip->start(&why)) {
        error = QString::fromStdString(why);
        return nullptr;
    }
    return chip;
}

}  // namespace korvan::cli
