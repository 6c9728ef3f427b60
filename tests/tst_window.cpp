#include "MainWindowDriver.h"
#include "ui/main/OptionPages.h"

#include <QAccessible>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>

using namespace mivo;

namespace {

const char* const kVideo = "&Video";
const char* const kSound = "&Sound/Controls";
const char* const kMisc = "&Misc.";

// Every option control as the user finds it: its caption, its tab, the box that makes it usable, and
// what ticking or choosing it alone adds to the command line.
struct Control {
    const char* name;
    const char* caption;
    const char* tab;
    const char* heading;
    const char* addsToLine;
};
// clang-format off
const Control kControls[] = {
    {"Check1", "Disable color 0 modifications in 256 color modes", kVideo, "", " -0"},
    {"Check2", "Player 1 input Device:", kSound, "", " -1 0"},
    {"Check3", "Player 2 input Device:", kSound, "", " -2 0"},
    {"Check4", "Disable SPC700 speedhack", kSound, "", " -7"},
    {"Check5", "Force 8-bit sound", kSound, "", " -8"},
    {"Check6", "Off by 1 line fix", kVideo, "", " -9"},
    {"Check7", "Turn on auto frame skip", kVideo, "", " -a"},
    {"Check8", "Scale to fit screen (320x240 VESA2/640x480 VESA2)", kVideo, "", " -c"},
    {"Check9", "Remove Background Color in 256 color video modes", kVideo, "", " -cb"},
    {"Check10", "No image scale and center image in screen (640x480 VESA2)", kVideo, "", " -cc"},
    {"Check11", "Start with debugger", kMisc, "", " -d"},
    {"Check12", "Disable sound DSP", kSound, "", " -dd"},
    {"Check13", "Skip enter key press at the beginning", kMisc, "", " -e"},
    // A number option's field has not been changed yet, so it is not valid and adds nothing.
    {"Check14", "Turn on frame skip [0-9]", kVideo, "", ""},
    {"Check15", "Set Gamma Correction [0-5, 0=Normal]", kVideo, "", ""},
    {"Check16", "Force HiROM", kMisc, "", " -h"},
    {"Check17", "Uninterleave ROM image", kMisc, "", " -i"},
    {"Check18", "Disable mouse (Turns off right mouse click)", kMisc, "", " -j"},
    {"Check19", "Set Volume level [0-100]", kSound, "", ""},
    {"Check20", "Enable FPU Copy", kMisc, "", " -o"},
    {"Check21", "Enable MMX copy", kMisc, "", " -om"},
    {"Check22", "Percentage of instructions to execute [50-120]", kMisc, "", ""},
    {"Check23", "Sound Blaster sampling rate and bit:", kSound, "", " -r 2"},
    {"Check24", "EnableSPC700/DSP emulation (sound)", kSound, "", " -s"},
    {"Check25", "Show all file extensions in gui (*.*)", kMisc, "", " -sa"},
    {"Check26", "Enable snowy gui background", kMisc, "", " -sn"},
    {"Check27", "Force NTSC timing", kMisc, "", " -t"},
    {"Check28", "Force PAL timing", kMisc, "", " -u"},
    {"Check29", "Video Mode:", kVideo, "", " -v 0"},
    {"Check30", "Enable VSYNC", kVideo, "", " -w"},
    {"Check31", "Enable LoROM", kMisc, "", " -l"},
    {"Check32", "Disable GUI", kMisc, "", " -m"},
    {"Check33", "Turn on Scanlines (256x256 or 640x480)", kVideo, "", " -n"},
    {"Check34", "Enable EAGLE (640x480x256)", kVideo, "", " -y"},
    {"Check35", "Enable Interpolation (640x480x65536)", kVideo, "", " -y"},
    {"Check36", "Mivo minimizes into system tray", kMisc, "", ""},
    {"Check37", "Mivo icon in system tray", kMisc, "", ""},
    {"Option1", "None", kSound, "Player 1 input Device:", " -1 0"},
    {"Option2", "Keyboard", kSound, "Player 1 input Device:", " -1 1"},
    {"Option3", "2 Button", kSound, "Player 1 input Device:", " -1 2"},
    {"Option4", "Gamepad", kSound, "Player 1 input Device:", " -1 3"},
    {"Option5", "4 Button", kSound, "Player 1 input Device:", " -1 4"},
    {"Option6", "6 Buton", kSound, "Player 1 input Device:", " -1 5"},
    {"Option7", "Sidewinder", kSound, "Player 1 input Device:", " -1 6"},
    {"Option8", "Sidewinder", kSound, "Player 2 input Device:", " -2 6"},
    {"Option9", "6 Buton", kSound, "Player 2 input Device:", " -2 5"},
    {"Option10", "4 Button", kSound, "Player 2 input Device:", " -2 4"},
    {"Option11", "Gamepad", kSound, "Player 2 input Device:", " -2 3"},
    {"Option12", "2 Button", kSound, "Player 2 input Device:", " -2 2"},
    {"Option13", "Keyboard", kSound, "Player 2 input Device:", " -2 1"},
    {"Option14", "None", kSound, "Player 2 input Device:", " -2 0"},
    {"Option15", "8000Hz", kSound, "Sound Blaster sampling rate and bit:", " -r 0"},
    {"Option16", "11025Hz", kSound, "Sound Blaster sampling rate and bit:", " -r 1"},
    {"Option17", "22050Hz", kSound, "Sound Blaster sampling rate and bit:", " -r 2"},
    {"Option18", "44100Hz", kSound, "Sound Blaster sampling rate and bit:", " -r 3"},
    {"Option19", "16000Hz", kSound, "Sound Blaster sampling rate and bit:", " -r 4"},
    {"Option20", "32000Hz", kSound, "Sound Blaster sampling rate and bit:", " -r 5"},
    {"Option21", "320x240x256", kVideo, "Video Mode:", " -v 0"},
    {"Option22", "256x256x256", kVideo, "Video Mode:", " -v 1"},
    {"Option23", "320x240x256(VESA2)", kVideo, "Video Mode:", " -v 2"},
    {"Option24", "320x240x16b(VESA2)", kVideo, "Video Mode:", " -v 3"},
    {"Option25", "640x480x256(VESA2)", kVideo, "Video Mode:", " -v 4"},
    {"Option26", "640x480x16b(VESA2)", kVideo, "Video Mode:", " -v 5"},
    {"Option27", "512x384x256(VESA2)", kVideo, "Video Mode:", " -v 6"},
    {"Option28", "512x384x16b(VESA2)", kVideo, "Video Mode:", " -v 7"},
    {"Option29", "640x480x16b(VESA1.2)", kVideo, "Video Mode:", " -v 8"},
    {"Option30", "320x480x256(VESA2)", kVideo, "Video Mode:", " -v 9"},
    {"Option31", "320x480x65536(VESA2)", kVideo, "Video Mode:", " -v 10"},
};

// Top to bottom, the rows of each frame and of each page's column of boxes; names in one row stand left
// to right on one line, and a row of one name in a frame is centred.
const char* const kRows[] = {
    "Option21 Option22|Option23 Option24|Option25 Option26|Option27 Option28|Option29 Option30|Option31",
    "Option1 Option4|Option2 Option5|Option3 Option6|Option7",
    "Option14 Option11|Option13 Option10|Option12 Option9|Option8",
    "Option15 Option16 Option17|Option18 Option19 Option20",
    "Frame1 Frame2|Frame3|Check5|Check12|Check19 Text3|Check4|Check24",
    "Frame4|Check6|Check1|Check7|Check8|Check9|Check10|Check14 Text1|Check15 Text2|Check30|Check33|Check34|Check35",
    "Check11|Check13|Check31|Check16|Check17|Check18|Check20|Check21|Check22 Text4|Check25|Check26|Check27|"
    "Check28|Check32|Check36|Check37",
    "SSTab1|Command1 Command2|Label9 Label1|Label8 Label7",
    "File1 Frame6|Frame5|Label6",
    "Command4 Command6",
};
// clang-format on

QStringList captions(const QList<QAction*>& actions) {
    QStringList texts;
    for (const QAction* action : actions)
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

} // namespace

// The main window as the user meets it: what stands where, and what each control does to the line.
class TestWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<testing::MainWindowDriver> m_driver;
    testing::MainWindowDriver& d() { return *m_driver; }
    // Every caption shown whole, and every field wide and tall enough for its largest number, inside its
    // page.
    void nothingOnThePagesIsCutOff() {
        for (int i = 0; i < 4; ++i) {
            d().tabs()->setCurrentIndex(i);
            QWidget* page = d().tabs()->widget(i);
            for (auto* w : page->findChildren<QWidget*>()) {
                const auto* label = qobject_cast<QLabel*>(w);
                const auto* button = qobject_cast<QAbstractButton*>(w);
                const QString text = label ? label->text() : button ? button->text() : w->objectName();
                const int textWidth = button  ? w->fontMetrics().horizontalAdvance(text)
                                      : label ? label->minimumSizeHint().width()
                                              : 0;
                const bool holdsItsNumber =
                    !qobject_cast<QLineEdit*>(w) ||
                    (w->height() >= w->fontMetrics().height() &&
                     w->width() >= w->fontMetrics().horizontalAdvance(QStringLiteral("120")));
                QVERIFY2(page->rect().contains(QRect(w->mapTo(page, QPoint()), w->size())) &&
                             w->width() >= textWidth && holdsItsNumber,
                         qPrintable(text));
            }
        }
    }

private slots:
    void init() {
        m_driver =
            std::make_unique<testing::MainWindowDriver>(QMap<QString, QString>{{"zsnesfilepath", "/z"}});
    }

