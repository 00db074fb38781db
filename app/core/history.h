// The two history lists of Config.ini: recently opened files (section "ListMenu") and recently
// used soft-start commands (section "ListCode"), newest first, at most seven entries each.
#pragma once

#include <QString>
#include <QStringList>

namespace korvan {

enum class HistoryKind { Files, Commands };

class History {
  public:
    static constexpr int kMaxEntries = 7;

    // Reads both lists; files that no longer exist and commands shorter than 4 characters
    // (after trimming) are dropped, the rest packed to the front in order.
    static History load(const QString& configFile);

    const QStringList& files() const { return files_; }
    const QStringList& commands() const { return commands_; }
    const QStringList& list(HistoryKind kind) const;

    // Puts `entry` at the head of its list, dropping the older equal entry (files compare
    // without regard to letter case, commands by their part before the last ";"), keeps
    // seven, and rewrites the list's section of `configFile`. An empty entry is ignored.
    bool add(HistoryKind kind, const QString& entry, const QString& configFile);

    // The captions of the list's menu, "&1 name" ...: a file by its name without folder, a
    // command as it is. Empty when the list is empty (the menu keeps its placeholder).
    QStringList menuCaptions(HistoryKind kind) const;

  private:
    QStringList files_;
    QStringList commands_;
};

}  // namespace korvan
