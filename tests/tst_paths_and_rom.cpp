#include "MainWindowDriver.h"
#include "app/StartRom.h"

#include <QAccessible>
#include <QDir>
#include <QListView>
#include <QMimeData>
#include <QPointer>
#include <QTabWidget>
#include <QTemporaryDir>

using namespace mivo;
using namespace mivo::testing;

// What the File Paths window and the Rom(s) tab do to the paths, the ROM and the line the window shows.
class TestPathsAndRom : public testing::SessionTest {
    Q_OBJECT

private slots:
    void filePathsRowsReadAsDesigned() {
        start({});
        QVERIFY(d().paths() && d().window->isEnabled()); // the File Paths window locks nothing
        QStringList rows; // each row's label, and its "Clear" named for a screen reader by the path it clears
        for (const QLabel* label : d().paths()->findChildren<QLabel*>())
            rows << label->text();
        for (const QAbstractButton* button : d().paths()->findChildren<QAbstractButton*>()) {
            if (button->text() == "Clear")
                rows << button->accessibleName();
        }
        QCOMPARE(rows, (QStringList{"Zsnes Path:", "Snes9x Path:", "Romulus Path:", "Clear Zsnes Path",
                                    "Clear Snes9x Path", "Clear Romulus Path"}));
        const auto readWith =
            QAccessible::queryAccessibleInterface(d().pathField("Zsnes Path"))->relations(QAccessible::Label);
        QVERIFY(!readWith.isEmpty() &&
                readWith[0].first->text(QAccessible::Name) == "Zsnes Path:"); // read with its field
        QCOMPARE(d().pathField("Snes9x Path")->text(), "Snes9x Path");
        QVERIFY(!d().pathField("Snes9x Path")->isEnabled() &&
                !d().button("Find Snes9x.....", d().paths())->isEnabled());
    }

    // A find, chosen or cancelled, shows the bare path and makes the line to run anew.
    void findingTheEmulatorShowsItsBarePath() {
        start({});
        d().inPaths("Find Zsnes....."); // cancelled, with nothing remembered: no path
        QCOMPARE(d().pathField("Zsnes Path")->text(), QString());
        QCOMPARE(d().syntax(), kNoZsnes);
        QVERIFY(!d().button("&View Syntax")->isEnabled() && !d().button("&Run/Play")->isEnabled());

        d().inPaths("Find Zsnes.....", kZsnes);
        const FileOpenRequest request = d().fakes.fileDialogs.requests.back();
        QCOMPARE(request.title, "Zsnes...");
        QCOMPARE(request.filter.nameFilters,
                 (QStringList{"Zsnes(w) Executable (*.exe) (*.exe)", "All Files (*.*) (*)"}));
        QCOMPARE(request.filter.selected, "All Files (*.*) (*)"); // shows programs
        QCOMPARE(d().pathField("Zsnes Path")->text(), kZsnes);
        QCOMPARE(d().syntax(), kZsnes);
        QVERIFY(d().button("&View Syntax")->isEnabled() && !d().button("&Run/Play")->isEnabled());
        d().press("Disable color 0 modifications in 256 color modes");
        d().press("&View Syntax");
        QVERIFY(d().button("&Run/Play")->isEnabled()); // once the line it runs is made
        d().button("Load Rom.....")->setEnabled(false);
        d().inPaths("Find Zsnes.....");
        QCOMPARE(d().syntax(), kZsnes);
        QVERIFY(d().button("Load Rom.....")->isEnabled());
    }

    // Clear, then a cancelled find keeps the placeholder as a path; a second Clear still takes the line.
    void clearingTheEmulatorLeavesThePlaceholder() {
        start();
        d().inPaths("Clear Zsnes Path");
        QCOMPARE(d().pathField("Zsnes Path")->text(), kNoZsnes);
        QCOMPARE(d().syntax(), kNoZsnes);
        QVERIFY(!d().button("&View Syntax")->isEnabled() && !d().button("&Run/Play")->isEnabled());
        d().inPaths("Find Zsnes.....");
        QCOMPARE(d().fakes.fileDialogs.requests.back().startFileName, kNoZsnes);
        d().press("Disable color 0 modifications in 256 color modes");
        d().press("&View Syntax");
        QCOMPARE(d().syntax(), kNoZsnes + " -0");
        d().inPaths("Clear Zsnes Path");
        QCOMPARE(d().syntax(), kNoZsnes);
    }

