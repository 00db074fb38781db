// The terminal's port settings without widgets: the four combos' items and selections, the
// reset command stored beside them, and the texts built from them ("9600,N,8,1",
// "command;9600,N,8,1"), as the terminal page and the preset menu use them.
#pragma once

#include <QString>
#include <QStringList>
#include <array>

namespace korvan {

// "9600 bps" gives "9600", "N (无)" gives "N": the text before the last blank.
QString ComboItemValue(const QString& item);

class TerminalSettings {
  public:
    enum Combo { Baud, Parity, DataBits, StopBits };
    static constexpr int kComboCount = 4;

    TerminalSettings();

    const QStringList& items(int combo) const { return items_[size_t(combo)]; }
    int selected(int combo) const { return selected_[size_t(combo)]; }
    void select(int combo, int index);
    const QString& resetCommand() const { return resetCommand_; }

    // Takes "[command;]baud,parity,bits,stop": every part that names an item selects it (an
    // unknown value leaves that combo as it was); the command box takes the part before the
    // last ";" (the whole text when there is none). Returns the settings text, preceded by
    // the command and ";" unless `settingsOnly`. An empty text only reads.
    QString sync(const QString& text, bool settingsOnly);
    // "9600,N,8,1" from the current selections.
    QString portSettingsText() const;
    // "串口参数：9600,N,8,1".
    QString labelText() const;

  private:
    std::array<QStringList, kComboCount> items_;
    std::array<int, kComboCount> selected_{};
    QString resetCommand_;
};

// The presets of the port menu, "&1 9600,N,8,1" and so on, with a null entry for each separator.
QStringList PortPresetCaptions();
// "&4 19200,N,8,1" gives "19200,N,8,1".
QString PresetSettings(const QString& caption);
// The settings a port is opened with: `settings`, or `baud` + ",N,8,1" when that text is too
// short to be a full settings text.
QString EffectivePortSettings(const QString& baud, const QString& settings);

// "发送: 12" and "接收: 12".
QString SentCounterText(quint32 count);
QString ReceivedCounterText(quint32 count);

}  // namespace korvan
