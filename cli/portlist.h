// The ports of a gang run as the command line names them: "-p A -p B", "--ports A,B,C", and
// "--sim MODELxN" for N virtual chips of one model.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace korvan::cli {

// The most ports (or virtual chips) one run drives at once.
inline constexpr int kMaxPorts = 64;

struct SimCount {
    QString model;
    int count = 1;
};

// "D103" is one chip, "D103x4" (or "D103X4") four. The count is taken only when the text ends
// in "x" and digits after a non-empty model, so a model name ending in "X" stays whole.
std::optional<SimCount> ParseSimCount(const QString& text, QString& error);

// "A,B,C": the names in order; an empty name (",," or a trailing ",") is an error.
std::optional<QStringList> ParsePortList(const QString& text, QString& error);

// The whole list checked once it is complete: no name twice, at most kMaxPorts. "" when fine.
QString CheckPortList(const QStringList& ports);

}  // namespace korvan::cli
