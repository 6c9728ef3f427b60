#include "platform/ImmediateProcessEnd.h"

#include <cstdio>
#include <cstdlib>

namespace mivo {

void ImmediateProcessEnd::endNow(int exitStatus) {
    // _Exit skips the stdio flush that exit() would do, so the buffers are emptied by hand first.
    std::fflush(nullptr);
    std::_Exit(exitStatus);
}

} // namespace mivo
