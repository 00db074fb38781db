// The desktop's calculator for the Tools menu.
#pragma once

#include <QString>
#include <QStringList>

namespace korvan::desktop {

// The usual calculators, in the order they are tried.
const QStringList& CalculatorCandidates();
// The full path of the first of them that is installed; empty when none is.
QString FindCalculator();
// Starts it; calculators that run once per user bring their open window forward instead.
bool StartCalculator();

}  // namespace korvan::desktop