    void eachControlStandsOnItsTabAndAddsItsSwitch_data() {
        // clang-format off
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(std::size(kControls)); ++i) QTest::newRow(kControls[i].name) << i;
        // clang-format on
    }
    void eachControlStandsOnItsTabAndAddsItsSwitch() {
        QFETCH(int, row);
        const Control& c = kControls[row];
        auto* control = d().named<QAbstractButton>(QLatin1StringView(c.name));
        QCOMPARE(control->text(), QString::fromUtf8(c.caption));
        QCOMPARE(d().tabs()->tabText(d().tabs()->currentIndex()), QStringLiteral("&Misc."));
        QVERIFY(!control->isEnabled() == (*c.heading != '\0'));
        if (*c.heading != '\0')
            d().tick(QString::fromUtf8(c.heading));
        d().click(control);
        QCOMPARE(d().tabs()->tabText(d().tabs()->currentIndex()), QString::fromUtf8(c.tab));
        d().press("&View Syntax");
        QCOMPARE(d().syntax(), "/z" + QString::fromUtf8(c.addsToLine));
    }

    void controlsStandInTheirDesignedRows() {
        for (const char* column : kRows) {
            int bottom = -1;
            int left = -1; // every row of a frame or page starts at one left edge, but for centred ones
            const bool underTheTabs = QString::fromLatin1(column).startsWith("SSTab1");
            d().show(d().named<QWidget>(QString::fromLatin1(column).section('|', 0, 0).section(' ', 0, 0)));
            for (const QString& line : QString::fromLatin1(column).split('|')) {
                const QStringList row = line.split(' ');
                QList<QRect> cells;
                for (const QString& name : row) {
                    QWidget* w = d().named<QWidget>(name);
                    cells << QRect(w->mapTo(&*d().window, QPoint()), w->size());
                }
                QVERIFY2(cells[0].top() > bottom, qPrintable(row[0]));
                // Rows of boxes follow one another closely, the tray boxes apart.
                QVERIFY2(!row[0].startsWith("Check") || bottom < 0 || row[0] == "Check36" ||
                             cells[0].top() - bottom <= 3,
                         qPrintable(row[0]));
                const bool centred = row.size() == 1 && row[0].startsWith("Option");
                QVERIFY2(underTheTabs || centred || left < 0 || cells[0].left() == left, qPrintable(row[0]));
                left = (underTheTabs || centred || left >= 0) ? left : cells[0].left();
                for (int i = 1; i < cells.size(); ++i)
                    QVERIFY2(qAbs(cells[i].center().y() - cells[0].center().y()) <= 1 &&
                                 cells[i].left() > cells[i - 1].right(),
                             qPrintable(row[i]));
                bottom = cells[0].bottom();
                if (centred) {
                    const QWidget* button = d().named<QWidget>(row[0]);
                    QVERIFY(qAbs(button->geometry().center().x() - button->parentWidget()->width() / 2) <= 2);
                }
            }
        }
        // The tray boxes stand apart from the options above them, and each field right of its box.
        auto top = [this](const char* name) {
            return d().named<QWidget>(name)->mapTo(&*d().window, QPoint()).y();
        };
        QVERIFY(top("Check36") - top("Check32") > top("Check32") - top("Check28"));
        QVERIFY(d().named<QWidget>("Frame3")->width() > d().named<QWidget>("Frame1")->width() * 3 / 2);
        for (const char* across : {"Frame3", "Frame4"}) { // the frames across a whole tab stand centred on it
            const QWidget* titled = d().named<QWidget>(across)->parentWidget();
            QVERIFY2(titled->x() == titled->parentWidget()->width() - 1 - titled->geometry().right(), across);
        }
        // The buttons stand midway between the tabs and the lines below them.
        QVERIFY(top("Command1") - (top("SSTab1") + d().tabs()->height()) ==
                top("Label9") - (top("Command1") + d().named<QWidget>("Command1")->height()));
        // Each frame's top line runs through the middle of its title box, which stands inside its width.
        for (const char* titled : {"Check2 Frame1", "Check3 Frame2", "Check23 Frame3", "Check29 Frame4"}) {
            const QStringList pair = QString::fromLatin1(titled).split(' ');
            const QRect box = d().named<QWidget>(pair[0])->geometry();
            const QRect frame = d().named<QWidget>(pair[1])->geometry();
            QVERIFY2(qAbs(frame.top() - box.center().y()) <= 1 && box.left() > frame.left(), titled);
        }
    }

    void windowMenusAndTextsAreAsDesigned() {
        MainWindow& w = *d().window;
        QCOMPARE(w.windowTitle(), QStringLiteral("Mivo v1.60"));
        QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint) &&
                (w.windowFlags() & Qt::WindowMinimizeButtonHint));
        QStringList tabs;
        for (int i = 0; i < d().tabs()->count(); ++i)
            tabs << d().tabs()->tabText(i);
        QCOMPARE(tabs, (QStringList{"&Video", "&Sound/Controls", "&Misc.", "Rom(s)"}));
        QCOMPARE(d().tabs()->size(), QSize(406, 353));
        QCOMPARE(w.width(), 406);
        QVERIFY(w.minimumSize() == w.maximumSize()); // not to be resized
        QVERIFY(testing::centred(&w));
        nothingOnThePagesIsCutOff();

        QCOMPARE(captions(w.menuBar()->actions()), (QStringList{"&File", "&Mode", "&Add-ons", "&Help"}));
        const QList<QAction*> menus = w.menuBar()->actions();
        QCOMPARE(captions(menus[0]->menu()->actions()), (QStringList{"&Paths", "-", "&Exit"}));
        QCOMPARE(captions(menus[1]->menu()->actions()), (QStringList{"&Zsnes", "&Snes9x"}));
        QCOMPARE(captions(menus[2]->menu()->actions()), (QStringList{"&Romulus", "-", "&About Add-ons"}));
        QCOMPARE(captions(menus[3]->menu()->actions()), (QStringList{"&About", "About &Emulators"}));
        QCOMPARE(captions(d().fakes.tray.popupMenu->actions()), QStringList{"&Exit"});
        QCOMPARE(d().fakes.tray.popupMenu->title(), "Right button");
        const QList<QAction*> modes = menus[1]->menu()->actions();
        for (int choices = 0; choices < 2; ++choices) { // choosing "&Zsnes" changes nothing
            QVERIFY(modes[0]->isChecked() && !modes[1]->isChecked() && !modes[1]->isEnabled());
            modes[0]->trigger();
        }

        // Whatever the keyboard reaches, and every frame, a screen reader can name.
        for (QWidget* control : w.findChildren<QWidget*>()) {
            if ((control->focusPolicy() != Qt::NoFocus && !control->focusProxy()) ||
                qobject_cast<QGroupBox*>(control))
                QVERIFY2(!QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name).isEmpty(),
                         qPrintable(control->objectName() + " " + control->metaObject()->className()));
        }
        // Every control and menu entry carries its designed name, for accessibility tools and scripts.
        QCOMPARE(w.objectName(), "Form1");
        for (const QString& name :
             QStringLiteral(
                 "SSTab1 Command1 Command2 Label1 Label6 Label7 Label8 Label9 Label10 Frame1 Frame2 Frame3 "
                 "Frame4 "
                 "Frame5 Frame6 File1 Command4 Command6 Text1 Text2 Text3 Text4 CommonDialog1 CommonDialog2 "
                 "CommonDialog3 mnuFile mnuSettings mnuSeperator1 mnuExit mnuMode mnuZsnesMode mnuSnes9xMode "
                 "mnuAddons mnuRomulus mnuSeperator mnuAboutAddons mnuHelp mnuAbout mnuAboutEmulators "
                 "mnuRightButton mnuExitRight")
                 .split(' '))
            QVERIFY2(w.findChild<QObject*>(name), qPrintable(name));
        const auto label = [this](const char* name) { return d().named<QLabel>(name); };
        QCOMPARE(label("Label6")->text(),
                 "*Rom(s) and folders must be one word.  And not include spaces or &*");
        QCOMPARE(label("Label9")->text(), "Zsnes syntax:");
        QCOMPARE(label("Label8")->text(), "Rom Name:");
        QVERIFY(label("Label9")->font().bold() && label("Label8")->font().bold());
        QCOMPARE(label("Label7")->text(), "Goto ''Setup'' to load a Rom");
        QCOMPARE(label("Label10")->text(), "Not finished yet.");
        QCOMPARE(label("Label10")->font().pointSize(), 24);
        QCOMPARE(d().named<QGroupBox>("Frame6")->title(), "Rom Info:");
        QCOMPARE(label("Label1")->textFormat(), Qt::PlainText);
        QVERIFY(label("Label1")->alignment() & label("Label7")->alignment() & Qt::AlignHCenter);
        QCOMPARE(label("Label6")->palette().color(QPalette::WindowText), QColor(Qt::red));
        QCOMPARE(d().named<QWidget>("File1")->width(), 169); // 2535 twips
        // Left edge and width, in twips / 15: the buttons at 240 and 3600; the displays 4455 wide, right of
        // their bold captions.
        const auto across = [&w, this](const char* name) {
            const QWidget* widget = d().named<QWidget>(name);
            return std::pair{widget->mapTo(&w, QPoint()).x(), widget->width()};
        };
        QCOMPARE(across("Command1"), std::pair(16, 137));
        QCOMPARE(across("Command2"), std::pair(240, 145));
        QCOMPARE(across("Label1").second, 297);
        QCOMPARE(across("Label7"), across("Label1"));
        QVERIFY(across("Label1").first > across("Label9").first + label("Label9")->sizeHint().width());
        QVERIFY(d().button("Load Rom.....")->isEnabled() && !d().button("Clear")->isEnabled());
        QVERIFY(d().button("&Run/Play")->isEnabled());
    }

    void aLargeDesktopFontStepsDownUntilThePagesFit() {
        const QFont desktop = QApplication::font();
        QFont large = desktop;
        large.setPointSizeF(desktop.pointSizeF() * 1.4);
        QApplication::setFont(large);
        m_driver = std::make_unique<testing::MainWindowDriver>();
        QApplication::setFont(desktop);
        QVERIFY(d().tabs()->widget(0)->font().pointSizeF() < large.pointSizeF());
        nothingOnThePagesIsCutOff();
    }

    // Too little room steps the pages' font down by half points to the largest size at which all three
    // fit, and never below 7 points.
    void optionPagesTakeTheLargestFontThatFits() {
        constexpr std::array kTabs{OptionTab::Video, OptionTab::SoundControls, OptionTab::Misc};
        const auto pagesAt = [](double points, QWidget& parent) {
            QFont font = parent.font();
            font.setPointSizeF(points);
            parent.setFont(font);
            return std::make_unique<OptionPages>(&parent);
        };
        const auto needs = [&](double points) { // built at that font: what the largest page takes
            QWidget parent;
            const auto pages = pagesAt(points, parent);
            QSize needed;
            for (const OptionTab tab : kTabs)
                needed = needed.expandedTo(pages->page(tab)->layout()->totalSizeHint());
            return needed;
        };
        for (const auto& [from, room, fitted] : {std::tuple{12.0, needs(12), 12.0},
                                                 {12.0, needs(9), 9.0},
                                                 {12.0, needs(9) - QSize(0, 1), 8.5},
                                                 {12.0, needs(9) - QSize(1, 0), 8.5},
                                                 {12.0, QSize(1, 1), 7.0},
                                                 {7.5, QSize(1, 1), 7.0}}) {
            QWidget parent;
            const auto pages = pagesAt(from, parent);
            pages->fitInto(room);
            for (const OptionTab tab : kTabs)
                QCOMPARE(pages->page(tab)->font().pointSizeF(), fitted);
        }
    }

    void headingBoxesEnableExactlyTheirControls() {
        QVERIFY(d().field("Turn on frame skip")->isEnabled()); // before its box was ever ticked
        d().tick("Turn on frame skip [0-9]");
        d().tick("Turn on frame skip [0-9]");
        QVERIFY(!d().field("Turn on frame skip")->isEnabled());

        QVERIFY(!d().option("Player 1 input Device", "Keyboard")->isEnabled());
        d().tick("Player 1 input Device:");
        d().tick("Player 2 input Device:");
        d().tick("Player 2 input Device:");
        for (const char* device :
             {"None", "Keyboard", "2 Button", "Gamepad", "4 Button", "6 Buton", "Sidewinder"}) {
            QVERIFY(d().option("Player 1 input Device", device)->isEnabled());
            QVERIFY(!d().option("Player 2 input Device", device)->isEnabled());
        }
        QVERIFY(d().option("Player 1 input Device", "None")->isChecked());

        d().tick("Video Mode:");
        d().click(d().option("Video Mode", "640x480x256(VESA2)"));
        d().tick("Video Mode:");
        QVERIFY(!d().option("Video Mode", "640x480x256(VESA2)")->isEnabled());
        d().tick("Video Mode:");
        QVERIFY(d().option("Video Mode", "640x480x256(VESA2)")->isChecked());

        // A screen reader toggles a box without a click; the interlock follows all the same.
        d().button("Sound Blaster sampling rate and bit:")->toggle();
        QVERIFY(d().option("Sound Blaster sampling rate and bit", "8000Hz")->isEnabled());

        // Boxes outside the interlocks change nothing else.
        const auto enabled = [this] {
            QMap<QWidget*, bool> states;
            for (auto* widget : d().window->findChildren<QWidget*>())
                states.insert(widget, widget->isEnabled());
            return states;
        };
        const auto before = enabled();
        for (const char* box : {"Force NTSC timing", "Force PAL timing", "Enable LoROM", "Force HiROM"})
            d().tick(box);
        QCOMPARE(enabled(), before);
    }

    // Each change is corrected as it is made, and sets the field's flag.
    void numberFieldsCorrectEachChange() {
        QStringList start;
        for (const char* field : {"Turn on frame skip", "Set Gamma Correction", "Set Volume level",
                                  "Percentage of instructions to execute"})
            start << d().field(field)->text();
        QCOMPARE(start, (QStringList{"0", "0", "0", "50"}));
        QCOMPARE(d().flag("Set Volume level"), "Label4"); // until the first change, the hidden label's name
        d().type("Turn on frame skip", "12");             // 12 is above 9
        QCOMPARE(d().field("Turn on frame skip")->text(), "9");
        QCOMPARE(d().flag("Turn on frame skip"), "True");
        d().type("Set Gamma Correction", "0.5"); // "0." is 0 before the 5 comes
        QCOMPARE(d().field("Set Gamma Correction")->text(), "05");
        d().type("Percentage of instructions to execute", "30"); // below the lowest value it stays
        QCOMPARE(d().field("Percentage of instructions to execute")->text(), "30");
        QCOMPARE(d().flag("Percentage of instructions to execute"), "False");
        const QString pasted = QString(39999, u'0') + u'5'; // no length limit
        d().field("Set Volume level")->selectAll();
        d().field("Set Volume level")->insert(pasted);
        QCOMPARE(d().field("Set Volume level")->text(), pasted);
        QCOMPARE(d().flag("Set Volume level"), "True");
    }

    void viewSyntaxComposesTheFieldsAndWaitsForTheNextPress() {
        d().tick("Turn on frame skip [0-9]");
        d().type("Turn on frame skip", "3");
        d().tick("Percentage of instructions to execute [50-120]");
        d().type("Percentage of instructions to execute", "7");
        d().button("&Run/Play")->setEnabled(false);
        d().press("&View Syntax");
        QCOMPARE(d().syntax(), "/z -f 3");
        QVERIFY(d().button("&Run/Play")->isEnabled());
        d().type("Percentage of instructions to execute", "60");
        d().tick("Enable VSYNC");
        QCOMPARE(d().syntax(), "/z -f 3");
        d().press("&View Syntax");
        QCOMPARE(d().syntax(), "/z -f 3 -p 60 -w");
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
