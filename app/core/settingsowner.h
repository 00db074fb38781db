// The single owner of a group of settings: the one place their values live. Every change goes
// through it and is announced once, so the windows, the job controller and the files that
// keep the values follow it instead of holding copies of their own.
#pragma once

#include "core/programconfig.h"
#include "core/usersettings.h"

#include <QObject>
#include <utility>

namespace korvan {

// The announcement, kept apart from the value type so that each owner can be a template.
class SettingsAnnouncer : public QObject {
    Q_OBJECT
  signals:
    // Some value changed; listeners read what they show from the owner.
    void changed();

  protected:
    void announce() { emit changed(); }
};

template <class Settings>
class SettingsOwner : public SettingsAnnouncer {
  public:
    SettingsOwner() = default;
    explicit SettingsOwner(Settings initial) : m_value(std::move(initial)) {}
    // A copy is another owner of the same values, with listeners of its own (none at first).
    SettingsOwner(const SettingsOwner& other) : SettingsAnnouncer(), m_value(other.m_value) {}
    SettingsOwner& operator=(const SettingsOwner& other) {
        set(other.m_value);
        return *this;
    }

    const Settings& value() const { return m_value; }

    // `change` edits a copy; the owner takes it and announces it when anything differs.
    template <class Change>
    void update(Change&& change) {
        Settings next = m_value;
        std::forward<Change>(change)(next);
        if (next == m_value) return;
        m_value = std::move(next);
        announce();
    }
    void set(Settings value) {
        update([&value](Settings& s) { s = std::move(value); });
    }

  private:
    Settings m_value;
};

// The user settings of the workspace (Config.ini's user sections, a .mcu or an open task).
using UserSettingsOwner = SettingsOwner<UserSettings>;
// The program configuration of Config.ini (sections Config, Sound and Color).
using ProgramConfigOwner = SettingsOwner<ProgramConfig>;

}  // namespace korvan
