// -p auto, and no -p at all: the one USB serial adapter present is the port. With none or with
// several the user is shown the ports with their numbers, to pick one.
#pragma once

#include "serialports.h"

#include <QString>
#include <optional>

namespace korvan::cli {

struct AutoPortChoice {
    std::optional<int> number;  // COMn of the one adapter
    QString message;            // which port was taken, or why none was and what there is
};

AutoPortChoice ChooseAutoPort(const QList<kserial::NumberedPort>& ports);

}  // namespace korvan::cli
