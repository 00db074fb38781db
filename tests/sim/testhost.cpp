#include "testhost.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <fstream>
#include <thread>

#include "zeldb.h"

namespace simtest {
namespace {

speed_t speedFor(unsigned rate) {
    switch (rate) {
        case 1200:
            return B1200;
        case 2400:
            return B2400;
        case 4800:
            return B4800;
        case 9600:
            return B9600;
        case 19200:
            return B19200;
        case 38400:
            return B38400;
        case 57600:
            return B57600;
        case 115200:
            return B115200;
        case 230400:
            return B230400;
        case 460800:
            return B460800;
        case 921600:
            return B921600;
        default:
            return B0;
    }
}

int64_t roundHalfEven(double x) {
    return static_cast<int64_t>(std::nearbyint(x));  // default rounding mode: to nearest even
}

}  // namespace

Bytes cat(std::initializer_list<Bytes> parts) {
    size_t total = 0;
    for (const Bytes& part : parts) total += part.size();
    Bytes out(total);
    auto at = out.begin();
    for (const Bytes& part : parts) at = std::copy(part.begin(), part.end(), at);
    return out;
}

Bytes hostPacket(const Bytes& payload, int width) {
    Bytes p =
        cat({{0x46, 0xB9, 0x6A, 0x00, static_cast<uint8_t>(payload.size() + 4 + width)}, payload});
    unsigned sum = 0;
    for (size_t i = 2; i < p.size(); ++i) sum += p[i];
    if (width == 2) p.push_back(static_cast<uint8_t>(sum >> 8));
    p.push_back(static_cast<uint8_t>(sum));
    p.push_back(0x16);
    return p;
}

int64_t hostClockFromStatus(const Bytes& s) {
    int64_t a = 0, b = 0;
    for (int i = 1; i <= 15; i += 2) a += s[static_cast<size_t>(i)];
    for (int i = 2; i <= 16; i += 2) b += s[static_cast<size_t>(i)];
    return 2061 * (32 * a + roundHalfEven(b / 8.0) + 6) + (b - 2 * roundHalfEven(b / 2.0));
}

TestHost::TestHost(const std::string& path, const zelsim::VirtualChip* chip) : m_chip(chip) {
    m_fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd >= 0) setRate(1200);
}

TestHost::~TestHost() {
    close();
}

void TestHost::close() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
}

void TestHost::setRate(unsigned rate) {
    termios tio{};
    tcgetattr(m_fd, &tio);
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    cfsetispeed(&tio, speedFor(rate));
    cfsetospeed(&tio, speedFor(rate));
    tcsetattr(m_fd, TCSANOW, &tio);
}

void TestHost::moveTo(unsigned rate) {
    setRate(rate);
    ASSERT_NE(m_chip, nullptr);
    ASSERT_TRUE(m_chip->waitUntil([rate](const auto& s) { return std::abs(s.hostRate - rate) < 1; },
                                  kPatience))
        << "the chip never learned the rate " << rate;
}

void TestHost::send(const Bytes& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_fd, bytes.data() + done, bytes.size() - done);
        if (n > 0)
            done += static_cast<size_t>(n);
        else
            std::this_thread::sleep_for(1ms);
    }
}

bool TestHost::readSome(std::chrono::milliseconds timeout) {
    pollfd p{m_fd, POLLIN, 0};
    if (::poll(&p, 1, static_cast<int>(timeout.count())) <= 0) return false;
    uint8_t buffer[512];
    const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
    if (n <= 0) return false;
    m_pending.insert(m_pending.end(), buffer, buffer + n);
    return true;
}

