// Whole downloads as each series' host runs them, and what they leave in the flash and the
// run report.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "testhost.h"

namespace simtest {
namespace {

constexpr unsigned kRate = 115200;
const Bytes kClock = {0x00, 0xA8, 0xC0, 0x00};  // 11059200, as the host sends it back

// An option write laid out by a template such as "%19,FF,F6,FF".
Bytes optionWrite(const std::string& layout, const std::map<int, uint8_t>& values) {
    Bytes p = {0x8D};
    std::istringstream in(layout);
    for (std::string item; std::getline(in, item, ',');) {
        if (item == "%H")
            p = cat({p, kClock});
        else if (item[0] == '%')
            p.push_back(values.at(std::stoi(item.substr(1))));
        else
            p.push_back(static_cast<uint8_t>(std::stoi(item, nullptr, 16)));
    }
    return p;
}

const char* kLaterLayout = "%23,%24,%25,FF,FF,FF,FF,FF,%27,FF,FF,FF,FF,FF,FF,FF,%H";
const char* kE0Layout =
    "%23,%24,%25,FF,FF,%H,%29,FF,%23,%24,FF,FF,FF,FF,%25,FF,FF,FF,FF,FF,FF,FF,%H,FF,FF,FF";
const char* kF2Layout =
    "%23,%24,%25,FF,FF,%H,FF,FF,%23,%24,FF,FF,FF,FF,%25,FF,FF,FF,FF,FF,FF,FF,%H,FF,FF,FF";

struct DownloadCase {
    const char* model;
    int width;
    Bytes baudParams;
    std::string steps;  // the series' download step list after identification
    Bytes enter, erase, readOptions, optionWrite;
    std::map<int, uint8_t> optionsAfter;
    const char* lastEnd;
};

Bytes shortErase(uint8_t lastLow) {
    return {0x84, lastLow, 0x33, 0x33, 0x33, 0x33, 0x33, 0x33};
}

const std::map<int, uint8_t> kLaterOptions = {{23, 0x7F}, {24, 0xBE}, {25, 0xF8}, {27, 0xFD}};
const std::map<int, uint8_t> kE0Options = {{23, 0x7F}, {24, 0xBE}, {25, 0xF8}, {29, 0xBF}};
const std::map<int, uint8_t> kF2Options = {{23, 0x7F}, {24, 0xBE}, {25, 0xF8}};

const DownloadCase kDownloads[] = {
    {"D19A",
     2,
     {0xC0, 0xFA, 0x3F, 0x0C},
     "3,1,2,4,5,7,6,8",
     enterProgramming(0x50, 0x07, 0xD19A),
     longErase(0x0200, 0x0400),
     {0x69, 0x07, 0x00, 0x36, 0x01, 0xD1, 0x9A},
     optionWrite(kLaterLayout, kLaterOptions),
     kLaterOptions,
     "82"},
    {"F084",
     1,
     {0xFF, 0xFD, 0x00, 0x06},
     "1,2,3,3,3,3,3,4,5,6,7,8,9",
     enterProgramming(0x80, 0x02, 0xF084),
     shortErase(0x2C),
     {0x50},
     optionWrite("%19,FF,F6,FF", {{19, 0xB3}}),
     {{19, 0xB3}},
     "52"},
    {"E09A",
     1,
     {0xC0, 0xFA, 0x3F, 0x0C},
     "1,2,3,3,3,3,3,4,5,6,7,8,9",
     enterProgramming(0x80, 0x04, 0xE09A),
     {0x84, 0xFF, 0x00, 0x02, 0x00, 0x00, 0x6F, 0xFF},
     {0x50},
     optionWrite(kE0Layout, kE0Options),
     kE0Options,
     "52"},
    {"F29A",
     1,
     {0xC0, 0xFA, 0x3F, 0x0C},
     "1,2,3,3,3,3,3,4,5,6,7,8,9",
     enterProgramming(0x80, 0x03, 0xF29A),
     {0x84, 0xFF, 0x00, 0x02, 0x00, 0x00, 0x04, 0x00},
     {0x50},
     optionWrite(kF2Layout, kF2Options),
     kF2Options,
     "52"},
    {"FF9A",
     1,
     {0xFF, 0xFD, 0x00, 0x06},
     "1,2,3,3,3,3,3,4,5,8",
     enterProgramming(0x80, 0x01, 0xFF9A),
     shortErase(0x2C),
     {0x50},
     {},
     {},
     "82"},
    {"E69A",
     2,
     {0xC0, 0xFA, 0x3F, 0x0C},
     "3,1,2,4,5,7,6,8",
     enterProgramming(0x50, 0x05, 0xE69A),
     longErase(0x0200, 0x0400),
     {0x69, 0x05, 0x00, 0x36, 0x01, 0xE6, 0x9A},
     optionWrite(kE0Layout, kE0Options),
     kE0Options,
     "82"},
};

Bytes programData() {
    Bytes data(300);
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 7 + 1);
    return data;
}

// Runs one download step by step; false at the first step the chip does not answer.
testing::AssertionResult runDownload(TestHost& host, const DownloadCase& c, const Bytes& data) {
    std::istringstream steps(c.steps);
    for (std::string step; std::getline(steps, step, ',');) {
        std::optional<Reply> reply;
        switch (step[0]) {
            case '1': {
                const Bytes p = cat({{0x8F}, c.baudParams, {0x28, 0x83}});
                reply = host.baudCommand(p, c.width, kRate);
                break;
            }
            case '2': {
                const Bytes p = cat({{0x8E}, c.baudParams, {0x28}});
                reply = host.baudCommand(p, c.width, kRate);
                break;
            }
            case '3':
                reply = host.command(c.enter, c.width);
                break;
            case '4':
                reply = host.command(c.erase, c.width);
                break;
            case '5':
                for (size_t at = 0; at < data.size(); at += 128) {
                    const Bytes chunk(data.begin() + static_cast<std::ptrdiff_t>(at),
                                      data.begin() + static_cast<std::ptrdiff_t>(
                                                         std::min(at + 128, data.size())));
                    reply = host.command(blockWrite(static_cast<uint32_t>(at), chunk), c.width);
                    if (!reply || (reply->payload[0] != 0x80 && reply->payload[0] != 0x00))
                        return testing::AssertionFailure() << "block at " << at;
                }
                break;
            case '6':
                reply = host.command(c.optionWrite, c.width);
                break;
            case '7':
                reply = host.command(c.readOptions, c.width);
                break;
            case '8':
                reply = host.command({0x82}, c.width);
                break;
            case '9':
                reply = host.command(
                    {0x52, static_cast<uint8_t>(std::string(c.model) == "F29A" ? 3 : 2), 0x00},
                    c.width);
                break;
        }
        if (!reply) return testing::AssertionFailure() << "no answer to step " << step;
    }
    return testing::AssertionSuccess();
}

class Download : public ::testing::TestWithParam<DownloadCase> {};

TEST_P(Download, FlashesTheDataAndReportsTheRun) {
    const DownloadCase& c = GetParam();
    QTemporaryDir dir;
    zelsim::ChipOptions o = fastChip(c.model);
    o.imageOut = dir.filePath("image.bin").toStdString();
    o.reportPath = dir.filePath("report.json").toStdString();
    zelsim::VirtualChip chip(o);
    ASSERT_TRUE(chip.start());
    TestHost host(chip.slavePath(), &chip);
    ASSERT_TRUE(host.sync(c.width));
    const Bytes data = programData();
    ASSERT_TRUE(runDownload(host, c, data));
    ASSERT_TRUE(chip.waitForProgramRuns(1, kPatience));

    Bytes image = chip.image();
    ASSERT_EQ(image.size(), 1024u);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), image.begin()));
    EXPECT_TRUE(std::all_of(image.begin() + 300, image.end(), [](uint8_t b) { return b == 0xFF; }));
    for (const auto& [index, value] : c.optionsAfter) {
        EXPECT_EQ(chip.statusPayload()[static_cast<size_t>(index)], value) << index;
    }

    // The files written at the program run.
    std::ifstream file(o.imageOut, std::ios::binary);
    const Bytes written((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(written, image);
    QFile reportFile(QString::fromStdString(o.reportPath));
    ASSERT_TRUE(reportFile.open(QIODevice::ReadOnly));
    const QJsonObject r = QJsonDocument::fromJson(reportFile.readAll()).object();
    EXPECT_EQ(r["id"].toString().toStdString(), c.model);
    EXPECT_EQ(r["frequency"].toInteger(), 11059200);
    EXPECT_EQ(r["baud"].toInteger(), kRate);
    EXPECT_EQ(r["erases"].toInteger(), 1);
    EXPECT_EQ(r["blocks"].toInteger(), 3);
    EXPECT_EQ(r["retries"].toInteger(), 0);
    EXPECT_EQ(r["lastEndCommand"].toString().toStdString(), c.lastEnd);
    EXPECT_EQ(r["runs"].toInteger(), 1);
    const QByteArray raw(reinterpret_cast<const char*>(written.data()),
                         static_cast<qsizetype>(written.size()));
    EXPECT_EQ(r["imageSha256"].toString(),
              QString(QCryptographicHash::hash(raw, QCryptographicHash::Sha256).toHex()));
    const QJsonObject options = r["options"].toObject();
    EXPECT_EQ(static_cast<size_t>(options.size()), chip.model().optionBytes.size());
    for (const auto& [index, value] : c.optionsAfter) {
        EXPECT_EQ(options[QString::number(index)].toString().toUInt(nullptr, 16), value);
    }
    // Templates with the clock carry the host's measurement back to the chip.
    if (c.optionWrite.size() > 5) {
        EXPECT_EQ(r["hostFrequency"].toInteger(), 11059200);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryBootloader, Download, ::testing::ValuesIn(kDownloads),
                         [](const auto& info) { return std::string(info.param.model); });

// A D1 chip already in a programming session, for the flash tests.
struct Programming {
    explicit Programming(zelsim::ChipOptions o) : chip(o) {
        started = chip.start();
        host = std::make_unique<TestHost>(chip.slavePath());
        started =
            started && host->sync(2) && host->command(enterProgramming(0x50, 0x07, 0xD19A), 2);
    }
    std::optional<Reply> write(uint32_t address, uint8_t fill) {
        return host->command(blockWrite(address, Bytes(128, fill)), 2);
    }
    zelsim::VirtualChip chip;
    bool started = false;
    std::unique_ptr<TestHost> host;
};

TEST(Flash, WritingOverUnerasedBytesShows) {
    QTemporaryDir dir;
    const std::string initial = dir.filePath("initial.bin").toStdString();
    std::ofstream(initial, std::ios::binary) << std::string(1024, '\x0F');
    zelsim::ChipOptions o = fastChip("D19A");
    o.imageIn = initial;
    Programming p(o);
    ASSERT_TRUE(p.started);
    ASSERT_TRUE(p.host->command(longErase(0x0200, 0x0400), 2));  // erases 0 .. 511 only
    ASSERT_TRUE(p.write(0x000, 0x3C));
    ASSERT_TRUE(p.write(0x200, 0x3C));
    const Bytes image = p.chip.image();
    EXPECT_EQ(image[0x000], 0x3C) << "erased, then written";
    EXPECT_EQ(image[0x100], 0xFF) << "erased, not written";
    EXPECT_EQ(image[0x200], 0x0C) << "not erased: old AND new";
    EXPECT_EQ(image[0x300], 0x0F) << "untouched";
}

TEST(Flash, WritesBeforeAnEraseOrBeyondTheFlashAreRefused) {
    Programming p(fastChip("D19A"));
    ASSERT_TRUE(p.started);
    auto reply = p.write(0, 0x00);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->payload, Bytes{0x83});
    ASSERT_TRUE(p.host->command(longErase(0x0400, 0x0400), 2));
    reply = p.write(0x400, 0x00);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->payload, Bytes{0x83});
    reply = p.write(0x380, 0x00);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->payload, Bytes{0x00});
    EXPECT_EQ(p.chip.snapshot().counters.refusedWrites, 2u);
}

