#include "fileerror.h"

#include <cstring>

namespace ktext {

QString FileError::systemText() const {
    if (errorNumber == 0) return {};
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}

}  // namespace ktext
