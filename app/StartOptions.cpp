#include "app/StartOptions.h"

#include <algorithm>

namespace mivo {
namespace {

constexpr std::string_view kUsage =
    "Usage: mivo [OPTION]... [ROM]\n"
    "Launcher for the ZSNES Super Nintendo emulator. A ROM given here is chosen\n"
    "as Load Rom..... chooses it; nothing starts before Run/Play is pressed.\n"
    "\n"
    "  -h, --help     show this help and exit\n"
    "  -v, --version  show the version and exit\n"
    "\n"
    "Qt's own options, such as -platform or -style, are passed to Qt.\n";

// Options that Qt itself takes from the command line (with one dash or two, some with a value after
// them or after "="): the session manager restarts Mivo with -session, users pick -platform or -style.
constexpr std::string_view kQtOptionsWithValue = " platform platformpluginpath platformtheme plugin "
                                                 "qwindowgeometry geometry qwindowtitle title qwindowicon "
                                                 "icon session style stylesheet display name ";
constexpr std::string_view kQtOptionsAlone = " reverse widgetcount nograb dograb qmljsdebugger ";

enum class QtOption { None, Alone, WithValue };

QtOption qtOption(std::string_view argument) {
    argument.remove_prefix(argument.starts_with("--") ? 2 : 1);
    const std::size_t equals = argument.find('=');
    const std::string name = ' ' + std::string(argument.substr(0, equals)) + ' ';
    if (kQtOptionsWithValue.find(name) != std::string_view::npos)
        return equals == std::string_view::npos ? QtOption::WithValue : QtOption::Alone;
    return kQtOptionsAlone.find(name) != std::string_view::npos ? QtOption::Alone : QtOption::None;
}

StartAnswer refusal(const std::string& reason) {
    return {2, {}, "mivo: " + reason + '\n' + std::string(kUsage)};
}

} // namespace

StartRequest readStartOptions(std::span<char* const> arguments, std::string_view version) {
    StartRequest request;
    const auto words = arguments.subspan(std::min<std::size_t>(1, arguments.size()));
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string_view argument(words[i]);
        if (argument == "--version" || argument == "-v")
            return {StartAnswer{0, "Mivo " + std::string(version) + '\n', {}}, {}};
        if (argument == "--help" || argument == "-h")
            return {StartAnswer{0, std::string(kUsage), {}}, {}};
        // A lone dash is no option, and no file either: it is ignored, as always.
        if (argument == "-")
            continue;
        if (!argument.empty() && argument.front() == '-') {
            const QtOption option = qtOption(argument);
            if (option == QtOption::None)
                return {refusal("unknown option '" + std::string(argument) + "'"), {}};
            if (option == QtOption::WithValue)
                ++i;
            continue;
        }
        if (request.rom)
            return {
                refusal("one ROM at a time, not '" + *request.rom + "' and '" + std::string(argument) + "'"),
                {}};
        request.rom = std::string(argument);
    }
    return request;
}

} // namespace mivo
