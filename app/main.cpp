#include "app/Program.h"
#include "app/StartOptions.h"
#include "core/Version.h"

#include <QApplication>
#include <QFile>

#include <cstdio>
#include <optional>
#include <span>

int main(int argc, char* argv[]) {
    // Answered before any window, so that these work without a display.
    const auto request = mivo::readStartOptions(std::span(argv, argc), mivo::kVersion);
    if (const auto& answer = request.answer) {
        std::fputs(answer->standardOutput.c_str(), stdout);
        std::fputs(answer->standardError.c_str(), stderr);
        return answer->exitCode;
    }

    QApplication app(argc, argv);
    std::optional<QString> rom;
    if (request.rom)
        rom = QFile::decodeName(request.rom->c_str());
    return mivo::runMivo(rom);
}
