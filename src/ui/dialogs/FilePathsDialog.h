#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace mivo {

class FileOpenDialog;
class RememberedFileDialog;

// The "File Paths" window, where the user chooses the emulator and the Romulus ROM manager. Every
// change of the Zsnes field is mirrored at once into the Zsnes file dialog. The two file dialogs belong
// to the main window, which remembers their file names for the whole run. The window says what happened
// through its signals, each sent at once, nested in the step that sends it, so that what the listener
// does comes before that step goes on.
class FilePathsDialog : public QWidget {
    Q_OBJECT

public:
    // Builds the window hidden and empty; fillFields fills it once whoever listens is connected. The
    // dialogs and `fileDialogs` must outlive the window.
    FilePathsDialog(RememberedFileDialog& zsnesDialog, RememberedFileDialog& romulusDialog,
                    FileOpenDialog& fileDialogs);

    // The load step: the Zsnes field takes the Zsnes dialog's file name, the Romulus field `romulusPath`.
    void fillFields(const QString& romulusPath);

    [[nodiscard]] QString zsnesPath() const;
    void setZsnesPath(const QString& path);
    [[nodiscard]] QString romulusPath() const;
    void setRomulusPath(const QString& path);

signals:
    // The Zsnes field now holds `path`: typed, chosen, restored or cleared.
    void zsnesPathChanged(const QString& path);
    // The user has looked for the emulator, whether a file was chosen or not; `fileName` is the Zsnes
    // dialog's file name afterwards, empty when none was ever chosen.
    void zsnesPathSought(const QString& fileName);
    void zsnesPathCleared();
    // The window is closing and goes; `romulusPath` is its Romulus path as it stands at the end.
    void closing(const QString& romulusPath);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void zsnesFieldChanged();
    void findZsnes();
    void clearZsnes();
    void findRomulus();
    void clearRomulus();

    RememberedFileDialog& m_zsnesDialog;
    RememberedFileDialog& m_romulusDialog;
    FileOpenDialog& m_fileDialogs;
    QLineEdit* m_zsnesField;
    QLineEdit* m_romulusField;
};

} // namespace mivo
