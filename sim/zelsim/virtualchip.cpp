#include "zelsim/virtualchip.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <QTemporaryFile>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <fstream>
#include <mutex>
#include <thread>

#include "zelsim/chipreport.h"
#include "zelsim/clockmath.h"
#include "zelsim/powerchannel.h"
#include "zelsim/programrunner.h"
#include "zelsim/pseudoterminal.h"

namespace zelsim {
namespace {

using Clock = std::chrono::steady_clock;

int64_t microsNow() {
    return std::chrono::duration_cast<std::chrono::microseconds>(Clock::now().time_since_epoch())
        .count();
}

bool writeFileAtomically(const std::string& path, const std::string& data) {
    const std::string temporary = path + ".part";
    bool written = false;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        written =
            out && out.write(data.data(), static_cast<std::streamsize>(data.size())) && out.flush();
    }
    // Readers see the old file or the new one, never half of it.
    if (written && std::rename(temporary.c_str(), path.c_str()) == 0) return true;
    std::remove(temporary.c_str());
    return false;
}

struct PacedByte {
    uint8_t byte;
    double rate;         // the host's line rate when the byte arrived
    double earlierRate;  // the rate before a settings change the byte came close to
    int64_t dueUs;       // when the byte has fully crossed the line
};

// A byte the chip puts on the line.
struct OutboundByte {
    uint8_t byte;
    double rate;    // the bootloader's rate; 0 for the program's UART, whose rate is its own
    int64_t dueUs;  // the earliest time to send it
};

}  // namespace

struct VirtualChip::Impl {
    ChipOptions options;
    std::optional<ChipModel> model;
    std::unique_ptr<QTemporaryFile> privateDb;
    std::unique_ptr<ChipCore> core;
    PseudoTerminal pty;
    PowerChannel power;
    ProgramRunner runner;
    std::thread thread;
    mutable std::mutex mutex;
    mutable std::condition_variable changed;
    int stopPipe[2] = {-1, -1};
    bool finished = false;
    bool opened = false;  // open() succeeded: model, terminal and stop pipe are ready
    bool exitWhenSent = false;
    std::string lastReport;
    std::string outputError;  // the latest file the chip could not write

    std::deque<PacedByte> inbound;
    std::deque<OutboundByte> outbound;
    uint64_t unheardBytes = 0;
    uint64_t adapterGarbledBytes = 0;
    int64_t lastInboundDueUs = 0;
    int64_t lastOutboundDueUs = 0;
    bool outputBlocked = false;

    void log(const std::string& line) const {
        if (options.log) options.log(line);
    }
    double bitsPerByte() const { return model && model->bootloader.evenParity ? 11.0 : 10.0; }
    double hostRate() const { return pty.hostRate().value_or(0); }
    // Whether the adapter of the max-rate fault garbles a byte sent at `rate`.
    bool beyondAdapter(double rate) const {
        return options.faults.maxLineRate && rate > *options.faults.maxLineRate;
    }

    bool prepare(std::string* error);
    void loop();
    void readHost(int64_t nowUs);
    void readLines(int64_t nowUs);
    void deliverInbound(int64_t nowUs);
    void collectOutput(int64_t nowUs);
    void dropUnheard(int64_t nowUs);
    void writeOutbound(int64_t nowUs);
    void discardIfRateChanged(double sentAt, size_t count);
    void writeOutputs();
    void onProgramRun();
    int pollTimeoutUs(int64_t nowUs) const;
    ChipSnapshot snapshotLocked() const;
};

bool VirtualChip::Impl::prepare(std::string* error) {
    auto setup = setUpChip(options, error);
    if (!setup) return false;
    model = setup->config.model;
    privateDb = std::move(setup->privateDb);
    core = std::make_unique<ChipCore>(std::move(setup->config), setup->initialFlash);
    core->setLog([this](const std::string& line) { log(line); });
    return true;
}

ChipSnapshot VirtualChip::Impl::snapshotLocked() const {
    ChipSnapshot s;
    s.finished = finished;
    if (!core) return s;
    s.state = core->state();
    s.counters = core->counters();
    s.session = core->session();
    s.rate = core->rate();
    s.hostRate = pty.learnedRate();
    s.unheardBytes = unheardBytes;
    s.adapterGarbledBytes = adapterGarbledBytes;
    return s;
}

