#include "jobs/engineoptions.h"

#include "optionmodel.h"
#include "zelcontext.h"
#include "zeldb.h"

#include <QSet>

namespace korvan::jobs {

namespace {

zel::options::OptionModel ModelOf(const zel::ZelContext& ctx, int series) {
    zel::options::OptionModel model;
    const zel::DbText& db = *ctx.Db;
    model.Build(zel::LoadSeriesParameters(db, zel::LoadTypeList(db), series),
                [&db](const QString& id) { return zel::ReadDb(db, QStringLiteral("PAR"), id); });
    return model;
}

int CurrentChoice(const zel::options::OptionRow& row, const zel::ZelContext& ctx) {
    for (const QString& text : ctx.Chip.OptionDescriptors) {
        const zel::options::OptionDescriptor d = zel::options::ParseDescriptor(text);
        if (!d.valid || d.parameterId != row.parameterId ||
            static_cast<size_t>(d.byteIndex) >= ctx.Chip.StatusBytes.size())
            continue;
        const uint8_t byte = ctx.Chip.StatusBytes[static_cast<size_t>(d.byteIndex)];
        if (row.kind() == zel::options::RowKind::Choice) {
            const int bit = (byte >> d.high) & 1;
            return bit == (row.polarity == 0 ? 1 : 0) ? 0 : 1;
        }
        if (row.kind() == zel::options::RowKind::List && d.low >= 0) {
            const int value = (byte >> d.low) & ((1 << (d.high - d.low + 1)) - 1);
            return value < row.items.size() ? value : -1;
        }
    }
    return -1;
}

}  // namespace

std::vector<OptionRowInfo> ReadOptionRows(const zel::ZelContext& ctx, int series) {
    const zel::options::OptionModel model = ModelOf(ctx, series);
    std::vector<OptionRowInfo> rows;
    for (int i = 0; i < model.OptCount(); ++i) {
        const zel::options::OptionRow& row = model.row(i);
        OptionRowInfo info;
        info.number = i + 1;
        info.caption = row.captionField.trimmed();
        while (info.caption.endsWith(QStringLiteral("：")) || info.caption.endsWith(u':'))
            info.caption = info.caption.chopped(1).trimmed();
        if (row.kind() == zel::options::RowKind::Choice)
            info.choices = {row.firstText().trimmed(), row.secondText().trimmed()};
        info.list = row.kind() == zel::options::RowKind::List;
        if (info.list)
            for (const QString& item : row.items) info.choices << item.trimmed();
        if (row.invalid) info.caption = row.caption;
        info.current = CurrentChoice(row, ctx);
        rows.push_back(info);
    }
    return rows;
}

void WriteOptionChoices(zel::ZelContext& ctx, int series, const std::map<int, int>& choices) {
    if (choices.empty()) return;
    zel::options::OptionModel model = ModelOf(ctx, series);
    QSet<QString> chosen;
    for (const auto& [row, choice] : choices) {
        if (row < 0 || row >= model.OptCount()) continue;
        const bool twoChoices = model.row(row).kind() == zel::options::RowKind::Choice;
        model.setOptValue(row, twoChoices ? (choice == 0 ? 1 : 0) : choice);
        chosen.insert(model.row(row).parameterId);
    }
    QStringList descriptors;
    for (const QString& text : ctx.Chip.OptionDescriptors)
        if (chosen.contains(zel::options::ParseDescriptor(text).parameterId)) descriptors << text;
    model.CommitOptions(descriptors, ctx.Chip.StatusBytes);
}

}  // namespace korvan::jobs