TEST(Flash, EraseNeedsProgrammingModeAndProgrammingNeedsTheChipsId) {
    zelsim::VirtualChip chip(fastChip("D19A"));
    ASSERT_TRUE(chip.start());
    TestHost host(chip.slavePath());
    ASSERT_TRUE(host.sync(2));
    host.sendPacket(longErase(0x0400, 0x0400), 2);
    host.sendPacket(enterProgramming(0x50, 0x07, 0xD19B), 2);
    host.sendPacket(enterProgramming(0x50, 0x08, 0xD19A), 2);  // another series' mode byte
    ASSERT_TRUE(
        chip.waitUntil([](const auto& s) { return s.counters.ignoredCommands == 3; }, kPatience));
    EXPECT_EQ(chip.snapshot().counters.erases, 0u);
    EXPECT_TRUE(host.command(enterProgramming(0x50, 0x07, 0xD19A), 2));
    EXPECT_TRUE(host.command(longErase(0x0400, 0x0400), 2));
}

TEST(Flash, EraseLayoutsOfOtherSeriesAreIgnored) {
    Programming p(fastChip("D19A"));
    ASSERT_TRUE(p.started);
    p.host->sendPacket(shortErase(0x2C), 2);
    p.host->sendPacket({0x84, 0xFF, 0x00, 0x02, 0x00, 0x00, 0x04, 0x00}, 2);
    Bytes wrongFlashSize = longErase(0x0200, 0x0800);
    p.host->sendPacket(wrongFlashSize, 2);
    ASSERT_TRUE(
        p.chip.waitUntil([](const auto& s) { return s.counters.ignoredCommands == 3; }, kPatience));
    EXPECT_EQ(p.chip.snapshot().counters.erases, 0u);
}