void VirtualChip::Impl::readHost(int64_t nowUs) {
    for (const PseudoTerminal::Arrival& a : pty.readArrivals()) {
        const double byteUs = a.rate > 0 ? bitsPerByte() * 1e6 / a.rate : 0;
        const bool garbled = beyondAdapter(a.rate);
        if (garbled) adapterGarbledBytes += a.bytes.size();
        if (garbled && !a.bytes.empty())
            log(std::to_string(a.bytes.size()) + " bytes from the host at " +
                std::to_string(std::lround(a.rate)) + " baud arrive garbled (fault)");
        for (uint8_t b : a.bytes) {
            if (garbled) b = garbledByte(b);
            int64_t due = nowUs;
            if (options.pace) {
                due = std::max(nowUs, lastInboundDueUs) + static_cast<int64_t>(byteUs);
                lastInboundDueUs = due;
            }
            inbound.push_back({b, a.rate, a.earlierRate, due});
        }
        if (runner.isRunning()) runner.toProgram(a.bytes.data(), a.bytes.size());
    }
}

void VirtualChip::Impl::readLines(int64_t nowUs) {
    for (const LineChange& change : power.readChanges()) {
        log(std::string(change.line == 'D' ? "DTR" : "RTS") +
            (change.asserted ? " asserted" : " cleared"));
        // The wiring: DTR switches the supply, asserted = on. RTS is only seen.
        if (change.line == 'D') core->setPower(change.asserted, nowUs / 1000);
    }
}

void VirtualChip::Impl::deliverInbound(int64_t nowUs) {
    while (!inbound.empty() && inbound.front().dueUs <= nowUs) {
        const PacedByte b = inbound.front();
        inbound.pop_front();
        core->receive(b.byte, b.rate, nowUs / 1000, b.earlierRate);
    }
}

void VirtualChip::Impl::collectOutput(int64_t nowUs) {
    for (ChipEvent e : core->takeEvents()) {
        switch (e) {
            case ChipEvent::PowerCycle:
            case ChipEvent::SoftStart:
                // Nothing the chip said before survives on the line.
                pty.discardUnread();
                inbound.clear();
                outbound.clear();
                runner.stop();
                break;
            case ChipEvent::EndCommand:
                // A host that ends with the end command's reply (and a script waiting for it)
                // must find the final image already written.
                writeOutputs();
                break;
            case ChipEvent::ProgramRun:
                onProgramRun();
                break;
            case ChipEvent::HangUp:
                pty.close();
                finished = true;
                break;
            case ChipEvent::BootWindowOpen:
            case ChipEvent::Identified:
                break;
        }
    }
    for (Transmission& t : core->takeTransmissions()) {
        const double byteUs = bitsPerByte() * 1e6 / t.rate;
        const bool garbled = beyondAdapter(t.rate);
        if (garbled) adapterGarbledBytes += t.bytes.size();
        if (garbled)
            log(std::to_string(t.bytes.size()) + " bytes to the host at " +
                std::to_string(std::lround(t.rate)) + " baud arrive garbled (fault)");
        for (uint8_t b : t.bytes) {
            if (garbled) b = garbledByte(b);
            int64_t due = 0;
            if (options.pace) {
                due = std::max(nowUs, lastOutboundDueUs) + static_cast<int64_t>(byteUs);
                lastOutboundDueUs = due;
            }
            outbound.push_back({b, t.rate, due});
        }
    }
}

void VirtualChip::Impl::dropUnheard(int64_t nowUs) {
    // The reply to the last end command typically goes out after the host has closed the
    // download line and a terminal has opened it at the program's rate.
    if (outbound.empty()) return;
    const double heardAt = hostRate();
    uint64_t dropped = 0;
    double droppedRate = 0;
    for (auto it = outbound.begin(); it != outbound.end() && it->dueUs <= nowUs;) {
        if (it->rate <= 0 || ratesMatch(heardAt, it->rate)) {
            ++it;
            continue;
        }
        droppedRate = it->rate;
        ++dropped;
        it = outbound.erase(it);
    }
    if (dropped == 0) return;
    unheardBytes += dropped;
    log(std::to_string(dropped) + " bytes sent at " + std::to_string(std::lround(droppedRate)) +
        " baud are lost: the host's line is at " + std::to_string(std::lround(heardAt)) + " baud");
}

