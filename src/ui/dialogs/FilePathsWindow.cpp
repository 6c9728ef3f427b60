#include "ui/dialogs/FilePathsWindow.h"

#include "core/ProgramTexts.h"
#include "ui/Bold.h"
#include "ui/Choices.h"
#include "ui/FileChooser.h"
#include "ui/Named.h"
#include "ui/WindowGeometry.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <limits>

namespace mivo {
namespace {

struct PathRow {
    QLabel* label;
    QLineEdit* field;
    QPushButton* find;
    QPushButton* clear;
};

// The designed names of a row's four controls.
struct RowNames {
    const char* label;
    const char* field;
    const char* find;
    const char* clear;
};

// One row: the bold label and the field, and on the line below, at the field's right end, the find
// and clear buttons.
PathRow addPathRow(QGridLayout& grid, int row, const RowNames& names, const QString& caption,
                   const QString& startText, const QString& findCaption, QWidget* parent) {
    PathRow path{inBold(named(new QLabel(caption, parent), QLatin1StringView(names.label))),
                 named(new QLineEdit(startText, parent), QLatin1StringView(names.field)),
                 named(new QPushButton(findCaption, parent), QLatin1StringView(names.find)),
                 named(new QPushButton(QStringLiteral("Clear"), parent), QLatin1StringView(names.clear))};

    path.label->setBuddy(path.field);
    path.field->setAccessibleName(QString(caption).remove(u':'));
    // Every row has its "Clear"; a screen reader says which path it clears.
    path.clear->setAccessibleName(QStringLiteral("Clear ") + path.field->accessibleName());
    path.field->setFixedWidth(twips(4095));
    // A path is kept whole, however long: a cut one would be saved and run as another.
    path.field->setMaxLength(std::numeric_limits<int>::max());

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(path.find);
    buttons->addWidget(path.clear);
    grid.addWidget(path.label, 2 * row, 0);
    grid.addWidget(path.field, 2 * row, 1);
    grid.addLayout(buttons, 2 * row + 1, 1);
    return path;
}

} // namespace

FilePathsWindow::FilePathsWindow(Choices& choices, FileChooser& zsnesChooser, FileChooser& romulusChooser,
                                 FileOpenDialog& fileDialogs)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint)
    , m_choices(choices)
    , m_zsnesChooser(zsnesChooser)
    , m_romulusChooser(romulusChooser)
    , m_fileDialogs(fileDialogs) {
    setWindowTitle(QStringLiteral("File Paths"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* grid = new QGridLayout(this);
    const PathRow zsnes =
        addPathRow(*grid, 0, {"Label12", "Text5", "Command3", "Command5"}, QStringLiteral("Zsnes Path:"),
                   choices.zsnesPath(), QStringLiteral("Find Zsnes....."), this);
    // Only one emulator is supported; the second row stays as a reminder and does nothing.
    const PathRow snes9x =
        addPathRow(*grid, 1, {"Label10", "Text7", "Command9", "Command10"}, QStringLiteral("Snes9x Path:"),
                   QStringLiteral("Snes9x Path"), QStringLiteral("Find Snes9x....."), this);
    const PathRow romulus =
        addPathRow(*grid, 2, {"Label11", "Text6", "Command7", "Command8"}, QStringLiteral("Romulus Path:"),
                   choices.romulusPath(), QStringLiteral("Find Romulus"), this);
    for (QWidget* inert : {static_cast<QWidget*>(snes9x.label), static_cast<QWidget*>(snes9x.field),
                           static_cast<QWidget*>(snes9x.find), static_cast<QWidget*>(snes9x.clear)})
        inert->setEnabled(false);

    m_zsnesField = zsnes.field;
    m_romulusField = romulus.field;
    setFixedSize(std::max(twips(6105), sizeHint().width()), std::max(twips(2625), sizeHint().height()));

    connect(m_zsnesField, &QLineEdit::textChanged, &m_choices, &Choices::setZsnesPath);
    connect(m_romulusField, &QLineEdit::textChanged, &m_choices, &Choices::setRomulusPath);
    connect(&m_choices, &Choices::zsnesPathChanged, m_zsnesField, &QLineEdit::setText);
    connect(&m_choices, &Choices::romulusPathChanged, m_romulusField, &QLineEdit::setText);
    connect(zsnes.find, &QPushButton::clicked, this, &FilePathsWindow::findZsnes);
    connect(zsnes.clear, &QPushButton::clicked, this, &FilePathsWindow::clearZsnes);
    connect(romulus.find, &QPushButton::clicked, this, &FilePathsWindow::findRomulus);
    connect(romulus.clear, &QPushButton::clicked, this, &FilePathsWindow::clearRomulus);

    centreOnScreen(*this);
}

void FilePathsWindow::load(Choices& choices, const FileChooser& zsnesChooser) {
    if (zsnesChooser.fileName() != QLatin1StringView(texts::kZsnesFieldStartText))
        choices.setZsnesPath(zsnesChooser.fileName());
}

void FilePathsWindow::findZsnes() {
    m_zsnesChooser.show(this, m_fileDialogs);
    m_zsnesField->setText(m_zsnesChooser.fileName());
    // The Zsnes "Clear" stays usable: nothing ever disables it.
    emit zsnesPathSought(m_zsnesChooser.fileName());
}

void FilePathsWindow::clearZsnes() {
    m_zsnesChooser.setFileName(QString());
    m_zsnesField->setText(QString::fromLatin1(texts::kZsnesPlaceholder));
    emit zsnesPathCleared();
}

void FilePathsWindow::findRomulus() {
    m_romulusChooser.show(this, m_fileDialogs);
    m_romulusField->setText(m_romulusChooser.fileName());
}

void FilePathsWindow::clearRomulus() {
    m_romulusField->setText(QString::fromLatin1(texts::kRomulusPlaceholder));
}

void FilePathsWindow::closeEvent(QCloseEvent* event) {
    emit closing();
    QWidget::closeEvent(event);
}

// Escape closes the window as its close box does, as it closes a dialog, whichever control has the focus.
void FilePathsWindow::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Cancel)) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace mivo
