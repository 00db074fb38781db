#include "core/usersettings.h"

#include "core/increment.h"
#include "core/valueforms.h"

#include <QFileInfo>
#include <algorithm>
#include <climits>

namespace korvan {
namespace {

// A check box takes the stored 0 or 1; any other number leaves it as it was.
void ReadCheck(const IniDocument& doc, const QString& section, const QString& key,
               const QString& fallback, bool& into) {
    const qint64 value = ParseLeadingNumber(doc.read(section, key, fallback));
    if (value == 0 || value == 1) into = value == 1;
}

QString CheckText(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

QString FolderOf(const QString& file) {
    return QFileInfo(file).absolutePath() + '/';
}

}  // namespace

void LoadUserSettings(const IniDocument& doc, UserSettings& s, int seriesCount) {
    const qint64 mcu = ParseLeadingNumber(doc.read("UserSet", "MCU", "1"));
    s.Mcu = (mcu < 0 || mcu > INT_MAX || (seriesCount > 0 && mcu >= seriesCount))
                ? 0
                : static_cast<int>(mcu);
    ReadCheck(doc, "UserSet", "UserDown", "", s.UseResetCommand);
    ReadCheck(doc, "UserSet", "AutoData", "1", s.AutoData);
    ReadCheck(doc, "UserSet", "AutoType", "1", s.AutoType);
    ReadCheck(doc, "UserSet", "AutoDown", "", s.AutoDown);

    ReadCheck(doc, "AddData", "Open", "", s.IncOpen);
    s.IncAddress = ParseIncrementAddress(doc.read("AddData", "Add", "FFFC"));
    s.IncNext = ParseLeadingNumber(doc.read("AddData", "Data", "1"));
    s.IncFormat = doc.read("AddData", "Format", "%N");
    s.IncPool = doc.read("AddData", "Pool", "").trimmed();

    ReadCheck(doc, "Comm", "Hex", "1", s.TermHex);
    ReadCheck(doc, "Comm", "Crlf", "1", s.TermCrlf);
    s.TermTimer = ParseLeadingNumber(doc.read("Comm", "Timer", "1000"));
    s.TermSend = doc.read("Comm", "Send", "");

    s.Rest = doc.read("UserDown", "Rest", ";9600,N,8,1");
    ReadCheck(doc, "UserDown", "Run", "", s.RunAfter);
    const qint64 delay = ParseLeadingNumber(doc.read("UserDown", "Timer", ""));
    if (delay >= 0 && delay < static_cast<qint64>(RunDelays().size()))
        s.RunDelayIndex = static_cast<int>(delay);
    s.RunProgram = doc.read("UserDown", "Exe", "APP");
    s.RunParameters = doc.read("UserDown", "Cmd", "");

    s.OptionValues = ReadOptionValues(doc, s.Mcu);
}

void SaveUserSettings(IniDocument& doc, const UserSettings& s, const QString& codeFile,
                      const QString& settingsFile) {
    doc.write("UserSet", "MCU", QString::number(s.Mcu));
    doc.write("UserSet", "UserDown", CheckText(s.UseResetCommand));
    doc.write("UserSet", "AutoData", CheckText(s.AutoData));
    doc.write("UserSet", "AutoType", CheckText(s.AutoType));
    doc.write("UserSet", "AutoDown", CheckText(s.AutoDown));
    doc.write("UserSet", "UserFile", QuoteValue(CollapseAppPath(codeFile, FolderOf(settingsFile))));

    doc.write("AddData", "Open", CheckText(s.IncOpen));
    doc.write("AddData", "Add", IncrementAddressText(s.IncAddress));
    doc.write("AddData", "Data", QString::number(s.IncNext));
    doc.write("AddData", "Format", QuoteValue(s.IncFormat));
    // Files that never named a pool stay as they were.
    if (!s.IncPool.isEmpty() || doc.value("AddData", "Pool"))
        doc.write("AddData", "Pool", QuoteValue(s.IncPool));

    doc.write("Comm", "Hex", CheckText(s.TermHex));
    doc.write("Comm", "CrLf", CheckText(s.TermCrlf));
    doc.write("Comm", "Timer", QString::number(s.TermTimer));
    doc.write("Comm", "Send", QuoteValue(s.TermSend));

    doc.write("UserDown", "Rest", QuoteValue(s.Rest));
    doc.write("UserDown", "Run", CheckText(s.RunAfter));
    doc.write("UserDown", "Timer", QString::number(s.RunDelayIndex));
    doc.write("UserDown", "Exe", s.RunProgram);
    doc.write("UserDown", "Cmd", QuoteValue(s.RunParameters));

    if (!s.OptionValues.isEmpty()) WriteOptionValues(doc, s.Mcu, s.OptionValues);
}

QString ReadUserFile(const IniDocument& doc, const QString& folder) {
    return ExpandAppPath(doc.read("UserSet", "UserFile", ""), folder, Qt::CaseSensitive);
}

QString ReadOptionValues(const IniDocument& doc, int series) {
    return doc.read("Option", QString::number(series), "");
}

void WriteOptionValues(IniDocument& doc, int series, const QString& values) {
    doc.write("Option", QString::number(series), values);
}

std::vector<std::optional<int>> FitOptionValues(const QString& values, int count) {
    std::vector<std::optional<int>> fitted(static_cast<size_t>(std::max(count, 0)));
    const QStringList entries = values.isEmpty() ? QStringList() : values.split(',');
    for (qsizetype i = 0; i < entries.size() && i < count; ++i) {
        if (!entries[i].trimmed().isEmpty())
            fitted[static_cast<size_t>(i)] = ParseLeadingInt32(entries[i]);
    }
    return fitted;
}

const std::vector<int>& RunDelays() {
    static const std::vector<int> delays{500, 1000, 2000, 3000, 4000, 5000, 8000};
    return delays;
}

ResetCommand SplitRest(const QString& rest) {
    const qsizetype semicolon = rest.lastIndexOf(';');
    if (semicolon < 0) return {rest, rest};
    return {rest.left(semicolon), rest.mid(semicolon + 1)};
}

QString ProgramToRun(const UserSettings& s) {
    const QString program = s.RunProgram.trimmed();
    const QString upper = program.toUpper();
    if (!s.RunAfter || program.isEmpty() || upper == "APP" || upper == "SEND") return {};
    return s.RunParameters.isEmpty() ? program : program + ' ' + s.RunParameters;
}

}  // namespace korvan
