// The option editor's rows without any widgets: what each row shows and holds, the choices the
// user made, and how those choices are written into the chip's status bytes. The editor widgets
// mirror this model; the engine's option step calls CommitOptions.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

namespace zel::options {

enum class RowKind { None, Choice, List, Unknown };

// One editor row. Rows are created on demand and kept for the life of the editor; a rebuild
// rewrites the first rows and leaves the rest as they were.
struct OptionRow {
    // The tags: "1" two choices, "2" a list, another kind as written, "" none. A row whose
    // [PAR] entry is invalid has neither kind nor parameter id, so it reads 0 and is never
    // written to the chip.
    QString kindText;
    QString parameterId;

    QString caption;       // "<row number>、<caption>", or "无效参数"
    bool invalid = false;  // the caption is an error and shown in red
    QString captionField;  // the padded caption, which places the choice columns
    QString firstField;    // kind 1: the padded texts of the two choices
    QString secondField;
    int polarity = 0;  // kind 1: 0 = the first choice sets the bit, 1 = it clears it
    bool firstSelected = true;
    QStringList items;   // kind 2: the text of every bit-field value
    int listIndex = -1;  // kind 2: -1 = nothing selected
    bool enabled = true;
    bool choicesVisible = false;
    bool listVisible = false;

    RowKind kind() const;
    QString firstText() const;  // the choice texts without their padding
    QString secondText() const;
};

// A descriptor of the chip's [OPTION] list: "<par>-<byte>-<bit>" or "<par>-<byte>-<high>-<low>".
struct OptionDescriptor {
    bool valid = false;  // par, a byte index and at least one bit number 0..7
    QString parameterId;
    int byteIndex = 0;
    int high = 0;  // the bit of a kind-1 option
    int low = -1;  // -1 when the descriptor names one bit only
};
OptionDescriptor ParseDescriptor(const QString& text);

class OptionModel {
  public:
    static constexpr auto kInvalidCaption = u"无效参数";

    // Rebuilds the rows for a series: one row per parameter id, in order; `readPar` gives the
    // [PAR] value of an id ("" when missing). Every rebuilt row is enabled again.
    void Build(const QStringList& parameterIds,
               const std::function<QString(const QString&)>& readPar);

    // Rows of the current series (0 before the first build); rowCount() also counts the rows
    // kept from a longer series.
    int16_t OptCount() const { return m_count; }
    int rowCount() const { return static_cast<int>(m_rows.size()); }
    const OptionRow& row(int index) const { return m_rows.at(static_cast<size_t>(index)); }

    // Kind 1: 1 when the first choice is selected, else 0. Kind 2: the list index. 0 for rows
    // of any other kind and for indices outside 0..OptCount()-1.
    int32_t OptValue(int index) const;
    // Kind 1: 1 selects the first choice, anything else the second, then Click runs. Kind 2: a
    // valid list index, or -1 for none; other values are ignored, as are indices out of range.
    void setOptValue(int index, int32_t value);

    // A choice of row `index` was picked: it becomes selected, and on the row of parameter 24
    // (the watchdog's automatic start) the later rows of parameters 21 and 25 follow it: enabled
    // for the first choice, disabled for the second. Rows before it are left alone.
    void Click(int index, bool first);

    // Writes the choices into the status bytes, descriptor by descriptor, at the bits the
    // descriptor names. Every row of the descriptor's parameter is applied in row order (a
    // repeated parameter: the later row wins). Bits no row covers keep the chip's values;
    // descriptors outside the status bytes, or not matching the row's kind, are skipped, and so
    // is a list with nothing selected.
    void CommitOptions(const QStringList& descriptors, std::vector<uint8_t>& statusBytes) const;

  private:
    void applyRow(const OptionRow& row, const OptionDescriptor& d, uint8_t& byte) const;

    std::vector<OptionRow> m_rows;
    int16_t m_count = 0;
};

}  // namespace zel::options
