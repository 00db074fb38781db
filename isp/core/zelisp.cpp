#include "zelisp.h"

#include "zeldb.h"

#include <QStringList>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace zel {

namespace {

// The chip marks the start of its reply with 0x68 0x00 and ends it with 0x16; the third byte
// counts the reply from the 0x68 through the end byte.
constexpr uint8_t kReplyStart = 0x68;
constexpr uint8_t kReplyEnd = 0x16;
// The length is one byte, so a reply never reaches past this index.
constexpr size_t kLongestReply = 256;
// Only when this much unmatched noise has piled up is it cut back to kNoiseKeep bytes.
constexpr size_t kNoiseLimit = 2 * cZelIsp::kNoiseKeep;

// Shortest status payload that carries a model ID.
constexpr int64_t kStatusUpperBound = 20;

// The rates tried by StartUp, fastest first, and the limit used when the host set none. A host
// that allows more than the classic top rate opts into the faster list; every other host gets
// exactly the classic walk.
constexpr std::array<int64_t, 7> kRates{115200, 57600, 38400, 19200, 9600, 4800, 1200};
constexpr std::array<int64_t, 10> kFastRates{921600, 460800, 230400, 115200, 57600,
                                             38400,  19200,  9600,   4800,   1200};
constexpr int64_t kDefaultBaudLimit = 115200;
// A rate within this many parts per thousand is not usable (2.9 % is the most tolerated).
constexpr int64_t kErrorBound = 30;

// Every rounding of the clock and baud arithmetic goes half to even.
int64_t roundEven(double value) {
    return static_cast<int64_t>(std::nearbyint(value));
}

// Round-half-to-even of numerator / denominator (denominator > 0) in exact integer arithmetic.
int64_t roundEvenDiv(int64_t numerator, int64_t denominator) {
    int64_t quotient = numerator / denominator;
    int64_t remainder = numerator % denominator;
    if (remainder < 0) {
        quotient -= 1;
        remainder += denominator;
    }
    if (2 * remainder > denominator || (2 * remainder == denominator && (quotient & 1) != 0))
        quotient += 1;
    return quotient;
}

QString hex2(uint8_t byte) {
    return QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
}

int64_t errorPerMille(int64_t actual, int64_t rate) {
    return roundEven(static_cast<double>(std::llabs(actual - rate)) * 1000.0 /
                     static_cast<double>(rate));
}

QString calcBaud16(double f, int64_t rate) {
    const int64_t reload = roundEven(65536.0 - f / static_cast<double>(rate) / 32.0);
    if (reload <= 0 || reload >= 65536) return {};
    const int64_t actual = roundEven(f / static_cast<double>(65536 - reload) / 32.0);
    if (errorPerMille(actual, rate) >= kErrorBound) return {};
    const int64_t prescale =
        std::min<int64_t>(254, roundEven(f / 16.0 / static_cast<double>(rate)));
    return HexBytes(reload, 2) + QLatin1Char(',') + HexBytes(255 - reload / 256, 1) +
           QLatin1Char(',') + HexBytes(prescale, 1);
}

QString calcBaud8(double f, int64_t rate) {
    struct Divisor {
        int divisor;
        int mode;
    };
    static constexpr std::array<Divisor, 3> kDivisors{{{12, 0xC0}, {6, 0x40}, {1, 0x80}}};
    int64_t best = kErrorBound;
    QString params;
    for (const auto& [divisor, mode] : kDivisors) {
        const double scaled = f * divisor;
        const int64_t reload = roundEven(256.0 - scaled / static_cast<double>(rate) / 192.0);
        if (reload <= 0 || reload >= 256) continue;
        const int64_t actual = roundEven(scaled / static_cast<double>(256 - reload) / 192.0);
        const int64_t error = errorPerMille(actual, rate);
        if (error >= best) continue;
        best = error;
        const int64_t prescale =
            std::min<int64_t>(254, roundEven(scaled / 96.0 / static_cast<double>(rate)));
        params = HexBytes(mode, 1) + QLatin1Char(',') + HexBytes(reload, 1) + QLatin1Char(',') +
                 HexBytes(0xFF - mode, 1) + QLatin1Char(',') + HexBytes(prescale, 1);
    }
    return params;
}

// The clock-range byte of the baud test, from the whole megahertz of the clock.
uint8_t clockRangeByte(int64_t cpu) {
    const int64_t mhz = cpu / 1000000;
    if (mhz <= 1) return 0x87;
    if (mhz <= 2) return 0x86;
    if (mhz <= 3) return 0x85;
    if (mhz <= 6) return 0x84;
    if (mhz <= 12) return 0x83;
    if (mhz <= 20) return 0x82;
    if (mhz <= 24) return 0x81;
    return 0x80;
}

// The status byte an option item like "%23" names. Its number is read like a decimal prefix
// ("%x" names byte 0). A byte the reply did not carry is sent as FF, the value of an
// unprogrammed option byte, rather than reading past the reply.
QString optionItem(const QString& item, const Bytes& status) {
    size_t index = 0;
    for (qsizetype i = 1;
         i < item.size() && item[i] >= u'0' && item[i] <= u'9' && index < status.size(); ++i)
        index = index * 10 + static_cast<size_t>(item[i].unicode() - u'0');
    return index < status.size() ? hex2(status[index]) : QStringLiteral("FF");
}

// ",00,36,01,<model ID as two bytes>": the tail of the enter-programming and option-read
// payloads.
QString modelTail(const ZelContext& context) {
    return QStringLiteral(",00,36,01,") + HexBytes(context.Chip.ModelId, 2);
}

}  // namespace

