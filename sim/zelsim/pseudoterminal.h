// The pseudo-terminal a virtual chip sits behind. The chip owns the master side and keeps a
// descriptor of its own on the slave side, so the host may close and reopen the slave (and
// change its line settings) as often as it likes without the terminal going away.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zelsim {

class PseudoTerminal {
  public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // Creates the terminal with a raw line discipline; false with `error` set on failure.
    bool open(std::string* error);
    // Publishes the slave path as the symbolic link `path`. An existing link there is
    // replaced; any other file is left alone and reported.
    bool publishLink(const std::string& path, std::string* error);
    // Closes both sides (the host sees a hang-up) and removes the link.
    void close();

    bool isOpen() const { return m_master >= 0; }
    int master() const { return m_master; }
    const std::string& slavePath() const { return m_slavePath; }
    const std::string& linkPath() const { return m_link; }

    // The rate the host last set on the line, in bits per second.
    std::optional<uint32_t> hostRate() const;

    // Bytes from the host with the rate its line was at when they were sent. Bytes that were
    // waiting when the host changed its settings, or still on their way to us, may have been
    // sent just before or just after the change; they carry the new rate and, as
    // `earlierRate`, the one before.
    struct Arrival {
        std::vector<uint8_t> bytes;
        double rate = 0;
        double earlierRate = 0;  // 0: the rate is certain
    };
    // Reads everything the host has sent so far.
    std::vector<Arrival> readArrivals();
    // The host's rate as the chip last learned it from the terminal.
    double learnedRate() const { return m_rate; }
    // Drops what the chip sent and the host has not read: a line does not keep bytes across
    // a power cycle.
    void discardUnread();

  private:
    int m_master = -1;
    // The rate as of the host's last settings change. The master runs in packet mode and is
    // told of every change, so the bytes whose timing is uncertain are known. A host that
    // clears the extended-processing flag stops the notices; the rate is then read when bytes
    // arrive.
    double m_rate = 0;
    bool m_notified = false;
    int m_slave = -1;
    std::string m_slavePath;
    std::string m_link;
};

}  // namespace zelsim
