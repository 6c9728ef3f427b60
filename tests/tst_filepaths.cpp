#include "MainWindowDriver.h"
#include "core/ProgramTexts.h"
#include "ui/RememberedFileDialog.h"
#include "ui/dialogs/FilePathsDialog.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>

using namespace mivo;

namespace {
const QString kZsnesPlaceholder = QString::fromLatin1(texts::kZsnesPlaceholder);
const QString kRomPlaceholder = QString::fromLatin1(texts::kRomPlaceholder);
const QString kZsnes = QStringLiteral("/usr/games/zsnes");
} // namespace

// Choosing the emulator, Romulus and the ROM, as the user does it through the windows.
class TestFilePaths : public QObject {
    Q_OBJECT

    std::unique_ptr<testing::MainWindowDriver> m_driver;
    testing::MainWindowDriver& d() { return *m_driver; }
    fakes::FakeFileOpenDialog& dialogs() { return d().fakes().fileDialogs; }

    static FilePathsDialog* pathsWindow() {
        return qobject_cast<FilePathsDialog*>(testing::MainWindowDriver::pathsWindow());
    }
    QString zsnesRemembered() {
        return d().find<RememberedFileDialog>(QStringLiteral("CommonDialog1"))->fileName();
    }
    QAbstractButton* inPaths(int command) { return d().command(command, pathsWindow()); }
    QLineEdit* pathField(int number) {
        return pathsWindow()->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(number));
    }

    void chooseZsnes(const std::optional<QString>& answer) {
        dialogs().answers.push_back(answer);
        testing::MainWindowDriver::click(inPaths(3));
    }

