#pragma once

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
    // `shownFilter` is the description of the filter the dialog opens with; empty: the first one.
    FileChooser(QString title, QString filter, QString shownFilter, QObject* parent);

    [[nodiscard]] const QString& fileName() const { return m_fileName; }
    void setFileName(const QString& fileName) { m_fileName = fileName; }

    // Shows the dialog and waits for the user; a chosen file becomes the remembered one.
    void show(QWidget* parent, FileOpenDialog& dialogs);

private:
    QString m_title;
    QString m_filter;
    QString m_shownFilter;
    QString m_fileName;
};

} // namespace mivo
