#include "commerror.h"

#include <system_error>

namespace kserial {

QString systemErrorText(int err) {
    return QString::fromStdString(std::generic_category().message(err));
}

}  // namespace kserial
