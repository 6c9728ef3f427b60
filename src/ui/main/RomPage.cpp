#include "ui/main/RomPage.h"

#include "ui/FileChooser.h"
#include "ui/Named.h"
#include "ui/WindowGeometry.h"
#include "ui/main/RomListModel.h"

#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

namespace mivo {
namespace {

// A caption writes "&&" for an ampersand that is shown as one.
QString shownCaption(QString caption) {
    return caption.replace(QLatin1StringView("&&"), QLatin1StringView("&"));
}

} // namespace

RomPage::RomPage(FileOpenDialog& fileDialogs, QWidget* parent)
    : QWidget(parent)
    , m_fileDialogs(fileDialogs)
    , m_romChooser(named(new FileChooser({}, {}, this), QStringLiteral("CommonDialog2")))
    , m_listFolder(QDir::toNativeSeparators(QDir::currentPath()))
    , m_romList(named(new QListView(this), QStringLiteral("File1"))) {
    m_romList->setAccessibleName(tr("ROM files"));
    // Every row is one line of text: the view measures one, not each of a hundred thousand.
    m_romList->setUniformItemSizes(true);
    auto* roms = new RomListModel(QDir::currentPath(), this);
    roms->readAfterFirstPaintOf(*window());
    m_romList->setModel(roms);
    // The names are files to choose, not texts to edit: a double click chooses one.
    m_romList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_romList->setFixedWidth(twips(2535));

    auto* info = named(new QGroupBox(QStringLiteral("Rom Info:"), this), QStringLiteral("Frame6"));
    auto* notFinished =
        named(new QLabel(QStringLiteral("Not finished yet."), info), QStringLiteral("Label10"));
    QFont large = notFinished->font();
    large.setPointSize(24);
    notFinished->setFont(large);
    notFinished->setWordWrap(true);
    notFinished->setAlignment(Qt::AlignCenter);
    (new QVBoxLayout(info))->addWidget(notFinished);

    auto* buttons = named(new QGroupBox(this), QStringLiteral("Frame5"));
    buttons->setAccessibleName(tr("ROM choice"));
    m_loadButton =
        named(new QPushButton(QStringLiteral("Load Rom....."), buttons), QStringLiteral("Command4"));
    m_clearButton = named(new QPushButton(QStringLiteral("Clear"), buttons), QStringLiteral("Command6"));
    m_clearButton->setEnabled(false);
    auto* buttonRow = new QHBoxLayout(buttons);
    buttonRow->setContentsMargins(6, 4, 6, 4);
    buttonRow->addWidget(m_loadButton);
    buttonRow->addStretch();
    buttonRow->addWidget(m_clearButton);

    auto* warning =
        named(new QLabel(shownCaption(QStringLiteral(
                             "*Rom(s) and folders must be one word.  And not include spaces or &&*")),
                         this),
              QStringLiteral("Label6"));
    warning->setTextFormat(Qt::PlainText);
    warning->setWordWrap(true);
    QPalette red = warning->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    warning->setPalette(red);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 6, 6, 4);
    grid->addWidget(m_romList, 0, 0);
    grid->addWidget(info, 0, 1);
    grid->addWidget(buttons, 1, 0);
    grid->addWidget(warning, 2, 0, 1, 2);
    grid->setRowStretch(0, 1);

    connect(m_loadButton, &QPushButton::clicked, this, &RomPage::chooseRomFile);
    connect(m_clearButton, &QPushButton::clicked, this, &RomPage::clearRom);
    // Activation is a double click, or Return for someone using the keyboard.
    connect(m_romList, &QListView::activated, this, &RomPage::romActivated);
}

void RomPage::enableLoadRom() {
    m_loadButton->setEnabled(true);
}

void RomPage::chooseRomFile() {
    // A cancelled dialog keeps its last file, so cancelling shows that file again.
    m_romChooser->show(window(), m_fileDialogs);
    if (m_romChooser->fileName().isEmpty()) {
        emit noRomChosen();
        return;
    }
    chooseRom(m_romChooser->fileName());
}

void RomPage::chooseRom(const QString& path) {
    m_romChooser->setFileName(path);
    emit romChosen(path);
    m_clearButton->setEnabled(true);
}

void RomPage::clearRom() {
    m_clearButton->setEnabled(false);
    m_romChooser->setFileName(QString());
    emit noRomChosen();
}

void RomPage::romActivated(const QModelIndex& entry) {
    // Joined with the system's own separator; a folder that already ends in one (the root) gets a
    // second, which names the same file.
    emit romChosen(m_listFolder + QDir::separator() + entry.data().toString());
    m_clearButton->setEnabled(true);
}

} // namespace mivo