TEST(Sessions, RepeatedDownloadsEachGetAPowerCycle) {
    zelsim::ChipOptions o = fastChip("F084");
    o.rebootMs = 30;
    zelsim::VirtualChip chip(o);
    ASSERT_TRUE(chip.start());
    const DownloadCase& c = kDownloads[1];
    for (int run = 1; run <= 2; ++run) {
        TestHost host(chip.slavePath(), &chip);
        ASSERT_TRUE(host.sync(1)) << run;
        ASSERT_TRUE(runDownload(host, c, programData())) << run;
        ASSERT_TRUE(chip.waitForProgramRuns(static_cast<uint64_t>(run), kPatience));
    }
    EXPECT_EQ(chip.snapshot().counters.boots, 2u);
}

TEST(Sessions, SyncAfterAQuietSpellStartsANewSession) {
    zelsim::VirtualChip chip(fastChip("D19A"));
    ASSERT_TRUE(chip.start());
    TestHost host(chip.slavePath());
    ASSERT_TRUE(host.sync(2));
    // A check job ends after identification; the next job syncs again.
    std::this_thread::sleep_for(600ms);
    ASSERT_TRUE(host.sync(2, kPatience));
    EXPECT_EQ(chip.snapshot().counters.boots, 2u);
}

TEST(Sessions, WithoutTheSecondEndCommandTheProgramStillRuns) {
    zelsim::VirtualChip chip(fastChip("F084"));
    ASSERT_TRUE(chip.start());
    TestHost host(chip.slavePath());
    ASSERT_TRUE(host.sync(1));
    ASSERT_TRUE(host.command({0x82}, 1));
    EXPECT_EQ(chip.snapshot().counters.programRuns, 0u) << "waits for the second end command";
    ASSERT_TRUE(chip.waitForProgramRuns(1, kPatience));
    EXPECT_EQ(chip.snapshot().session.lastEndCommand, 0x82);
}

TEST(Sessions, OnceStopsAfterTheProgramRun) {
    zelsim::ChipOptions o = fastChip("FF9A");
    o.once = true;
    zelsim::VirtualChip chip(o);
    ASSERT_TRUE(chip.start());
    TestHost host(chip.slavePath());
    ASSERT_TRUE(host.sync(1));
    ASSERT_TRUE(host.command({0x82}, 1));
    EXPECT_TRUE(chip.waitForFinish(kPatience));
}

}  // namespace
}  // namespace simtest