void VirtualChip::Impl::writeOutbound(int64_t nowUs) {
    outputBlocked = false;
    dropUnheard(nowUs);
    std::vector<uint8_t> ready;
    double bootloaderRate = 0;
    for (const OutboundByte& b : outbound) {
        if (b.dueUs > nowUs) break;
        ready.push_back(b.byte);
        if (b.rate > 0) bootloaderRate = b.rate;
    }
    if (ready.empty() || !pty.isOpen()) return;
    const ssize_t n = ::write(pty.master(), ready.data(), ready.size());
    if (n > 0) {
        outbound.erase(outbound.begin(), outbound.begin() + n);
        discardIfRateChanged(bootloaderRate, static_cast<size_t>(n));
    } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
        outputBlocked = true;
    }
    if (n > 0 && static_cast<size_t>(n) < ready.size()) outputBlocked = true;
}

void VirtualChip::Impl::discardIfRateChanged(double sentAt, size_t count) {
    // The host may set another rate between the check in dropUnheard and the write, as a
    // terminal does when it opens the line the moment a download ends. The bytes were then on
    // the wire while its receiver switched, and a real one would not make sense of them; a
    // pseudo-terminal would hand them over intact, after the host's own flush at open.
    if (sentAt <= 0) return;
    const double heardAt = hostRate();
    if (ratesMatch(heardAt, sentAt)) return;
    pty.discardUnread();
    unheardBytes += count;
    log(std::to_string(count) + " bytes sent at " + std::to_string(std::lround(sentAt)) +
        " baud are lost: the host switched its line to " + std::to_string(std::lround(heardAt)) +
        " baud while they were sent");
}

void VirtualChip::Impl::writeOutputs() {
    lastReport = runReport(*core);
    const auto failed = [this](const std::string& path) {
        outputError = "cannot write " + path;
        log(outputError);
    };
    if (!options.imageOut.empty()) {
        const auto& bytes = core->flash().bytes();
        if (!writeFileAtomically(options.imageOut, std::string(bytes.begin(), bytes.end())))
            failed(options.imageOut);
    }
    if (!options.reportPath.empty() && !writeFileAtomically(options.reportPath, lastReport))
        failed(options.reportPath);
}

void VirtualChip::Impl::onProgramRun() {
    writeOutputs();
    if (options.run) {
        std::string error;
        if (!runner.start(core->flash().bytes(), options.frequency, &error)) log(error);
    }
    if (options.once) exitWhenSent = true;
}

int VirtualChip::Impl::pollTimeoutUs(int64_t nowUs) const {
    int64_t wakeUs = INT64_MAX;
    const int64_t coreWake = core->nextWake(nowUs / 1000);
    if (coreWake != INT64_MAX) wakeUs = coreWake * 1000;
    if (!inbound.empty()) wakeUs = std::min(wakeUs, inbound.front().dueUs);
    if (!outbound.empty() && !outputBlocked) wakeUs = std::min(wakeUs, outbound.front().dueUs);
    // Microseconds: a paced byte takes under 100 µs at 115200 baud, so a wait rounded up to
    // whole milliseconds would stretch every reply by up to a millisecond.
    if (wakeUs == INT64_MAX) return 1'000'000;
    return static_cast<int>(std::clamp<int64_t>(wakeUs - nowUs, 0, 1'000'000));
}

void VirtualChip::Impl::loop() {
    // A program that quits must not take the process with it when the chip writes to it.
    sigset_t pipeSignal;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, nullptr);
    std::unique_lock lock(mutex);
    core->powerUp(microsNow() / 1000);
    while (!finished) {
        const int64_t before = microsNow();
        collectOutput(before);
        writeOutbound(before);
        changed.notify_all();
        if (exitWhenSent && outbound.empty()) break;
        if (finished) break;

        // A descriptor of -1 (no power channel, no program running) is skipped by poll.
        pollfd fds[4] = {
            {pty.master(), static_cast<short>(POLLIN | (outputBlocked ? POLLOUT : 0)), 0},
            {stopPipe[0], POLLIN, 0},
            {power.fd(), POLLIN, 0},
            {runner.outputFd(), POLLIN, 0}};
        const int timeoutUs = pollTimeoutUs(before);
        const timespec timeout{timeoutUs / 1'000'000, (timeoutUs % 1'000'000) * 1000L};
        lock.unlock();
        ::ppoll(fds, 4, &timeout, nullptr);
        lock.lock();
        if (fds[1].revents) break;

        const int64_t now = microsNow();
        if (fds[2].revents & POLLIN) readLines(now);
        if (fds[0].revents & POLLIN) readHost(now);
        if (runner.outputFd() >= 0 && (fds[3].revents & (POLLIN | POLLHUP))) {
            const std::vector<uint8_t> said = runner.fromProgram();
            for (uint8_t b : said) outbound.push_back({b, 0, 0});
        }
        deliverInbound(now);
        core->tick(hostRate(), now / 1000);
    }
    runner.stop();
    finished = true;
    changed.notify_all();
}

