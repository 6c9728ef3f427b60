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

// Reads the command line before any window or display exists. `--version` (`-v`) and `--help` (`-h`) are
// answered with exit code 0; an option that neither Mivo nor Qt knows is refused with exit code 2. Nothing to
// answer (no option, or only Qt's own such as -platform or -session) gives no answer, and Mivo starts.
std::optional<StartAnswer> answerStartOptions(std::span<char* const> arguments, std::string_view version);

} // namespace mivo
