#include "app/Program.h"
#include "app/StartOptions.h"
#include "core/Version.h"

#include <QApplication>

#include <cstdio>
#include <span>

int main(int argc, char* argv[]) {
    // Answered before any window, so that these work without a display.
    if (const auto answer = mivo::answerStartOptions(std::span(argv, argc), mivo::kVersion)) {
        std::fputs(answer->standardOutput.c_str(), stdout);
        std::fputs(answer->standardError.c_str(), stderr);
        return answer->exitCode;
    }

    QApplication app(argc, argv);
    return mivo::runMivo();
}
