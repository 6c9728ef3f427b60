#pragma once

#include <QString>
#include <QWidget>

class QListView;
class QModelIndex;
class QPushButton;

namespace mivo {

class FileOpenDialog;
class FileChooser;

// The "Rom(s)" tab: the ROM files of the folder Mivo was started in, and the buttons that choose or
// drop a ROM. The ROM is chosen from the ROM file dialog, or by a double click (or Return) on a file
// of the list; the choice lives in the ROM display and nowhere else. The list shows the folder that is
// current when the page is built, read once, just after the window's first frame.
class RomPage : public QWidget {
    Q_OBJECT

public:
    // `fileDialogs` must outlive the page.
    RomPage(FileOpenDialog& fileDialogs, QWidget* parent);

    // "Load Rom....." becomes usable once the emulator has been looked for.
    void enableLoadRom();
    // Chooses `path` as a file chosen in "Load Rom....." is chosen: a later cancelled dialog shows it again.
    void chooseRom(const QString& path);

signals:
    // A ROM was chosen, in the dialog or from the list: `path` is its full path.
    void romChosen(const QString& path);
    // The choice is gone: cleared, or a dialog closed that had nothing to give.
    void noRomChosen();

private:
    void chooseRomFile();
    void clearRom();
    void romActivated(const QModelIndex& entry);

    FileOpenDialog& m_fileDialogs;
    FileChooser* m_romChooser;
    // The folder the list shows, as the system names it.
    QString m_listFolder;
    QListView* m_romList;
    QPushButton* m_loadButton;
    QPushButton* m_clearButton;
};

} // namespace mivo
