#pragma once

#include "platform/DesktopServices.h"
#include "platform/FileOpenDialog.h"
#include "platform/ProgramStarter.h"
#include "platform/SettingsStore.h"
#include "platform/TrayIcon.h"

namespace mivo {

// Everything Mivo does to the world outside its windows, handed to the windows that need it. The
// program wires the Qt implementations; the tests wire fakes that record what happened.
struct Platform {
    SettingsStore& settings;
    ProgramStarter& programs;
    FileOpenDialog& fileDialogs;
    UrlOpener& urls;
    Beeper& beeper;
    Messenger& messages;
    ErrorLog& errors;
    TrayIcon& tray;
    ProcessEnd& processEnd;
};

} // namespace mivo
