#include "optionchoices.h"

#include "optiontexts.h"
#include "text.h"

#include "core/usersettings.h"

namespace korvan::cli {

namespace {

bool SameText(const QString& a, const QString& b) {
    const auto clean = [](QString t) {
        t = t.trimmed();
        while (t.endsWith(QStringLiteral("：")) || t.endsWith(QLatin1Char(':'))) t.chop(1);
        return t.trimmed();
    };
    return clean(a).compare(clean(b), Qt::CaseInsensitive) == 0;
}

// A name or choice as the database stores it, or as the English output shows it.
bool SameCaption(const QString& caption, const QString& given) {
    return SameText(caption, given) || SameText(zel::options::DbCaption(caption), given);
}

int FindRow(const std::vector<jobs::OptionRowInfo>& rows, const QString& name) {
    bool isNumber = false;
    const int number = name.trimmed().toInt(&isNumber);
    for (size_t i = 0; i < rows.size(); ++i) {
        if (isNumber ? rows[i].number == number : SameCaption(rows[i].caption, name))
            return static_cast<int>(i);
    }
    return -1;
}

int FindChoice(const jobs::OptionRowInfo& row, const QString& value) {
    bool isNumber = false;
    const int number = value.trimmed().toInt(&isNumber);
    if (isNumber) return number >= 0 && number < row.choices.size() ? number : -1;
    for (qsizetype i = 0; i < row.choices.size(); ++i)
        if (SameCaption(row.choices.at(i), value)) return static_cast<int>(i);
    return -1;
}

QString RowList(const std::vector<jobs::OptionRowInfo>& rows) {
    QStringList names;
    for (const jobs::OptionRowInfo& row : rows)
        names << QStringLiteral("%1 %2").arg(row.number).arg(zel::options::DbCaption(row.caption));
    return names.join(KORVAN_TR("korvan-cli", "，"));
}

}  // namespace

std::optional<std::map<int, int>> ResolveOptionSettings(
    const std::vector<jobs::OptionRowInfo>& rows, const QStringList& settings, QString& error) {
    std::map<int, int> choices;
    for (const QString& setting : settings) {
        const qsizetype eq = setting.lastIndexOf(QLatin1Char('='));
        const QString name = setting.left(eq);
        const QString value = setting.mid(eq + 1);
        const int row = FindRow(rows, name);
        if (row < 0) {
            error = KORVAN_TR("korvan-cli", "单片机没有选项“%1”；可用的选项：%2")
                        .arg(name, RowList(rows));
            return std::nullopt;
        }
        const jobs::OptionRowInfo& info = rows[static_cast<size_t>(row)];
        const int choice = FindChoice(info, value);
        if (choice < 0) {
            QStringList shown;
            for (qsizetype i = 0; i < info.choices.size(); ++i)
                shown << QStringLiteral("%1 %2").arg(i).arg(
                    zel::options::DbText(info.choices.at(i)));
            error = KORVAN_TR("korvan-cli", "选项“%1”没有“%2”；可选：%3")
                        .arg(zel::options::DbCaption(info.caption), value,
                             shown.join(KORVAN_TR("korvan-cli", "，")));
            return std::nullopt;
        }
        choices[row] = choice;
    }
    return choices;
}

std::map<int, int> ChoicesFromValues(const std::vector<jobs::OptionRowInfo>& rows,
                                     const QString& values) {
    std::map<int, int> choices;
    const auto fitted = FitOptionValues(values, static_cast<int>(rows.size()));
    for (size_t i = 0; i < fitted.size(); ++i) {
        if (!fitted[i]) continue;
        const int value = *fitted[i];
        if (!rows[i].list && rows[i].choices.size() == 2)
            choices[static_cast<int>(i)] = value == 1 ? 0 : 1;
        else if (value >= 0 && value < rows[i].choices.size())
            choices[static_cast<int>(i)] = value;
    }
    return choices;
}

}  // namespace korvan::cli