private slots:
    void init() {
        m_driver = std::make_unique<testing::MainWindowDriver>();
        d().start();
        d().trigger("mnuSettings");
        QVERIFY(QTest::qWaitForWindowExposed(pathsWindow()));
    }
    void cleanup() { m_driver.reset(); }

    void pathsWindowOpensWithoutLockingTheMainWindow() {
        FilePathsDialog* paths = pathsWindow();
        QCOMPARE(paths->windowTitle(), QStringLiteral("File Paths"));
        QVERIFY(paths->isVisible());
        QVERIFY(d().window().isEnabled());
        d().trigger("mnuSettings");
        QCOMPARE(pathsWindow(), paths); // still the one window
        for (int inert : {9, 10})
            QVERIFY(!inPaths(inert)->isEnabled());
        QVERIFY(!pathField(7)->isEnabled());
        QCOMPARE(pathField(5)->accessibleName(), QStringLiteral("Zsnes Path"));
        QCOMPARE(pathField(6)->accessibleName(), QStringLiteral("Romulus Path"));
    }

    void findZsnesMirrorsTheChoiceEverywhere() {
        auto* runPlay = d().command(2);
        runPlay->setEnabled(false);
        chooseZsnes(kZsnes);
        QCOMPARE(dialogs().requests.back().title, QStringLiteral("Zsnes..."));
        QCOMPARE(dialogs().requests.back().filter,
                 QStringLiteral("Zsnes(w) Executable (*.exe)|*.exe|All Files (*.*)|*.*|"));
        QCOMPARE(pathField(5)->text(), kZsnes);
        QCOMPARE(d().syntax(), kZsnes);
        QCOMPARE(zsnesRemembered(), kZsnes);
        QVERIFY(d().command(1)->isEnabled());
        QVERIFY(!runPlay->isEnabled()); // Run/Play waits for View Syntax

        // Cancelling drops a composed line and starts again from the path.
        d().check(1)->setChecked(true);
        testing::MainWindowDriver::click(d().command(1));
        QCOMPARE(d().syntax(), kZsnes + " -0");
        chooseZsnes(std::nullopt);
        QCOMPARE(dialogs().requests.back().startFileName, kZsnes);
        QCOMPARE(d().syntax(), kZsnes);
        QCOMPARE(pathField(5)->text(), kZsnes);
        for (int command : {1, 4})
            QVERIFY(d().command(command)->isEnabled());
        QVERIFY(inPaths(5)->isEnabled());
    }

    void cancelWithNothingRememberedLeavesNoPath() {
        chooseZsnes(std::nullopt);
        QCOMPARE(pathField(5)->text(), QString());
        QCOMPARE(d().syntax(), kZsnesPlaceholder);
        QVERIFY(!d().command(1)->isEnabled());
        QVERIFY(!d().command(2)->isEnabled());
    }

    void clearThenCancelKeepsThePlaceholderAsAPath() {
        chooseZsnes(kZsnes);
        testing::MainWindowDriver::click(inPaths(5));
        QCOMPARE(pathField(5)->text(), kZsnesPlaceholder);
        QCOMPARE(zsnesRemembered(), kZsnesPlaceholder);
        QCOMPARE(d().syntax(), kZsnesPlaceholder);
        QVERIFY(!d().command(1)->isEnabled() && !d().command(2)->isEnabled());

        chooseZsnes(std::nullopt);
        QCOMPARE(pathField(5)->text(), kZsnesPlaceholder);
        QCOMPARE(d().syntax(), kZsnesPlaceholder);
        QVERIFY(d().command(1)->isEnabled());
    }

    void typingAPathIsMirroredKeyByKey() {
        QLineEdit* field = pathField(5);
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, QStringLiteral("/zs"));
        QCOMPARE(d().syntax(), QStringLiteral("/zs"));
        QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(d().syntax(), QStringLiteral("/z"));
        QCOMPARE(zsnesRemembered(), QStringLiteral("/z"));
    }

    void closingAndReopeningKeepsBothPathsAsTheyStood() {
        chooseZsnes(kZsnes);
        testing::MainWindowDriver::click(inPaths(8)); // clear Romulus
        d().check(1)->setChecked(true);
        testing::MainWindowDriver::click(d().command(1));
        QCOMPARE(d().syntax(), kZsnes + " -0");

        QPointer<FilePathsDialog> first = pathsWindow();
        first->close();
        QTRY_VERIFY(first.isNull());
        QCOMPARE(d().syntax(), kZsnes); // the composed line goes with the window

        d().trigger("mnuSettings");
        QVERIFY(pathsWindow() != nullptr);
        QCOMPARE(pathField(5)->text(), kZsnes);
        QCOMPARE(pathField(6)->text(), QString::fromLatin1(texts::kRomulusPlaceholder));
        QVERIFY(d().command(1)->isEnabled());
    }

    void findRomulusShowsTheRememberedFileOnCancel() {
        dialogs().answers.push_back(QStringLiteral("/opt/romulus/Romulus"));
        testing::MainWindowDriver::click(inPaths(7));
        QCOMPARE(dialogs().requests.back().filter,
                 QStringLiteral("Romulus Executable (Romulus.exe)|*.exe|All Files (*.*)|*.*"));
        QCOMPARE(pathField(6)->text(), QStringLiteral("/opt/romulus/Romulus"));
        testing::MainWindowDriver::click(inPaths(8));
        testing::MainWindowDriver::click(inPaths(7)); // cancelled
        QCOMPARE(pathField(6)->text(), QStringLiteral("/opt/romulus/Romulus"));
    }
};

// The ROM choice of the "Rom(s)" tab, with the list read from a folder the test makes.
class TestRomChoice : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    QString m_startFolder;
    std::unique_ptr<testing::MainWindowDriver> m_driver;
    testing::MainWindowDriver& d() { return *m_driver; }

    QListWidget* list() { return d().find<QListWidget>(QStringLiteral("File1")); }
    QAbstractButton* clear() { return d().command(6); }
    void load(const std::optional<QString>& answer) {
        d().fakes().fileDialogs.answers.push_back(answer);
        d().clickOn(d().command(4));
    }
    void activate(const QString& name) {
        const auto items = list()->findItems(name, Qt::MatchExactly);
        QCOMPARE(items.size(), 1);
        list()->setCurrentItem(items.front());
        // A real double click is a click followed by the double-click event; QTest sends only the latter.
        const QPoint where = list()->visualItemRect(items.front()).center();
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, where);
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, where);
    }
    static void touch(const QString& path) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

