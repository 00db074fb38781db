#include "controlstate.h"

namespace zel::control {

InstalledChipDatabase::InstalledChipDatabase()
    : m_current(std::make_unique<MemoryChipDatabase>()) {}

void InstalledChipDatabase::install() {
    InstalledDb installed = OpenInstalledDb();
    m_current = std::move(installed.database);
    m_embedded = installed.embedded;
    m_series = SeriesCatalog::of(*m_current->load());
}

ControlState& ControlState::processWide() {
    static ControlState state;
    return state;
}

}  // namespace zel::control
