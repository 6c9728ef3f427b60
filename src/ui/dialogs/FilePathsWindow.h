#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace mivo {

class Choices;
class FileChooser;
class FileOpenDialog;

// The "File Paths" window, where the user chooses the emulator and the Romulus ROM manager. Its fields
// show the two paths of `choices` and change them as they are edited. The two choosers belong to the
// main window, which remembers their file names for the whole run. The window says what else happened
// through its signals, each sent at once, nested in the step that sends it, so that what the listener
// does comes before that step goes on.
class FilePathsWindow : public QWidget {
    Q_OBJECT

public:
    // Builds the window hidden, its fields showing the paths as they are; making it changes nothing.
    // `choices`, the choosers and `fileDialogs` must outlive the window.
    FilePathsWindow(Choices& choices, FileChooser& zsnesChooser, FileChooser& romulusChooser,
                    FileOpenDialog& fileDialogs);

    // What loading the window does to the paths, whether it is shown or not: its Zsnes field, made with
    // its designed text, takes the Zsnes chooser's file name, and a change of that text is a change of
    // the path, which puts the bare path on the line. The Romulus field takes the Romulus path, which
    // changes nothing.
    static void load(Choices& choices, const FileChooser& zsnesChooser);

signals:
    // The user has looked for the emulator, whether a file was chosen or not; `fileName` is the Zsnes
    // chooser's file name afterwards, empty when none was ever chosen.
    void zsnesPathSought(const QString& fileName);
    void zsnesPathCleared();
    // The window is closing and goes.
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void findZsnes();
    void clearZsnes();
    void findRomulus();
    void clearRomulus();

    Choices& m_choices;
    FileChooser& m_zsnesChooser;
    FileChooser& m_romulusChooser;
    FileOpenDialog& m_fileDialogs;
    QLineEdit* m_zsnesField;
    QLineEdit* m_romulusField;
};

} // namespace mivo
