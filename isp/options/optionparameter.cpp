#include "optionparameter.h"

#include <algorithm>

namespace zel::options {

QString ParameterDef::kindText() const {
    return field(0).trimmed();
}

int ParameterDef::first() const {
    return LeadingInteger(field(1));
}

QString ParameterDef::caption() const {
    return field(2);
}

QString ParameterDef::field(qsizetype index) const {
    return index >= 0 && index < fields.size() ? fields.at(index) : QString();
}

ParameterDef ParseParameter(const QString& value) {
    ParameterDef def;
    if (value.isEmpty()) return def;
    def.fields = value.split(u',');
    def.valid = def.fields.size() >= 3;
    return def;
}

QString RightTrimmed(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace()) --end;
    return text.left(end);
}

int LeadingInteger(const QString& text) {
    const QString t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t.at(i) == u'-' || t.at(i) == u'+')) {
        negative = t.at(i) == u'-';
        ++i;
    }
    int value = 0;
    for (; i < t.size() && t.at(i) >= u'0' && t.at(i) <= u'9'; ++i)
        value = std::min(value * 10 + (t.at(i).unicode() - u'0'), 1 << 20);
    return negative ? -value : value;
}

}  // namespace zel::options
