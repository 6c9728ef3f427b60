#pragma once

#include <QObject>

class QLabel;
class QListWidgetItem;

namespace mivo {

class FileOpenDialog;
class RememberedFileDialog;
class RomPage;

// Chooses the ROM the emulator runs: from the ROM file dialog, or by a double click (or Return) on
// a file of the list. The choice lives in the ROM display and nowhere else.
class RomChoice : public QObject {
    Q_OBJECT

public:
    RomChoice(RomPage& page, QLabel& romDisplay, RememberedFileDialog& romDialog, FileOpenDialog& fileDialogs,
              QObject* parent);

private:
    void Command4_Click();
    void Command6_Click();
    void File1_DblClick(const QListWidgetItem* item);

    RomPage& m_page;
    QLabel& m_romDisplay;
    RememberedFileDialog& m_romDialog;
    FileOpenDialog& m_fileDialogs;
};

} // namespace mivo
