#pragma once

#include <QString>

#include <optional>

namespace mivo {

class MainWindow;
class Messenger;

// Why the file at `path` cannot be read, in the system's words; nothing when it can. A folder is no file.
std::optional<QString> unreadableReason(const QString& path);

// Chooses the ROM named on the command line, as "Load Rom....." chooses a file, with its full path. One
// that cannot be read is told in a warning over the window, naming it and the system's reason, and is not
// chosen. Nothing is started.
void chooseStartRom(MainWindow& window, Messenger& messages, const QString& path);

} // namespace mivo
