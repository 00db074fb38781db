#include "windows/shellstate.h"

namespace korvan {

ShellState& Shell() {
    static ShellState state;
    return state;
}

}  // namespace korvan
