#pragma once

#include <QStringListModel>

#include <stop_token>
#include <thread>

class QWidget;

namespace mivo {

// The names of the ROM files of one folder: its "*.smc" files, matched without regard to case (ROM
// dumps come as ".smc" and ".SMC" alike), in name order ignoring case. The folder is read once, on a
// thread of its own and only after the window's first frame, so that a folder of a hundred thousand
// ROMs neither delays that frame nor freezes the window; the rows appear all at once, in one reset of
// the model, when the reading is done. Each row costs its name.
class RomListModel final : public QStringListModel {
    Q_OBJECT

public:
    // `folder` is the one listed, whatever the current folder is by the time it is read.
    RomListModel(QString folder, QObject* parent);

    // Starts reading as soon as `window` has been painted for the first time; a file that turns up in
    // the folder after that is not listed.
    void readAfterFirstPaintOf(QWidget& window);

private:
    void read();

    const QString m_folder;
    // Declared last, so that it is stopped and joined first: it hands its names to this object.
    std::jthread m_reader;
};

} // namespace mivo
