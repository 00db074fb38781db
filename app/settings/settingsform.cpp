#include "settings/settingsform.h"

#include <QStringList>

#include "core/valueforms.h"
#include "record/databaseurl.h"
#include "settings/settingstexts.h"

namespace korvan {

const QStringList& BaudChoices() {
    // The classic rates first, so their order and the default stay; the fast ones are an
    // opt-in that the chip's clock still has to make.
    static const QStringList choices = {QStringLiteral("1200"),   QStringLiteral("4800"),
                                        QStringLiteral("9600"),   QStringLiteral("19200"),
                                        QStringLiteral("38400"),  QStringLiteral("57600"),
                                        QStringLiteral("115200"), QStringLiteral("230400"),
                                        QStringLiteral("460800"), QStringLiteral("921600")};
    return choices;
}

const QStringList& SecondsChoices() {
    static const QStringList choices = [] {
        QStringList list;
        for (int seconds : {10, 30, 60, 90, 120, 180, 300})
            list << QString::number(seconds) + settingstext::kSecondsSuffix;
        return list;
    }();
    return choices;
}

SettingsForm LoadSettingsForm(const ProgramConfig& config, bool ideTool,
                              const std::vector<bool>& associated) {
    SettingsForm form;
    form.OpenLast = config.OpenLast;
    form.AutoClose = config.AutoClose;
    form.Count = config.Count;
    form.OpenRts = config.OpenRts;
    form.SoundOpen = config.SoundOpen;
    form.IdeTool = ideTool;
    form.ReCount = QString::number(config.ReCount);
    form.ColorOpen = config.ColorOpen;
    form.Percent = {config.Red, config.Green, config.Blue};
    form.Sounds = config.Sounds;
    form.Associated = associated;
    // 0 leaves the rate to the highest a chip takes: the combo says which that is.
    form.MaxBaud = QString::number(config.MaxBaud > 0 ? config.MaxBaud : kHighestBaud);
    form.ErrTim = QString::number(config.ErrTim) + settingstext::kSecondsSuffix;
    form.Database = config.Database;
    return form;
}

QString NormaliseSeconds(const QString& text) {
    return QString::number(ParseLeadingInt32(text)) + settingstext::kSecondsSuffix;
}

QString NormaliseRepeatCount(const QString& text) {
    const qint32 value = ParseLeadingInt32(text);
    return QString::number(value < 1 ? 1 : value);
}

QString PercentLabel(int percent) {
    return QString::number(percent / 100.0, 'f', 2);
}

std::array<int, 3> PreviewPercent(const SettingsForm& form) {
    if (!form.ColorOpen) return {0, 0, 0};
    return form.Percent;
}

std::optional<QString> DatabaseProblem(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) return std::nullopt;
    const record::DatabaseUrlResult parsed = record::ParseDatabaseUrl(trimmed);
    if (parsed.url) return std::nullopt;
    return parsed.error;
}

ProgramConfig ApplySettingsForm(const SettingsForm& form, const ProgramConfig& config) {
    ProgramConfig next = config;
    next.MaxBaud = ParseLeadingInt32(form.MaxBaud);
    next.ErrTim = ParseLeadingInt32(form.ErrTim);
    next.SoundOpen = form.SoundOpen;
    next.OpenLast = form.OpenLast;
    next.OpenRts = form.OpenRts;
    next.AutoClose = form.AutoClose;
    next.Count = form.Count;
    next.ReCount = ParseLeadingInt32(form.ReCount);
    next.Sounds = form.Sounds;
    next.ColorOpen = form.ColorOpen;
    next.Red = form.Percent[0];
    next.Green = form.Percent[1];
    next.Blue = form.Percent[2];
    next.Database = form.Database.trimmed();
    return next;
}

}  // namespace korvan
