#include "desktop/calculator.h"

#include <QProcess>
#include <QStandardPaths>

namespace korvan::desktop {

const QStringList& CalculatorCandidates() {
    static const QStringList names = {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
                                      QStringLiteral("galculator"), QStringLiteral("xcalc")};
    return names;
}

QString FindCalculator() {
    for (const QString& name : CalculatorCandidates()) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty()) return path;
    }
    return {};
}

bool StartCalculator() {
    const QString program = FindCalculator();
    return !program.isEmpty() && QProcess::startDetached(program, {});
}

}  // namespace korvan::desktop
