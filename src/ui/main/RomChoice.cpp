#include "ui/main/RomChoice.h"

#include "core/ProgramTexts.h"
#include "ui/main/RememberedFileDialog.h"
#include "ui/main/RomPage.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace mivo {

RomChoice::RomChoice(RomPage& page, QLabel& romDisplay, RememberedFileDialog& romDialog,
                     FileOpenDialog& fileDialogs, QObject* parent)
    : QObject(parent)
    , m_page(page)
    , m_romDisplay(romDisplay)
    , m_romDialog(romDialog)
    , m_fileDialogs(fileDialogs) {
    connect(&page.loadButton(), &QPushButton::clicked, this, &RomChoice::Command4_Click);
    connect(&page.clearButton(), &QPushButton::clicked, this, &RomChoice::Command6_Click);
    // Activation is a double click, or Return for someone using the keyboard.
    connect(&page.romList(), &QListWidget::itemActivated, this, &RomChoice::File1_DblClick);
}

void RomChoice::Command4_Click() {
    // A cancelled dialog keeps its last file, so cancelling shows that file again.
    m_romDialog.show(m_page.window(), m_fileDialogs);
    if (m_romDialog.fileName().isEmpty()) {
        m_romDisplay.setText(QString::fromLatin1(texts::kRomPlaceholder));
        return;
    }
    m_romDisplay.setText(m_romDialog.fileName());
    m_page.clearButton().setEnabled(true);
}

void RomChoice::Command6_Click() {
    m_page.clearButton().setEnabled(false);
    m_romDialog.setFileName(QString());
    m_romDisplay.setText(QString::fromLatin1(texts::kRomPlaceholder));
}

void RomChoice::File1_DblClick(const QListWidgetItem* item) {
    // Joined with the system's own separator; a folder that already ends in one (the root) gets a
    // second, which names the same file.
    m_romDisplay.setText(m_page.listFolder() + QDir::separator() + item->text());
    m_page.clearButton().setEnabled(true);
}

} // namespace mivo
