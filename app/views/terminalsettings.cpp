#include "views/terminalsettings.h"

#include "views/viewtexts.h"

namespace korvan {

namespace {

QStringList WithUnit(const QString& list, const QString& unit) {
    QStringList items = list.split(QChar(','));
    for (QString& item : items) item += unit;
    return items;
}

}  // namespace

QString ComboItemValue(const QString& item) {
    const qsizetype blank = item.lastIndexOf(QChar(' '));
    return blank < 0 ? item : item.left(blank);
}

TerminalSettings::TerminalSettings()
    : items_{WithUnit(QStringLiteral("1200,4800,9600,19200,38400,57600,115200"),
                      viewtext::kBaudUnit),
             QStringList{viewtext::kParityNone, viewtext::kParityEven, viewtext::kParityOdd},
             WithUnit(QStringLiteral("5,6,7,8"), viewtext::kBitsUnit),
             WithUnit(QStringLiteral("1,2"), viewtext::kBitsUnit)},
      selected_{2, 0, 3, 0} {}

void TerminalSettings::select(int combo, int index) {
    if (combo < 0 || combo >= kComboCount) return;
    if (index < 0 || index >= items_[size_t(combo)].size()) return;
    selected_[size_t(combo)] = index;
}

QString TerminalSettings::sync(const QString& text, bool settingsOnly) {
    if (!text.isEmpty()) {
        const qsizetype semicolon = text.lastIndexOf(QChar(';'));
        const QStringList parts = text.mid(semicolon + 1).split(QChar(','));
        for (int combo = 0; combo < std::min<int>(kComboCount, int(parts.size())); ++combo) {
            const QStringList& list = items_[size_t(combo)];
            for (int i = 0; i < list.size(); ++i) {
                if (ComboItemValue(list.at(i)) == parts.at(combo)) {
                    selected_[size_t(combo)] = i;
                    break;
                }
            }
        }
        resetCommand_ = semicolon < 0 ? text : text.left(semicolon);
    }
    const QString settings = portSettingsText();
    return settingsOnly ? settings : resetCommand_ + QChar(';') + settings;
}

QString TerminalSettings::portSettingsText() const {
    QStringList values;
    for (int combo = 0; combo < kComboCount; ++combo)
        values << ComboItemValue(items_[size_t(combo)].at(selected_[size_t(combo)]));
    return values.join(QChar(','));
}

QString TerminalSettings::labelText() const {
    return viewtext::kPortSettingsLabel + portSettingsText();
}

QStringList PortPresetCaptions() {
    return {QStringLiteral("&1 9600,N,8,1"),
            QStringLiteral("&2 9600,E,7,1"),
            QStringLiteral("&3 9600,O,7,1"),
            QString(),
            QStringLiteral("&4 19200,N,8,1"),
            QStringLiteral("&5 19200,E,7,1"),
            QString(),
            QStringLiteral("&6 38400,N,8,1"),
            QStringLiteral("&7 38400,E,7,1")};
}

QString PresetSettings(const QString& caption) {
    return caption.mid(3);
}

QString EffectivePortSettings(const QString& baud, const QString& settings) {
    return settings.size() < 7 ? baud + QStringLiteral(",N,8,1") : settings;
}

QString SentCounterText(quint32 count) {
    return viewtext::kSentCounter + QString::number(count);
}

QString ReceivedCounterText(quint32 count) {
    return viewtext::kReceivedCounter + QString::number(count);
}

}  // namespace korvan
