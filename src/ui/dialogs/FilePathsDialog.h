#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace mivo {

class FileOpenDialog;
class RememberedFileDialog;

// What the File Paths window reaches in the main window. The window's fields are the run's working
// copy of both paths; the Romulus path is also kept here, outside the window, so that a window made
// again later shows it exactly as it stood.
struct FilePathsLinks {
    RememberedFileDialog& zsnesDialog;
    RememberedFileDialog& romulusDialog;
    FileOpenDialog& fileDialogs;
    QLabel& syntaxDisplay;
    QPushButton& viewSyntax;
    QPushButton& runPlay;
    QPushButton& loadRom;
    QString& romulusPath;
};

// The "File Paths" window, where the user chooses the emulator and the Romulus ROM manager. Every
// change of the Zsnes field is mirrored at once into the Zsnes file dialog and the syntax display.
class FilePathsDialog : public QWidget {
    Q_OBJECT

public:
    // Builds the window hidden and runs its load step.
    explicit FilePathsDialog(const FilePathsLinks& links);

    [[nodiscard]] QString zsnesPath() const;
    void setZsnesPath(const QString& path);
    [[nodiscard]] QString romulusPath() const;
    void setRomulusPath(const QString& path);
    // Start-up enables the Zsnes "Clear" when a path was restored.
    void enableZsnesClear();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void Text5_Change();
    void Command3_Click();
    void Command5_Click();
    void Command7_Click();
    void Command8_Click();

    FilePathsLinks m_links;
    QLineEdit* m_zsnesField;
    QLineEdit* m_romulusField;
    QPushButton* m_zsnesClear = nullptr;
};

} // namespace mivo