VirtualChip::VirtualChip(ChipOptions options) : d(std::make_unique<Impl>()) {
    d->options = std::move(options);
}

VirtualChip::~VirtualChip() {
    stop();
}

bool VirtualChip::open(std::string* error) {
    if (d->thread.joinable() || d->opened) {
        if (error) *error = "the chip is already started";
        return false;
    }
    const auto abandon = [this] {
        d->power.close();
        d->pty.close();
        d->core.reset();
        return false;
    };
    if (!d->prepare(error)) return abandon();
    if (!d->pty.open(error)) return abandon();
    if (!d->options.linkPath.empty() && !d->pty.publishLink(d->options.linkPath, error))
        return abandon();
    if (!d->options.powerChannel.empty() && !d->power.open(d->options.powerChannel, error))
        return abandon();
    if (::pipe2(d->stopPipe, O_CLOEXEC) != 0) {
        if (error) *error = "cannot create the stop pipe";
        return abandon();
    }
    d->opened = true;
    return true;
}

bool VirtualChip::start(std::string* error) {
    if (d->thread.joinable()) {
        if (error) *error = "the chip is already started";
        return false;
    }
    if (!d->opened && !open(error)) return false;
    d->thread = std::thread([this] { d->loop(); });
    return true;
}

void VirtualChip::stop() {
    if (d->thread.joinable()) {
        const char byte = 0;
        [[maybe_unused]] const ssize_t n = ::write(d->stopPipe[1], &byte, 1);
        d->thread.join();
    }
    for (int& fd : d->stopPipe) {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
    std::lock_guard lock(d->mutex);
    d->pty.close();
    d->power.close();
    d->finished = true;
    d->changed.notify_all();
}

std::string VirtualChip::slavePath() const {
    std::lock_guard lock(d->mutex);
    return d->pty.slavePath();
}

std::string VirtualChip::linkPath() const {
    return d->options.linkPath;
}

const ChipModel& VirtualChip::model() const {
    static const ChipModel none;
    return d->model ? *d->model : none;
}

ChipSnapshot VirtualChip::snapshot() const {
    std::lock_guard lock(d->mutex);
    return d->snapshotLocked();
}

std::vector<uint8_t> VirtualChip::image() const {
    std::lock_guard lock(d->mutex);
    return d->core ? d->core->flash().bytes() : std::vector<uint8_t>{};
}

std::vector<uint8_t> VirtualChip::statusPayload() const {
    std::lock_guard lock(d->mutex);
    return d->core ? d->core->statusPayload() : std::vector<uint8_t>{};
}

std::string VirtualChip::outputError() const {
    std::lock_guard lock(d->mutex);
    return d->outputError;
}

std::string VirtualChip::report() const {
    std::lock_guard lock(d->mutex);
    if (!d->lastReport.empty() || !d->core) return d->lastReport;
    return runReport(*d->core);
}

bool VirtualChip::waitUntil(const std::function<bool(const ChipSnapshot&)>& done,
                            std::chrono::milliseconds timeout) const {
    std::unique_lock lock(d->mutex);
    return d->changed.wait_for(lock, timeout, [&] { return done(d->snapshotLocked()); });
}

bool VirtualChip::waitForState(ChipState state, std::chrono::milliseconds timeout) const {
    return waitUntil([state](const ChipSnapshot& s) { return s.state == state; }, timeout);
}

bool VirtualChip::waitForProgramRuns(uint64_t runs, std::chrono::milliseconds timeout) const {
    return waitUntil([runs](const ChipSnapshot& s) { return s.counters.programRuns >= runs; },
                     timeout);
}

bool VirtualChip::waitForFinish(std::chrono::milliseconds timeout) const {
    return waitUntil([](const ChipSnapshot& s) { return s.finished; }, timeout);
}

}  // namespace zelsim
