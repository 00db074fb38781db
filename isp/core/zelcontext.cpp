#include "zelcontext.h"

namespace zel {

ZelContext& ZelContext::processWide() {
    static ZelContext context;
    return context;
}

}  // namespace zel