void ApplyModelRecord(ChipRecord& chip, const QString& record, const QStringList& typeList) {
    const ModelRecord rec = DecodeModelRecord(record, typeList);
    if (rec.SeriesIndex >= 0) chip.SeriesIndex = rec.SeriesIndex;
    chip.Model = rec.Model;
    chip.Flash = rec.Flash;
    chip.Memory = rec.Memory;
    chip.Eeprom = rec.Eeprom;
}

cZelIsp::cZelIsp(ZelContext& context) : m_context(context) {}

void cZelIsp::Init() {
    m_rxFound = false;
    m_rxBuffer.clear();
    m_scanFrom = 0;
}

QString cZelIsp::RxdData(const Bytes& bytes) {
    AppendBytes(m_rxBuffer, bytes);
    if (m_rxBuffer.size() < 6) return {};
    if (!m_rxFound) {
        // The search resumes where the last one stopped: the last byte held may be the 0x68 of
        // a pair split between two reads.
        for (size_t i = m_scanFrom; i + 1 < m_rxBuffer.size(); ++i) {
            if (m_rxBuffer[i] == kReplyStart && m_rxBuffer[i + 1] == 0x00) {
                m_rxBuffer.erase(m_rxBuffer.begin(),
                                 m_rxBuffer.begin() + static_cast<ptrdiff_t>(i));
                m_rxFound = true;
                break;
            }
        }
        if (!m_rxFound) {
            m_scanFrom = m_rxBuffer.size() - 1;
            if (m_rxBuffer.size() > kNoiseLimit) {
                const size_t drop = m_rxBuffer.size() - kNoiseKeep;
                m_rxBuffer.erase(m_rxBuffer.begin(),
                                 m_rxBuffer.begin() + static_cast<ptrdiff_t>(drop));
                m_scanFrom -= drop;
            }
            return {};
        }
    }
    // Bytes past the longest possible reply can never complete it.
    if (m_rxBuffer.size() > kLongestReply) m_rxBuffer.resize(kLongestReply);
    if (m_rxBuffer.size() < 3) return {};
    const size_t endIndex = static_cast<size_t>(m_rxBuffer[2]) - 1;  // wraps for L = 0
    if (m_rxBuffer[2] == 0 || endIndex >= m_rxBuffer.size() || m_rxBuffer[endIndex] != kReplyEnd)
        return {};
    if (endIndex < 5) return {};
    return JoinHex(m_rxBuffer, 3, static_cast<int64_t>(endIndex) - 2);
}

