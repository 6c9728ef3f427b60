#pragma once

#include <QString>
#include <QWidget>

class QListWidget;
class QPushButton;

namespace mivo {

// The "Rom(s)" tab: the ROM files of the folder Mivo was started in, and the buttons that choose or
// drop a ROM. The list is read once, when the page is built.
class RomPage : public QWidget {
    Q_OBJECT

public:
    explicit RomPage(QWidget* parent);

    [[nodiscard]] QListWidget& romList() const { return *m_romList; }
    [[nodiscard]] QPushButton& loadButton() const { return *m_loadButton; }
    [[nodiscard]] QPushButton& clearButton() const { return *m_clearButton; }
    // The folder the list shows, as the system names it.
    [[nodiscard]] const QString& listFolder() const { return m_listFolder; }

private:
    QString m_listFolder;
    QListWidget* m_romList;
    QPushButton* m_loadButton;
    QPushButton* m_clearButton;
};

} // namespace mivo
