#include "ui/dialogs/FilePathsDialog.h"

#include "core/ProgramTexts.h"
#include "ui/Named.h"
#include "ui/RememberedFileDialog.h"
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
    PathRow path{named(new QLabel(caption, parent), QLatin1StringView(names.label)),
                 named(new QLineEdit(startText, parent), QLatin1StringView(names.field)),
                 named(new QPushButton(findCaption, parent), QLatin1StringView(names.find)),
                 named(new QPushButton(QStringLiteral("Clear"), parent), QLatin1StringView(names.clear))};

    QFont bold = path.label->font();
    bold.setBold(true);
    path.label->setFont(bold);
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

FilePathsDialog::FilePathsDialog(RememberedFileDialog& zsnesDialog, RememberedFileDialog& romulusDialog,
                                 FileOpenDialog& fileDialogs)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint)
    , m_zsnesDialog(zsnesDialog)
    , m_romulusDialog(romulusDialog)
    , m_fileDialogs(fileDialogs) {
    setWindowTitle(QStringLiteral("File Paths"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* grid = new QGridLayout(this);
    const PathRow zsnes =
        addPathRow(*grid, 0, {"Label12", "Text5", "Command3", "Command5"}, QStringLiteral("Zsnes Path:"),
                   QString::fromLatin1(texts::kZsnesFieldStartText), QStringLiteral("Find Zsnes....."), this);
    // Only one emulator is supported; the second row stays as a reminder and does nothing.
    const PathRow snes9x =
        addPathRow(*grid, 1, {"Label10", "Text7", "Command9", "Command10"}, QStringLiteral("Snes9x Path:"),
                   QStringLiteral("Snes9x Path"), QStringLiteral("Find Snes9x....."), this);
    const PathRow romulus =
        addPathRow(*grid, 2, {"Label11", "Text6", "Command7", "Command8"}, QStringLiteral("Romulus Path:"),
                   QString::fromLatin1(texts::kRomulusFieldStartText), QStringLiteral("Find Romulus"), this);
    for (QWidget* inert : {static_cast<QWidget*>(snes9x.label), static_cast<QWidget*>(snes9x.field),
                           static_cast<QWidget*>(snes9x.find), static_cast<QWidget*>(snes9x.clear)})
        inert->setEnabled(false);

    m_zsnesField = zsnes.field;
    m_romulusField = romulus.field;
    setFixedSize(std::max(twips(6105), sizeHint().width()), std::max(twips(2625), sizeHint().height()));

    connect(m_zsnesField, &QLineEdit::textChanged, this, &FilePathsDialog::zsnesFieldChanged);
    connect(zsnes.find, &QPushButton::clicked, this, &FilePathsDialog::findZsnes);
    connect(zsnes.clear, &QPushButton::clicked, this, &FilePathsDialog::clearZsnes);
    connect(romulus.find, &QPushButton::clicked, this, &FilePathsDialog::findRomulus);
    connect(romulus.clear, &QPushButton::clicked, this, &FilePathsDialog::clearRomulus);

    centreOnScreen(*this);
}

QString FilePathsDialog::zsnesPath() const {
    return m_zsnesField->text();
}

void FilePathsDialog::setZsnesPath(const QString& path) {
    m_zsnesField->setText(path);
}

QString FilePathsDialog::romulusPath() const {
    return m_romulusField->text();
}

void FilePathsDialog::setRomulusPath(const QString& path) {
    m_romulusField->setText(path);
}

void FilePathsDialog::fillFields(const QString& romulusPath) {
    m_zsnesField->setText(m_zsnesDialog.fileName());
    m_romulusField->setText(romulusPath);
}

void FilePathsDialog::zsnesFieldChanged() {
    m_zsnesDialog.setFileName(m_zsnesField->text());
    emit zsnesPathChanged(m_zsnesField->text());
}

void FilePathsDialog::findZsnes() {
    m_zsnesDialog.show(this, m_fileDialogs);
    // The field's change step writes the same name back into the dialog.
    m_zsnesField->setText(m_zsnesDialog.fileName());
    // The Zsnes "Clear" stays usable: nothing ever disables it.
    emit zsnesPathSought(m_zsnesDialog.fileName());
}

void FilePathsDialog::clearZsnes() {
    m_zsnesDialog.setFileName(QString());
    m_zsnesField->setText(QString::fromLatin1(texts::kZsnesPlaceholder));
    emit zsnesPathCleared();
}

void FilePathsDialog::findRomulus() {
    m_romulusDialog.show(this, m_fileDialogs);
    m_romulusField->setText(m_romulusDialog.fileName());
}

void FilePathsDialog::clearRomulus() {
    m_romulusField->setText(QString::fromLatin1(texts::kRomulusPlaceholder));
}

void FilePathsDialog::closeEvent(QCloseEvent* event) {
    emit closing(romulusPath());
    QWidget::closeEvent(event);
}

// Escape closes the window as its close box does, as it closes a dialog, whichever control has the focus.
void FilePathsDialog::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Cancel)) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace mivo
