#include "harness.h"

#include "zeldb.h"

#include <QFile>

namespace zel::test {

QString TestDatabaseText() {
    return QStringLiteral(
        "[ZEL]\n"
        "version=101\n"
        "[TYPE]\n"
        "type=0,1,2,4,5,6,7,8\n"
        "0=S0:0,10,11,4,13,20\n"
        "1=S1:1,10\n"
        "2=S2:1,10\n"
        "4=S4:1,10\n"
        "5=S5:1,10\n"
        "6=S6:1,10\n"
        "7=S7:1,10\n"
        "8=S8:1,10,11\n"
        "[ID]\n"
        "F005=0ZELF05N40400\n"
        "F00A=0ZELF0AOP40400\n"
        "FF01=0ZELFF01A40400\n"
        "D103=8ZELH64AD00500\n"
        "[DPROC]\n"
        "D1=0,3,1,2,4,5,7,6,8\n"
        "F0=0,1,2,3,3,3,3,3,4,5,6,7,8,9\n"
        "FF=0,1,2,3,3,3,3,3,4,5,8\n"
        "[CPROC]\n"
        "D1=0\n"
        "F0=0,3,3,3,3,3,8,9\n"
        "FF=0,3,3,3,3,3,8\n"
        "[SPROC]\n"
        "F00A=0,1,2,3,6,8,9\n"
        "[OPTION]\n"
        "F005=0\n"
        "F0=0-19-0,10-19-2\n"
        "FF=0\n"
        "D1=1-24-1,10-27-0,11-27-1\n"
        "[FORMAT]\n"
        "F0=%19,FF,F6,FF\n"
        "D1=%23,%24,%25,FF,FF,FF,FF,FF,%27,FF,FF,FF,FF,FF,FF,FF,%H\n");
}

ChipConfig PlainF0Chip() {
    ChipConfig c;
    c.idHigh = kSeriesF0;
    c.idLow = kPlainF0;
    c.switchRate = 115200;
    return c;
}

ChipConfig OptionF0Chip() {
    ChipConfig c = PlainF0Chip();
    c.idLow = kOptionF0;
    c.longStatus = true;  // option byte at 19, model ID at 20-21
    c.statusOverrides = {{19, 0x5A}};
    return c;
}

ChipConfig FfChip() {
    ChipConfig c = PlainF0Chip();
    c.idHigh = 0xFF;
    c.idLow = 0x01;
    return c;
}

ChipConfig D1Chip() {
    ChipConfig c;
    c.idHigh = 0xD1;
    c.idLow = 0x03;
    c.checksumWidth = 2;
    c.evenParity = true;
    c.longStatus = true;
    c.switchRate = 115200;
    c.statusOverrides = {{23, 0x11}, {24, 0x22}, {25, 0x33}, {27, 0x44}, {31, 0x01}, {32, 0x02},
                         {33, 0x03}, {34, 0x04}, {35, 0x05}, {36, 0x06}, {37, 0x07}};
    return c;
}

Harness::Harness(ChipConfig chipConfig, const QString& databaseText)
    : database(databaseText.isEmpty() ? MemoryChipDatabase()
                                      : MemoryChipDatabase::fromText(databaseText)),
      chip(std::move(chipConfig)),
      link(clock, chip),
      engine(ctx, database, link, clock, events) {
    clock.setTimerSink([this](EngineTimer timer) { engine.TimerFired(timer); });
    link.setReceiver([this](const Bytes& bytes) { engine.BytesReceived(bytes); });
    events.setProbes([this] { return engine.success(); }, [this] { return clock.now(); });
    engine.setTrace([this](const TraceRecord& record) {
        if (record.kind != TraceKind::StartFlag) trace.push_back(record);
    });
}

bool Harness::runUntilIdle(int64_t limit) {
    return clock.runUntil([this] { return !engine.Buzy(); }, limit);
}

void Harness::supplyOnErase(Bytes data, std::vector<std::pair<Bytes, int64_t>> appended) {
    events.onViewInfo(102, [this, data = std::move(data), appended = std::move(appended)] {
        engine.SetData(data);
        for (const auto& [bytes, address] : appended) engine.AppendData(bytes, address);
    });
}

bool Harness::download(const Bytes& data) {
    supplyOnErase(data);
    if (engine.Start(2) != CallStatus::Ok) return false;
    return runUntilIdle();
}

Bytes Pattern(size_t size, uint8_t seed) {
    Bytes bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(seed + i * 7 + (i >> 8));
    return bytes;
}

}  // namespace zel::test