std::optional<Reply> TestHost::readReply(int width, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        // Look for 46 B9 68 00 L and the whole packet after it.
        for (size_t i = 0; i + 5 <= m_pending.size(); ++i) {
            if (m_pending[i] != 0x46 || m_pending[i + 1] != 0xB9 || m_pending[i + 2] != 0x68 ||
                m_pending[i + 3] != 0x00)
                continue;
            const size_t total = m_pending[i + 4] + 2u;
            if (m_pending.size() < i + total) break;
            Bytes raw(m_pending.begin() + static_cast<std::ptrdiff_t>(i),
                      m_pending.begin() + static_cast<std::ptrdiff_t>(i + total));
            m_pending.erase(m_pending.begin(),
                            m_pending.begin() + static_cast<std::ptrdiff_t>(i + total));
            const size_t payloadEnd = raw.size() - 1 - static_cast<size_t>(width);
            unsigned sum = 0;
            for (size_t k = 2; k < payloadEnd; ++k) sum += raw[k];
            unsigned sent = 0;
            for (size_t k = payloadEnd; k < raw.size() - 1; ++k) sent = (sent << 8) | raw[k];
            const unsigned mask = width == 2 ? 0xFFFF : 0xFF;
            if (raw.back() != 0x16 || sent != (sum & mask)) return std::nullopt;
            return Reply{
                Bytes(raw.begin() + 5, raw.begin() + static_cast<std::ptrdiff_t>(payloadEnd)), raw};
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left <= 0ms) return std::nullopt;
        readSome(left);
    }
}

Bytes TestHost::drain(std::chrono::milliseconds window) {
    const auto deadline = std::chrono::steady_clock::now() + window;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left <= 0ms) break;
        readSome(left);
    }
    return std::exchange(m_pending, {});
}

std::optional<Reply> TestHost::sync(int width, std::chrono::milliseconds timeout) {
    setRate(1200);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        send({0x7F});
        if (auto reply = readReply(width, 10ms)) return reply;
    }
    return std::nullopt;
}

std::optional<Reply> TestHost::command(const Bytes& payload, int width,
                                       std::chrono::milliseconds timeout) {
    sendPacket(payload, width);
    return readReply(width, timeout);
}

std::optional<Reply> TestHost::baudCommand(const Bytes& payload, int width, unsigned rate) {
    setRate(1200);
    const uint64_t heard = m_chip ? m_chip->snapshot().counters.packets : 0;
    sendPacket(payload, width);
    if (m_chip)
        m_chip->waitUntil([&](const auto& s) { return s.counters.packets > heard; }, kPatience);
    else
        std::this_thread::sleep_for(50ms);
    setRate(rate);
    return readReply(width);
}

bool TestHost::hungUp(std::chrono::milliseconds timeout) {
    pollfd p{m_fd, POLLIN, 0};
    if (::poll(&p, 1, static_cast<int>(timeout.count())) <= 0) return false;
    if (p.revents & POLLHUP) return true;
    uint8_t byte;
    const ssize_t n = ::read(m_fd, &byte, 1);
    return n == 0 || (n < 0 && errno == EIO);
}

const std::string& testDatabase() {
    static QTemporaryDir dir;
    static const std::string path = [] {
        const std::string file = dir.path().toStdString() + "/zel.db";
        const QByteArray image = zel::EmbeddedDbImage();
        std::ofstream(file, std::ios::binary).write(image.constData(), image.size());
        return file;
    }();
    return path;
}

zelsim::ChipOptions fastChip(const std::string& model) {
    zelsim::ChipOptions o;
    o.model = model;
    o.dbPath = testDatabase();
    o.bootDelayMs = 20;
    o.eraseMs = 0;
    return o;
}

Bytes enterProgramming(uint8_t code, uint8_t mode, uint16_t id) {
    return {code, mode, 0x00, 0x36, 0x01, static_cast<uint8_t>(id >> 8), static_cast<uint8_t>(id)};
}

Bytes blockWrite(uint32_t address, const Bytes& data, bool again) {
    Bytes block(128, 0xFF);
    std::copy_n(data.begin(), std::min<size_t>(data.size(), 128), block.begin());
    return cat({{static_cast<uint8_t>(again ? 0x30 : 0x00), static_cast<uint8_t>(address >> 24),
                 static_cast<uint8_t>(address >> 16), static_cast<uint8_t>(address >> 8),
                 static_cast<uint8_t>(address), 0x00, 0x80},
                block});
}

Bytes longErase(unsigned size, unsigned flash) {
    Bytes descending;
    for (int b = 0x80; b >= 0x0E; --b) descending.push_back(static_cast<uint8_t>(b));
    descending.push_back(0x0E);
    return cat({{0x84, 0xFF, 0x00, static_cast<uint8_t>(size >> 8), static_cast<uint8_t>(size),
                 0x00, static_cast<uint8_t>(flash >> 8), static_cast<uint8_t>(flash)},
                Bytes(11, 0x00),
                descending});
}

}  // namespace simtest
