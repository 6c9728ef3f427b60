#include "app/StartOptions.h"

#include <algorithm>

namespace mivo {
namespace {

constexpr std::string_view kUsage = "Usage: mivo [-h | --help | -v | --version]\n"
                                    "Launcher for the ZSNES Super Nintendo emulator.\n"
                                    "\n"
                                    "  -h, --help     show this help and exit\n"
                                    "  -v, --version  show the version and exit\n";

// Options that Qt itself takes from the command line (with one dash or two, some with a value after
// them or after "="): the session manager restarts Mivo with -session, users pick -platform or -style.
constexpr std::string_view kQtOptions = " platform platformpluginpath platformtheme plugin qwindowgeometry "
                                        "geometry qwindowtitle title qwindowicon icon session reverse style "
                                        "stylesheet widgetcount display name nograb dograb qmljsdebugger ";

bool isQtOption(std::string_view argument) {
    argument.remove_prefix(argument.starts_with("--") ? 2 : 1);
    const std::string name = ' ' + std::string(argument.substr(0, argument.find('='))) + ' ';
    return kQtOptions.find(name) != std::string_view::npos;
}

} // namespace

std::optional<StartAnswer> answerStartOptions(std::span<char* const> arguments, std::string_view version) {
    for (const char* raw : arguments.subspan(std::min<std::size_t>(1, arguments.size()))) {
        const std::string_view argument(raw);
        if (argument == "--version" || argument == "-v")
            return StartAnswer{0, "Mivo " + std::string(version) + '\n', {}};
        if (argument == "--help" || argument == "-h")
            return StartAnswer{0, std::string(kUsage), {}};
        // Anything not starting with a dash is a value of one of Qt's options or is ignored, as always.
        if (argument.size() > 1 && argument.front() == '-' && !isQtOption(argument))
            return StartAnswer{
                2, {}, "mivo: unknown option '" + std::string(argument) + "'\n" + std::string(kUsage)};
    }
    return std::nullopt;
}

} // namespace mivo
