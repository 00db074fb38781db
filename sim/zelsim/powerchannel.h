// The read end of the FIFO through which a test (or KORVAN's serial component, when the pty
// refuses modem-line ioctls) tells the virtual chip how the host drives DTR and RTS. Lines of
// text: "DTR=1", "DTR=0", "RTS=1", "RTS=0"; anything else is ignored.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zelsim {

struct LineChange {
    char line;  // 'D' (DTR) or 'R' (RTS)
    bool asserted;
};

class PowerChannel {
  public:
    PowerChannel() = default;
    ~PowerChannel();
    PowerChannel(const PowerChannel&) = delete;
    PowerChannel& operator=(const PowerChannel&) = delete;

    // Creates the FIFO at `path` (an existing FIFO there is used as it is) and opens it.
    bool open(const std::string& path, std::string* error);
    void close();
    int fd() const { return m_read; }
    // The complete lines that have arrived since the last call.
    std::vector<LineChange> readChanges();

  private:
    int m_read = -1;
    int m_keepOpen = -1;  // a writer of our own: writers that come and go cause no hang-up
    std::string m_partial;
};

// One line of the channel's text ("DTR=1"); nothing for anything else.
std::optional<LineChange> parseLineChange(const std::string& text);

}  // namespace zelsim