private slots:
    void initTestCase() {
        m_startFolder = QDir::currentPath();
        for (const char* name : {"b.smc", "A.SMC", "notes.txt", "c.smc.bak"})
            touch(m_folder.filePath(QString::fromLatin1(name)));
    }
    void init() {
        QVERIFY(QDir::setCurrent(m_folder.path()));
        m_driver = std::make_unique<testing::MainWindowDriver>();
        d().start();
        d().showTabOf(list());
    }
    void cleanup() {
        m_driver.reset();
        QDir::setCurrent(m_startFolder);
    }

    void listHoldsTheRomsOfTheStartFolderOnly() {
        touch(m_folder.filePath(QStringLiteral("late.smc")));
        QStringList shown;
        for (int i = 0; i < list()->count(); ++i)
            shown << list()->item(i)->text();
        QCOMPARE(shown, (QStringList{"A.SMC", "b.smc"}));
        QFile::remove(m_folder.filePath(QStringLiteral("late.smc")));
    }

    void loadShowsTheChoiceAndCancelShowsItAgain() {
        load(QStringLiteral("/roms/mario.smc"));
        QCOMPARE(d().romDisplay(), QStringLiteral("/roms/mario.smc"));
        QVERIFY(clear()->isEnabled());
        load(std::nullopt);
        QCOMPARE(d().romDisplay(), QStringLiteral("/roms/mario.smc"));
        QVERIFY(d().fakes().fileDialogs.requests.back().title.isEmpty());
        QVERIFY(d().fakes().fileDialogs.requests.back().filter.isEmpty());
    }

    void clearThenCancelKeepsThePlaceholder() {
        load(QStringLiteral("/roms/mario.smc"));
        d().clickOn(clear());
        QCOMPARE(d().romDisplay(), kRomPlaceholder);
        QVERIFY(!clear()->isEnabled());
        load(std::nullopt);
        QCOMPARE(d().romDisplay(), kRomPlaceholder);
        QVERIFY(!clear()->isEnabled());
    }

    void doubleClickJoinsFolderAndName() {
        activate(QStringLiteral("b.smc"));
        QCOMPARE(d().romDisplay(), QDir::toNativeSeparators(m_folder.path()) + QDir::separator() + "b.smc");
        QVERIFY(QFile::exists(d().romDisplay()));
        QVERIFY(clear()->isEnabled());
        // The dialog was never used: cancelling it goes back to no ROM, and Clear stays usable.
        load(std::nullopt);
        QCOMPARE(d().romDisplay(), kRomPlaceholder);
        QVERIFY(clear()->isEnabled());
    }

    void cancelAfterTheListShowsTheDialogsFile() {
        load(QStringLiteral("/roms/zelda.smc"));
        activate(QStringLiteral("A.SMC"));
        load(std::nullopt);
        QCOMPARE(d().romDisplay(), QStringLiteral("/roms/zelda.smc"));
    }

    void returnOnTheListChoosesLikeADoubleClick() {
        list()->setFocus();
        list()->setCurrentRow(0);
        QTest::keyClick(list(), Qt::Key_Return);
        QVERIFY(d().romDisplay().endsWith(QStringLiteral("A.SMC")));
    }

    void theRootFolderGetsADoubledSeparator() {
        m_driver.reset();
        QVERIFY(QDir::setCurrent(QDir::rootPath()));
        m_driver = std::make_unique<testing::MainWindowDriver>();
        d().start();
        d().showTabOf(list());
        list()->addItem(QStringLiteral("top.smc"));
        activate(QStringLiteral("top.smc"));
        QCOMPARE(d().romDisplay(), QStringLiteral("//top.smc"));
    }
};

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    int failures = 0;
    {
        TestFilePaths paths;
        failures += QTest::qExec(&paths, argc, argv);
    }
    {
        TestRomChoice roms;
        failures += QTest::qExec(&roms, argc, argv);
    }
    return failures;
}

#include "tst_filepaths.moc"