void cZelIsp::StartUp(const QString& rev) {
    Bytes status;
    ParseHex(rev, status);
    if (ArrayBound(status) < kStatusUpperBound) return;
    ZelContext& c = m_context;
    c.Chip.StatusBytes = std::move(status);
    const Bytes& s = c.Chip.StatusBytes;

    const size_t idAt = ArrayBound(s) == kStatusUpperBound ? 19 : 20;
    c.Chip.SeriesByte = s[idAt];
    c.Chip.ModelId = hex2(s[idAt]) + hex2(s[idAt + 1]);

    c.Chip.Model.clear();
    c.Chip.Sn.clear();
    c.Chip.Baud = c.Params.MaxBaud;  // until a rate is chosen below
    const QString record = LookupModelRecord(*c.Db, c.Chip.ModelId);
    if (!record.isEmpty()) ApplyModelRecord(c.Chip, record, LoadTypeList(*c.Db));

    c.Chip.Cpu = measureClock(s);
    c.Chip.Version = versionText(s);

    if (c.Chip.Model.isEmpty()) return;

    const auto serial = [&s](size_t first) {
        if (s.size() < first + 7) return QString();
        return JoinHex(s, static_cast<int64_t>(first), static_cast<int64_t>(first) + 6,
                       QStringLiteral("-"));
    };
    if (c.Chip.SeriesByte == 0xD1) c.Chip.Sn = serial(31);
    if (c.Chip.SeriesByte == 0xD3) c.Chip.Sn = serial(33);

    chooseBaud();
}

int64_t cZelIsp::baudLimit() const {
    return m_context.Params.MaxBaud < 1200 ? kDefaultBaudLimit : m_context.Params.MaxBaud;
}

bool cZelIsp::fastRatesAllowed() const {
    return baudLimit() > kDefaultBaudLimit;
}

std::span<const int64_t> cZelIsp::rateList() const {
    if (fastRatesAllowed()) return kFastRates;
    return kRates;
}

int64_t cZelIsp::fastestListedRate() const {
    const int64_t limit = baudLimit();
    for (int64_t rate : rateList())
        if (rate <= limit) return rate;
    return limit;
}

void cZelIsp::chooseBaud() {
    const int64_t limit = baudLimit();
    for (int64_t rate : rateList()) {
        if (rate > limit) continue;
        QString params = CalcBaud(rate);
        if (!params.isEmpty()) {
            m_context.Chip.Baud = rate;
            m_baudParams = params;
            return;
        }
    }
    m_context.Chip.Baud = limit;
}

bool cZelIsp::stepDownBaud() {
    if (!fastRatesAllowed()) return false;
    for (int64_t rate : rateList()) {
        if (rate >= m_context.Chip.Baud) continue;
        if (rate < kDefaultBaudLimit) return false;
        QString params = CalcBaud(rate);
        if (params.isEmpty()) continue;
        m_context.Chip.Baud = rate;
        m_baudParams = params;
        return true;
    }
    return false;
}

int64_t cZelIsp::measureClock(const Bytes& status) {
    if (status.size() < 17) return 0;
    int64_t high = 0, low = 0;
    for (size_t i = 1; i <= 15; i += 2) high += status[i];
    for (size_t i = 2; i <= 16; i += 2) low += status[i];
    return 2061 * (32 * high + roundEvenDiv(low, 8) + 6) + (low - 2 * roundEvenDiv(low, 2));
}

QString cZelIsp::versionText(const Bytes& status) {
    if (status.size() < 19) return {};
    return QStringLiteral("%1.%2 ").arg(status[17] >> 4).arg(status[17] & 0x0F) +
           QChar(static_cast<char16_t>(status[18]));
}

QString cZelIsp::REST() const {
    return QStringLiteral("7F");
}

QString cZelIsp::BAUDT() const {
    return MakePacket(QStringLiteral("8F,") + m_baudParams + QStringLiteral(",28,") +
                          hex2(clockRangeByte(m_context.Chip.Cpu)),
                      m_context);
}

QString cZelIsp::BAUDR() const {
    return MakePacket(QStringLiteral("8E,") + m_baudParams + QStringLiteral(",28"), m_context);
}

