#pragma once

#include "core/FileFilter.h"

#include <QObject>
#include <QString>

class QWidget;

namespace mivo {

class FileOpenDialog;

// Chooses a file through a file-open dialog and remembers the last file name for the whole run: the
// next showing starts from it, and a cancelled showing leaves it as it was.
class FileChooser : public QObject {
    Q_OBJECT

public:
    FileChooser(QString title, FileFilter filter, QObject* parent);

    [[nodiscard]] const QString& fileName() const { return m_fileName; }
    void setFileName(const QString& fileName) { m_fileName = fileName; }

    // Shows the dialog and waits for the user; a chosen file becomes the remembered one.
    void show(QWidget* parent, FileOpenDialog& dialogs);

private:
    QString m_title;
    FileFilter m_filter;
    QString m_fileName;
};

} // namespace mivo
