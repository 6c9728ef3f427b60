#pragma once

class QString;

namespace mivo {

// What the File Paths window tells the window that uses the paths. Each call is made at once, nested
// in the step of the File Paths window that makes it, so the listener's reaction comes before that
// step goes on.
class FilePathsListener {
public:
    virtual ~FilePathsListener() = default;

    // The syntax display is to show `text`: the Zsnes path as it now stands, or the placeholder.
    virtual void showSyntax(const QString& text) = 0;
    // The user has looked for the emulator, whether a file was chosen or not.
    virtual void zsnesPathSought() = 0;
    // The Zsnes path is gone: nothing can be run any more.
    virtual void zsnesPathGone() = 0;
    // The Romulus field now holds `path`. The window does not outlive its closing, the path must.
    virtual void romulusPathChanged(const QString& path) = 0;
};

} // namespace mivo
