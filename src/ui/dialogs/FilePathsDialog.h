#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace mivo {

class FileOpenDialog;
class FilePathsListener;
class RememberedFileDialog;

// The "File Paths" window, where the user chooses the emulator and the Romulus ROM manager. Every
// change of the Zsnes field is mirrored at once into the Zsnes file dialog and the syntax display.
// The two file dialogs belong to the main window, which remembers their file names for the whole run;
// the Romulus path is also kept outside, so that a window made again later shows it exactly as it stood.
class FilePathsDialog : public QWidget {
    Q_OBJECT

public:
    // Builds the window hidden and runs its load step. `listener`, the dialogs and `fileDialogs` must
    // outlive the window.
    FilePathsDialog(FilePathsListener& listener, RememberedFileDialog& zsnesDialog,
                    RememberedFileDialog& romulusDialog, FileOpenDialog& fileDialogs,
                    const QString& romulusPath);

    [[nodiscard]] QString zsnesPath() const;
    void setZsnesPath(const QString& path);
    [[nodiscard]] QString romulusPath() const;
    void setRomulusPath(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load(const QString& romulusPath);
    void Text5_Change();
    void Command3_Click();
    void Command5_Click();
    void Command7_Click();
    void Command8_Click();

    FilePathsListener& m_listener;
    RememberedFileDialog& m_zsnesDialog;
    RememberedFileDialog& m_romulusDialog;
    FileOpenDialog& m_fileDialogs;
    QLineEdit* m_zsnesField;
    QLineEdit* m_romulusField;
};

} // namespace mivo
