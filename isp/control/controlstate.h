// What the ZEL control's interface makes process-wide: the chip record of the last job, its
// data segments and job parameters (shared by every instance and every McuInfo record), the
// installed chip database and the series list built from it. It belongs to the control alone;
// other engine users (korvan-cli, tests) keep contexts and databases of their own.
#pragma once

#include <memory>

#include "zelcontext.h"
#include "zeldb.h"

namespace zel::control {

// The installed database; reinstalling swaps what it reads without invalidating the engines
// that hold it.
class InstalledChipDatabase final : public ChipDatabase {
  public:
    InstalledChipDatabase();
    // Installs or refreshes zel.db from the built-in copy (the built-in copy stands in when
    // no file can be had) and rebuilds the series list.
    void install();
    DbSnapshot load() const override { return m_current->load(); }
    const SeriesCatalog& series() const { return m_series; }
    bool embedded() const { return m_embedded; }

  private:
    std::unique_ptr<ChipDatabase> m_current;
    SeriesCatalog m_series;
    bool m_embedded = false;
};

struct ControlState {
    ZelContext Context;
    InstalledChipDatabase Database;

    static ControlState& processWide();
};

}  // namespace zel::control
