// The chip's options as the option editor shows them, for a driver without the editor: the
// rows of a series with the choice the chip's status bytes hold, and the choices a configure
// job writes (every other option keeps the chip's value).
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <map>
#include <vector>

namespace zel {
struct ZelContext;
}

namespace korvan::jobs {

struct OptionRowInfo {
    int number = 0;       // as the editor numbers its rows, from 1
    QString caption;      // without the number and the padding
    QStringList choices;  // the texts to choose from
    int current = -1;     // the chip's choice; -1 when the status bytes do not tell
    bool list = false;    // a list of values rather than two choices
};

// The rows of series `series` with the choices `ctx`'s status bytes hold.
std::vector<OptionRowInfo> ReadOptionRows(const zel::ZelContext& ctx, int series);

// Writes `choices` (row index from 0 → choice index from 0) of series `series` into the
// status bytes; the bits of every other option are left as they are.
void WriteOptionChoices(zel::ZelContext& ctx, int series, const std::map<int, int>& choices);

}  // namespace korvan::jobs
