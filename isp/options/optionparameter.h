// One [PAR] entry of zel.db: what an option is called, how it is stored (a two-choice bit or a
// list-valued bit field) and the texts of its choices.
#pragma once

#include <QString>
#include <QStringList>

namespace zel::options {

struct ParameterDef {
    // An entry needs at least a kind, field 1 and a caption; anything shorter is shown as an
    // invalid parameter.
    bool valid = false;
    QStringList fields;  // as stored: captions and choices keep their padding

    // Field 0 as written, trimmed: "1" two choices, "2" a list; other values are unknown kinds.
    QString kindText() const;
    // Field 1 read as an integer: the polarity of a kind-1 entry, the first list index of a
    // kind-2 entry. The leading digits count ("1 " and "1x" are 1); no digits give 0.
    int first() const;
    // Field 2, untrimmed: the padding lines the choice columns up.
    QString caption() const;
    // Field `index`, untrimmed; "" when the entry is shorter.
    QString field(qsizetype index) const;
};

// Splits a [PAR] value at commas.
ParameterDef ParseParameter(const QString& value);

// The text with its trailing blanks removed (captions and choices are padded with them).
QString RightTrimmed(const QString& text);

// The leading decimal number of a field, sign allowed; 0 when there is none. Values are capped
// so that absurd digits cannot overflow.
int LeadingInteger(const QString& text);

}  // namespace zel::options
