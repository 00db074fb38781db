#include "optionmodel.h"

#include <algorithm>
#include <limits>

#include "modfun.h"
#include "optionparameter.h"

namespace zel::options {
namespace {

const QString kWatchdogStart = QStringLiteral("24");
const QString kWatchdogPrescale = QStringLiteral("21");
const QString kWatchdogIdleStop = QStringLiteral("25");

// A whole number in 0..limit, or -1.
int Bounded(const QString& text, int limit) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok && value >= 0 && value <= limit ? value : -1;
}

}  // namespace

RowKind OptionRow::kind() const {
    if (kindText.isEmpty()) return RowKind::None;
    if (kindText == u"1") return RowKind::Choice;
    if (kindText == u"2") return RowKind::List;
    return RowKind::Unknown;
}

QString OptionRow::firstText() const {
    return RightTrimmed(firstField);
}

QString OptionRow::secondText() const {
    return RightTrimmed(secondField);
}

OptionDescriptor ParseDescriptor(const QString& text) {
    OptionDescriptor d;
    const QStringList parts = text.split(u'-');
    if (parts.size() < 3) return d;
    d.parameterId = parts.at(0).trimmed();
    d.byteIndex = Bounded(parts.at(1), std::numeric_limits<int>::max());
    d.high = Bounded(parts.at(2), 7);
    if (parts.size() >= 4) {
        d.low = Bounded(parts.at(3), 7);
        if (d.low < 0 || d.low > d.high) return d;
    }
    d.valid = !d.parameterId.isEmpty() && d.byteIndex >= 0 && d.high >= 0;
    return d;
}

void OptionModel::Build(const QStringList& parameterIds,
                        const std::function<QString(const QString&)>& readPar) {
    m_count = 0;
    const int n = static_cast<int>(std::min<qsizetype>(parameterIds.size(), 32767));
    if (static_cast<int>(m_rows.size()) < n) m_rows.resize(static_cast<size_t>(n));

    for (int i = 0; i < n; ++i) {
        OptionRow& row = m_rows[static_cast<size_t>(i)];
        const QString id = parameterIds.at(i).trimmed();
        const ParameterDef def = ParseParameter(readPar(id));
        row.enabled = true;
        if (!def.valid) {
            row.caption = QString::fromUtf16(kInvalidCaption);
            row.invalid = true;
            row.kindText.clear();
            row.parameterId.clear();
            row.choicesVisible = false;
            row.listVisible = false;
            continue;
        }
        row.kindText = def.kindText();
        row.parameterId = id;
        row.invalid = false;
        row.captionField = def.caption();
        row.caption = QString::number(i + 1) + QStringLiteral("、") + def.caption();

        switch (row.kind()) {
            case RowKind::Choice:
                row.firstField = def.field(3);
                row.secondField = def.field(4);
                row.polarity = def.first();
                row.firstSelected = def.first() == 0;
                row.choicesVisible = true;
                row.listVisible = false;
                break;
            case RowKind::List: {
                row.items = def.fields.mid(3);
                const int first = def.first();
                row.listIndex = first >= 0 && first < row.items.size() ? first : -1;
                row.listVisible = true;
                row.choicesVisible = false;
                break;
            }
            case RowKind::None:
            case RowKind::Unknown:
                // Choices left from another parameter would mean nothing under this caption.
                row.choicesVisible = false;
                row.listVisible = false;
                break;
        }
    }
    m_count = static_cast<int16_t>(n);
}

int32_t OptionModel::OptValue(int index) const {
    if (index < 0 || index >= m_count) return 0;
    const OptionRow& r = row(index);
    switch (r.kind()) {
        case RowKind::Choice:
            return r.firstSelected ? 1 : 0;
        case RowKind::List:
            return r.listIndex;
        default:
            return 0;
    }
}

void OptionModel::setOptValue(int index, int32_t value) {
    if (index < 0 || index >= m_count) return;
    OptionRow& r = m_rows[static_cast<size_t>(index)];
    switch (r.kind()) {
        case RowKind::Choice:
            Click(index, value == 1);
            break;
        case RowKind::List:
            if (value >= -1 && value < r.items.size()) r.listIndex = value;
            break;
        default:
            break;
    }
}

void OptionModel::Click(int index, bool first) {
    if (index < 0 || index >= rowCount()) return;
    m_rows[static_cast<size_t>(index)].firstSelected = first;
    if (m_rows[static_cast<size_t>(index)].parameterId != kWatchdogStart) return;
    for (int j = index; j < m_count; ++j) {
        OptionRow& r = m_rows[static_cast<size_t>(j)];
        if (r.parameterId == kWatchdogPrescale || r.parameterId == kWatchdogIdleStop)
            r.enabled = first;
    }
}

void OptionModel::CommitOptions(const QStringList& descriptors,
                                std::vector<uint8_t>& statusBytes) const {
    for (const QString& text : descriptors) {
        const OptionDescriptor d = ParseDescriptor(text);
        if (!d.valid || static_cast<size_t>(d.byteIndex) >= statusBytes.size()) continue;
        uint8_t& byte = statusBytes[static_cast<size_t>(d.byteIndex)];
        for (int j = 0; j < m_count; ++j) {
            const OptionRow& r = row(j);
            if (r.parameterId == d.parameterId) applyRow(r, d, byte);
        }
    }
}

void OptionModel::applyRow(const OptionRow& r, const OptionDescriptor& d, uint8_t& byte) const {
    switch (r.kind()) {
        case RowKind::Choice: {
            const bool clear =
                (!r.firstSelected && r.polarity == 0) || (r.firstSelected && r.polarity == 1);
            SetBit(byte, d.high, !clear);
            break;
        }
        case RowKind::List:
            if (d.low < 0 || r.listIndex < 0) return;
            SetBits(byte, d.high, d.low, r.listIndex);
            break;
        default:
            break;
    }
}

}  // namespace zel::options
