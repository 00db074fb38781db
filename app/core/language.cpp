#include "core/language.h"

#include "core/apppaths.h"

#include <QFileInfo>

namespace korvan {

LangTable LangTable::load(const QString& langFile) {
    LangTable table;
    table.exists_ = QFileInfo(langFile).isFile();
    if (table.exists_) table.doc_ = IniDocument::load(langFile);
    return table;
}

QString LangTable::text(int id, const QString& fallback) const {
    const QString value = doc_.read("Lang", QString::number(id), "");
    return value.isEmpty() ? fallback : value;
}

QString LangText(int id, const QString& fallback) {
    return LangTable::load(CurrentAppPaths().langFile()).text(id, fallback);
}

}  // namespace korvan
