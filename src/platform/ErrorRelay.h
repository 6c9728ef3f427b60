#pragma once

#include "platform/FileDescriptor.h"

#include <optional>

namespace mivo {

// A small process of its own, not Mivo's GUI thread, that carries what a started program writes on its
// standard error on to where Mivo's own standard error goes, and hands Mivo a copy for as long as Mivo
// listens. The program's writes block and succeed as far as that destination takes them, exactly as
// without Mivo: never fail or stall because Mivo is slow, stopped or gone.
//
// The relay lives until the program and whatever it left behind have all let go of their standard error.
// It holds nothing else of Mivo's (no window system connection, no other descriptor), and it ignores
// hang-ups, Ctrl+C, SIGTERM and SIGPIPE, so that the end of Mivo or of its terminal never leaves the
// program writing into a pipe without a reader. Once nothing takes what it passes on, it drops it.
struct ErrorRelay {
    // To become the program's standard error: a plain pipe whose reader is the relay. Mivo lets go of its
    // copy once the program holds its own.
    FileDescriptor programSide;
    // A non-blocking socket on which the relay copies what it passes on, dropping what does not fit at
    // once. When Mivo shuts it for writing, or closes it, the relay copies what the program has written up
    // to then and closes its own end, so that the end of the copy is the end of what was written before.
    FileDescriptor copies;

    // Nothing where no relay can be made: the program then writes where Mivo's standard error goes.
    static std::optional<ErrorRelay> start();
};

} // namespace mivo
