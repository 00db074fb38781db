#include "desktop/idetool.h"

namespace korvan::desktop {

namespace {

constexpr quint32 kToolEnabled = 0x100;
const QString kProgram = QStringLiteral("Mex0");
const QString kArguments = QStringLiteral("Mag0");
const QString kTitle = QStringLiteral("Mtx0");
const QString kId = QStringLiteral("Mid0");
const QString kFlags = QStringLiteral("Mfg0");

}  // namespace

bool IdeToolInstalled(const RegistryStore& registry, const QString& program) {
    const auto root = RegistryRoot::CurrentUser;
    const auto exe = registry.query(root, kIdeToolKey, kProgram);
    if (!exe || exe->asText() != program) return false;
    const auto flags = registry.query(root, kIdeToolKey, kFlags);
    return flags && flags->asText() != QLatin1String("0") && !flags->asText().isEmpty();
}

bool SetIdeTool(RegistryStore& registry, bool on, const QString& program, const QString& title) {
    const auto root = RegistryRoot::CurrentUser;
    if (on) {
        // The IDE replaces #h with the project's HEX file.
        return registry.setString(root, kIdeToolKey, kProgram, program) &&
               registry.setString(root, kIdeToolKey, kArguments, QStringLiteral("/u #h")) &&
               registry.setString(root, kIdeToolKey, kTitle, title) &&
               registry.setString(root, kIdeToolKey, kId, QString()) &&
               registry.setDword(root, kIdeToolKey, kFlags, kToolEnabled);
    }
    bool removed = true;
    for (const QString& name : {kProgram, kArguments, kTitle, kId, kFlags})
        if (registry.query(root, kIdeToolKey, name))
            removed = registry.deleteValue(root, kIdeToolKey, name) && removed;
    return removed;
}

}  // namespace korvan::desktop