    // Typing is mirrored key by key, into the line and into the dialog, and the window's close takes the
    // line back to the bare path; the paths live on, stored at the end.
    void typedPathsOutliveTheWindow() {
        start();
        d().type(d().pathField("Zsnes Path"), "/zs");
        QTest::keyClick(d().pathField("Zsnes Path"), Qt::Key_Backspace);
        QCOMPARE(d().syntax(), "/z");
        d().inPaths("Find Zsnes.....");
        QCOMPARE(d().fakes.fileDialogs.requests.back().startFileName, "/z");
        d().inPaths("Clear Romulus Path");
        d().press("Force PAL timing");
        d().press("&View Syntax");
        QPointer<QWidget> window = d().paths();
        QTest::keyClick(d().pathField("Romulus Path"), Qt::Key_Escape); // Escape is its close box
        QTRY_VERIFY(window.isNull());
        QCOMPARE(d().syntax(), "/z"); // the composed line goes with the window
        QCOMPARE(d().pathField("Zsnes Path")->text(), "/z");
        QCOMPARE(d().pathField("Romulus Path")->text(), kNoRomulus);
        d().paths()->close();
        d().menu("&File", "&Exit");
        QCOMPARE(d().fakes.settings.writes, shutdownWrites({"1", "1", "/z", kNoRomulus}));
    }

    // The window counts as loaded from the start until it closes: only loading it again, by opening it or
    // by asking for Romulus, takes the line back to the bare path. The session manager's request to save
    // reads what Mivo keeps and changes nothing the user sees, even once the window was closed and opened.
    void onlyLoadingFilePathsTakesTheLineBack() {
        start({{"zsnesfilepath", kZsnes}, {"romuluspath", "/opt/romulus"}});
        d().press("Force PAL timing");
        for (const bool reopened : {false, true}) {
            d().press("&View Syntax");
            QPointer<QWidget> paths = d().paths();
            QCOMPARE(d().syntax(), reopened ? kZsnes : kZsnes + " -u");
            paths->close();
            QTRY_VERIFY(paths.isNull());
        }
        d().press("&View Syntax");
        QVERIFY(!d().window->saveSettings());
        QCOMPARE(d().syntax(), kZsnes + " -u");
        QCOMPARE(testing::topLevel("File Paths"), nullptr);
        QCOMPARE(d().fakes.settings.writes, shutdownWrites({"1", "1", kZsnes, "/opt/romulus"}));
        d().menu("&Add-ons", "&Romulus");
        QCOMPARE(d().syntax(), kZsnes);
        d().press("&View Syntax");
        d().paths();
        QCOMPARE(d().syntax(), kZsnes + " -u");
    }

    void romulusIsFoundAndStartedAsItStands() {
        start();
        d().inPaths("Find Romulus", "/opt/My Romulus/romulus");
        const FileOpenRequest request = d().fakes.fileDialogs.requests.back();
        QCOMPARE(request.filter.nameFilters,
                 (QStringList{"Romulus Executable (Romulus.exe) (*.exe)", "All Files (*.*) (*)"}));
        QCOMPARE(request.filter.selected, "All Files (*.*) (*)");
        QVERIFY(request.title.isEmpty());
        d().menu("&Add-ons", "&Romulus"); // the whole path, blanks included, with no arguments
        QCOMPARE(d().fakes.programs.started, (QList<ProgramInvocation>{{"/opt/My Romulus/romulus", {}}}));
        d().inPaths("Clear Romulus Path");
        d().inPaths("Find Romulus"); // cancelled: the dialog's last file
        QCOMPARE(d().pathField("Romulus Path")->text(), "/opt/My Romulus/romulus");
    }