QString cZelIsp::ISP() const {
    const SeriesFacts& facts = seriesFacts(m_context.Chip.SeriesByte);
    return MakePacket(QLatin1String(facts.ispPrefix) + modelTail(m_context), m_context);
}

QString cZelIsp::Erase_Flash(int64_t& flash) const {
    const ZelContext& c = m_context;
    int64_t last = c.Segments.empty() ? 0 : c.Segments.back().EndAddr + 1;
    last = std::clamp<int64_t>(last, 0, std::max<int64_t>(c.Chip.Flash, 0));
    const int64_t pages = last / 512 + (last % 512 != 0 ? 1 : 0);
    const int64_t size = pages * 512;
    flash = c.Chip.Flash;

    const QString head = QStringLiteral("84,FF,00,") + HexBytes(size, 2) + QStringLiteral(",00,");
    QString payload;
    switch (seriesFacts(c.Chip.SeriesByte).eraseForm) {
        case EraseForm::Sized:
            payload = head + HexBytes(c.Chip.Flash, 2);
            break;
        case EraseForm::Fixed:
            payload = head + QStringLiteral("6F,FF");
            flash = 0x7000;
            break;
        case EraseForm::Short:
            payload =
                QStringLiteral("84,") + HexBytes(last, 1) + QStringLiteral(",33,33,33,33,33,33");
            break;
        case EraseForm::Long:
            payload = head + HexBytes(c.Chip.Flash, 2) +
                      QStringLiteral(",00,00,00,00,00,00,00,00,00,00,00,");
            // Every filler byte is followed by ",": the empty item at the end goes out as a
            // second 0x0E, and the length and checksum count it.
            for (int filler = 0x80; filler >= 0x0E; --filler)
                payload += hex2(uint8_t(filler)) + QLatin1Char(',');
            break;
    }
    return MakePacket(payload, c);
}

QString cZelIsp::GetOption() const {
    const ZelContext& c = m_context;
    QString format = LoadOptionFormat(*c.Db, c.Chip.ModelId, c.Chip.SeriesByte);
    format.replace(QStringLiteral("%H"), HexBytes(c.Chip.Cpu, 4));
    QStringList items = format.split(QLatin1Char(','));
    for (QString& item : items)
        if (item.startsWith(QLatin1Char('%'))) item = optionItem(item, c.Chip.StatusBytes);
    return MakePacket(QStringLiteral("8D,") + items.join(QLatin1Char(',')), c);
}

QString cZelIsp::READOPTION() const {
    const SeriesFacts& facts = seriesFacts(m_context.Chip.SeriesByte);
    QString payload = QLatin1String(facts.readOptionHead);
    if (facts.readOptionTail) payload += modelTail(m_context);
    return MakePacket(payload, m_context);
}

QString cZelIsp::END1() const {
    return MakePacket(QStringLiteral("82"), m_context);
}

QString cZelIsp::END2() const {
    return MakePacket(QStringLiteral("52,") +
                          hex2(seriesFacts(m_context.Chip.SeriesByte).end2Mode) +
                          QStringLiteral(",00"),
                      m_context);
}

QString cZelIsp::CalcBaud(int64_t rate) const {
    return CalcBaud(m_context.Chip.Cpu, rate, zel::baudMethod(m_context.Chip.SeriesByte));
}

QString cZelIsp::CalcBaud(int64_t cpu, int64_t rate, BaudMethod method) {
    if (rate <= 0 || cpu <= 0) return {};
    const double f = static_cast<double>(cpu);
    return method == BaudMethod::Timer16 ? calcBaud16(f, rate) : calcBaud8(f, rate);
}

int cZelIsp::checksumWidth() const {
    return zel::checksumWidth(m_context.Chip.SeriesByte);
}

bool cZelIsp::evenParity() const {
    return usesEvenParity(m_context.Chip.SeriesByte);
}

BaudMethod cZelIsp::baudMethod() const {
    return zel::baudMethod(m_context.Chip.SeriesByte);
}

QString cZelIsp::portSettings(int64_t rate) const {
    return zel::portSettings(rate, m_context.Chip.SeriesByte);
}

}  // namespace zel
