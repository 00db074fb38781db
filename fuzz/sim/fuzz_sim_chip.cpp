// The whole chip without I/O: random bytes at random rates and random moments must never
// crash it or make it write outside its flash and status bytes.
#include <QByteArray>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <vector>

#include "zeldb.h"
#include "zelsim/chipcore.h"

namespace {

std::vector<zelsim::ChipModel>& models() {
    static std::vector<zelsim::ChipModel> list;
    return list;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/zel.db";
    const QByteArray image = zel::EmbeddedDbImage();
    std::ofstream(path, std::ios::binary).write(image.constData(), image.size());
    for (const char* id : {"D19A", "F084", "E09A", "F29A", "FF9A", "E69A", "D31F"}) {
        auto m = zelsim::findChipModel(QString::fromStdString(path), id, nullptr);
        if (!m) std::abort();
        models().push_back(*m);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    static const double kRates[] = {1200, 115200, 57600, 9600, 2400, 19200, 38400, 0};
    zelsim::ChipConfig config;
    config.model = models()[data[0] % models().size()];
    config.status.reportedId = config.model.id;
    config.bootDelayMs = 0;
    config.eraseMs = data[1] & 3;
    config.rebootMs = (data[1] & 4) ? -1 : 5;
    config.faults.noise = data[1] & 8;
    config.faults.nakBlock[1] = 2;
    if (data[1] & 16) config.softStart = zelsim::SoftStart{{0x12, 0x34}, 9600, 'N', 8, 1};
    zelsim::ChipCore chip(config, {});
    int64_t now = 0;
    chip.powerUp(now);
    chip.tick(1200, now);
    // Byte pairs: a control byte (rate and time step) and a data byte.
    for (size_t i = 2; i + 1 < size; i += 2) {
        const double rate = kRates[data[i] & 7];
        now += data[i] >> 3;
        chip.receive(data[i + 1], rate, now, kRates[(data[i] >> 5) & 7]);
        chip.tick(rate, now);
        chip.takeTransmissions();
        chip.takeEvents();
    }
    chip.tick(115200, now + 5000);
    if (chip.flash().size() != static_cast<size_t>(config.model.flashSize)) std::abort();
    if (chip.statusPayload().size() != config.model.statusLength) std::abort();
    return 0;
}