    void aRomIsChosenFromTheFolderOrTheDialog() {
        QTemporaryDir folder;
        for (const char* name : {"B.smc", "a.SMC", "c.smc", "notes.txt", "c.smc.bak"})
            QVERIFY(QFile(folder.filePath(name)).open(QIODevice::WriteOnly));
        const QString startFolder = QDir::currentPath();
        QVERIFY(QDir::setCurrent(folder.path()));
        start();
        QDir::setCurrent(startFolder);
        auto* list = d().window->findChild<QListView*>();
        QTRY_COMPARE(list->model()->rowCount(), 3); // the folder is read beside the start
        QVERIFY(QFile(folder.filePath("a2.smc")).open(QIODevice::WriteOnly)); // too late to be listed
        QStringList shown;
        for (int i = 0; i < list->model()->rowCount(); ++i)
            shown << list->model()->index(i, 0).data().toString();
        QCOMPARE(shown, (QStringList{"a.SMC", "B.smc", "c.smc"})); // by name, whatever its case

        list->setCurrentIndex(list->model()->index(1, 0));
        QTest::keyClick(list, Qt::Key_Return); // the keyboard's double click
        QCOMPARE(d().rom(), folder.path() + "/B.smc");
        QVERIFY(d().button("Clear")->isEnabled());
        d().loadRom(std::nullopt); // the dialog was never used: back to no ROM, Clear stays usable
        QCOMPARE(d().rom(), kNoRom);
        QVERIFY(d().button("Clear")->isEnabled());

        d().loadRom("/roms/mario.smc");
        QCOMPARE(d().rom(), "/roms/mario.smc");

        d().press("Clear");
        QCOMPARE(d().rom(), kNoRom);
        d().loadRom(std::nullopt);
        QCOMPARE(d().rom(), kNoRom);
        QVERIFY(!d().button("Clear")->isEnabled());
        d().loadRom("/roms/b.smc");
        QVERIFY(d().button("Clear")->isEnabled());
        QCOMPARE(list->model()->rowCount(), 3);
        // The mouse's double click chooses as Return does: a name in the list is not for editing.
        d().window->findChild<QTabWidget*>()->setCurrentWidget(list->parentWidget());
        const QRect first = list->visualRect(list->model()->index(0, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, first.center());
        QCOMPARE(d().rom(), folder.path() + "/a.SMC");

        // A ROM named at the start is chosen with its full path, as "Load Rom....." chooses a file, and
        // nothing starts; one that cannot be read is told with the system's reason, and not chosen.
        QVERIFY(QDir::setCurrent(folder.path()) && QDir(folder.path()).mkdir("roms"));
        for (const char* name : {"B.smc", "gone.smc", "roms"})
            chooseStartRom(*d().window, d().fakes.desktop, name);
        QDir::setCurrent(startFolder);
        const auto& told = d().fakes.desktop.warnings;
        QCOMPARE(told.size(), 2);
        QCOMPARE(told[0].text, "The ROM\n" + folder.filePath("gone.smc") +
                                   "\ncannot be read.\n\nNo such file or directory\n\nNo ROM is chosen.");
        QVERIFY(told[1].text.contains(folder.filePath("roms") + "\ncannot be read.\n\nIs a directory\n"));
        d().loadRom(std::nullopt); // a cancelled dialog shows it again, as after a choice in it
        QCOMPARE(d().rom(), folder.path() + "/B.smc");
        QVERIFY(d().fakes.programs.started.isEmpty());
    }

    // One local file dragged anywhere onto the window is taken as a copy and, dropped, chosen as "Load
    // Rom....." chooses it; anything else is refused, which shows the no-drop pointer.
    void aDroppedRomIsChosen() {
        const QTemporaryDir folder;
        const QString rom = folder.filePath("game.smc");
        QVERIFY(QFile(rom).open(QIODevice::WriteOnly));
        start();
        auto* numberField = d().field("Turn on frame skip"); // a field takes the text of a path by itself
        const QUrl local = QUrl::fromLocalFile(rom);
        // clang-format off
        const QList<std::tuple<QList<QUrl>, Qt::DropActions, bool>> drags{ // URLs (also text), actions, taken
            {{QUrl("https://example.org/game.smc")}, Qt::CopyAction, false},
            {{local, QUrl::fromLocalFile(folder.filePath("b.smc"))}, Qt::CopyAction, false},
            {{QUrl::fromLocalFile(folder.path())}, Qt::CopyAction, false},
            {{local}, Qt::MoveAction, false}, // the source would delete the ROM
            {{local}, Qt::CopyAction | Qt::MoveAction, true}};
        // clang-format on
        for (const auto& [urls, actions, taken] : drags) {
            QMimeData data;
            data.setUrls(urls);
            QDragEnterEvent enter({4, 4}, actions, &data, Qt::LeftButton, {});
            QDragMoveEvent move({5, 5}, actions, &data, Qt::LeftButton, {});
            QDropEvent drop({5, 5}, actions, &data, Qt::LeftButton, {});
            QApplication::sendEvent(numberField, &enter);
            QApplication::sendEvent(d().window.get(), &move);
            QApplication::sendEvent(d().window.get(), &drop);
            QCOMPARE(std::pair(enter.isAccepted(), move.isAccepted()), std::pair(taken, taken));
            QCOMPARE(drop.dropAction(), taken ? Qt::CopyAction : drop.proposedAction());
            QCOMPARE(d().rom(), taken ? rom : kNoRom);
        }
    }
};

QTEST_MAIN(TestPathsAndRom)
#include "tst_paths_and_rom.moc"
