// Runs the flashed program in the s51 8051 simulator (package sdcc-ucsim), with the
// simulated UART joined to the chip's line: what the host sends reaches the program and what
// the program prints reaches the host.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zelsim {

class ProgramRunner {
  public:
    ProgramRunner() = default;
    ~ProgramRunner();
    ProgramRunner(const ProgramRunner&) = delete;
    ProgramRunner& operator=(const ProgramRunner&) = delete;

    // Whether s51 can be found on the PATH.
    static bool available();

    // Starts the program in `flash` on a core clocked at `frequency`; a program already
    // running is stopped first.
    bool start(const std::vector<uint8_t>& flash, uint32_t frequency, std::string* error);
    void stop();
    bool isRunning() const { return m_pid > 0; }

    // The descriptor the program's UART output arrives on; -1 when not running.
    int outputFd() const { return m_fromProgram; }
    void toProgram(const uint8_t* bytes, size_t count);
    std::vector<uint8_t> fromProgram();

  private:
    pid_t m_pid = -1;
    int m_toProgram = -1;
    int m_fromProgram = -1;
    std::string m_hexPath;
};

// The bytes of `flash` as Intel HEX text, leaving out records that are entirely erased.
std::string intelHex(const std::vector<uint8_t>& flash);

}  // namespace zelsim
