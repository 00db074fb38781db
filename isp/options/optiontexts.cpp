#include "optiontexts.h"

#include <algorithm>

#include "optionlayout.h"
#include "text.h"

namespace zel::options {

QString DbText(const QString& text) {
    const QString key = text.trimmed();
    if (key.isEmpty()) return text;
    const QByteArray source = key.toUtf8();
    const QString translated = QCoreApplication::translate("zel.db", source.constData());
    return translated == key ? text : translated;
}

QString DbCaption(const QString& caption) {
    const QString direct = DbText(caption);
    if (direct != caption) return direct;
    const QString withColon = caption.trimmed() + QStringLiteral("：");
    QString translated = DbText(withColon);
    if (translated == withColon) return caption;
    while (translated.endsWith(QLatin1Char(':'))) translated.chop(1);
    return translated.trimmed();
}

QString DbOptionLine(const QString& line) {
    const qsizetype colon = line.indexOf(QStringLiteral("："));
    if (colon < 0) return DbText(line);
    const QString caption = line.left(colon + 1);
    const QString choice = line.mid(colon + 1).trimmed();
    const QString shownCaption = DbText(caption);
    const QString shownChoice = DbText(choice);
    if (shownCaption == caption && shownChoice == choice) return line;
    return shownCaption.trimmed() + QLatin1Char(' ') + shownChoice;
}

ShownRow ShowRow(const OptionRow& row, int index) {
    ShownRow shown{row, false};
    OptionRow& r = shown.row;
    if (row.invalid) {
        r.caption = KORVAN_TR("zel", "无效参数");
        return shown;
    }
    const QString caption = DbText(row.captionField);
    shown.translated = caption != row.captionField;
    if (shown.translated) {
        r.captionField = caption;
        r.caption = KORVAN_TR("zel", "%1、%2").arg(index + 1).arg(caption);
    }
    r.firstField = DbText(row.firstField);
    r.secondField = DbText(row.secondField);
    for (QString& item : r.items) item = DbText(item);
    return shown;
}

void PadTranslatedRows(std::vector<ShownRow>& rows,
                       const std::function<int(const QString&)>& textWidth) {
    int widest = 0;
    for (const ShownRow& s : rows)
        if (s.translated) widest = std::max(widest, textWidth(s.row.captionField));
    const auto padTo = [&textWidth](QString& text, int width) {
        // A space can measure nothing in an odd font; the limit keeps the loop finite.
        for (int i = 0; i < 200 && textWidth(text) < width; ++i) text += QLatin1Char(' ');
    };
    for (ShownRow& s : rows) {
        if (!s.translated) continue;
        padTo(s.row.captionField, widest);
        if (s.row.kind() == RowKind::Choice)
            padTo(s.row.firstField, textWidth(s.row.firstText()) + design::kChoiceExtra);
    }
}

}  // namespace zel::options
