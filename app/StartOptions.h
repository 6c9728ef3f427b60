#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace mivo {

// What Mivo prints before it ends, when its command line asks for an answer instead of a window.
struct StartAnswer {
    int exitCode = 0;
    std::string standardOutput;
    std::string standardError;
};

// What the command line asks of Mivo: an answer, after which it ends, or a start, with the ROM to choose.
struct StartRequest {
    std::optional<StartAnswer> answer;
    // As given, in the system's encoding; chosen once the window is up.
    std::optional<std::string> rom;
};

// Reads the command line before any window or display exists. `--version` (`-v`) and `--help` (`-h`) are
// answered with exit code 0; an option that neither Mivo nor Qt knows, or a second ROM, is refused with
// exit code 2. Qt's own options (-platform, -session, ...) and their values are left to Qt; any other word
// names the ROM.
StartRequest readStartOptions(std::span<char* const> arguments, std::string_view version);

} // namespace mivo
