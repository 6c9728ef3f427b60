#include "MainWindowDriver.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QMenuBar>

using namespace mivo;
using testing::kZsnes;

namespace {

const char* const kVideo = "&Video";
const char* const kSound = "&Sound/Controls";
const char* const kMisc = "&Misc.";
const char* const kPlayer1 = "Player 1 input Device:";
const char* const kPlayer2 = "Player 2 input Device:";
const char* const kRate = "Sound Blaster sampling rate and bit:";
const char* const kMode = "Video Mode:";

QStringList captions(const QList<QAction*>& actions) {
    QStringList texts;
    for (const QAction* action : actions)
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

// The first control of `window` whose text or number is not shown whole, and why; empty when there is none.
// A list or the tabs may stand over no other control either.
QString firstCutOff(const QWidget& window) {
    QList<const QWidget*> shown;
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        const auto* label = qobject_cast<const QLabel*>(w);
        const auto* button = qobject_cast<const QAbstractButton*>(w);
        const bool hasText = label || button || qobject_cast<const QLineEdit*>(w);
        if (!w->isVisible() ||
            !(hasText || qobject_cast<const QTabWidget*>(w) || qobject_cast<const QAbstractItemView*>(w)))
            continue;
        const QString text = label ? label->text() : button ? button->text() : w->accessibleName();
        const QFontMetrics metrics = w->fontMetrics();
        QSize needed = label    ? label->minimumSizeHint()
                       : button ? QSize(metrics.horizontalAdvance(text), metrics.height())
                                : QSize(metrics.horizontalAdvance(QStringLiteral("120")), metrics.height());
        if (label && label->wordWrap())
            needed.setHeight(label->heightForWidth(w->width()));
        // What its parents cut off is outside the region it can paint.
        if (hasText && (w->visibleRegion() != QRegion(w->rect()) || w->width() < needed.width() ||
                        w->height() < needed.height()))
            return text + " is cut off";
        const QRect where(w->mapTo(&window, QPoint()), w->size());
        for (const QWidget* other : shown) {
            if (!other->isAncestorOf(w) &&
                where.intersects(QRect(other->mapTo(&window, QPoint()), other->size())))
                return text + " lies over " + other->objectName();
        }
        shown.append(w);
    }
    return {};
}

} // namespace

// The main window as the user meets it: its controls, menus and texts, and what each control does to
// the line.
class TestWindow : public testing::SessionTest {
    Q_OBJECT

private slots:
    void init() { start(); }

    // Every option control as the user finds it: its caption, its tab, the box that makes it usable, and
    // what ticking or choosing it alone adds to the command line.
    void eachControlStandsOnItsTabAndAddsItsSwitch_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tab");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("addsToLine");
        const auto control = [](const char* name, const char* caption, const char* tab, const char* heading,
                                const char* addsToLine) {
            QTest::newRow(name) << caption << tab << heading << addsToLine;
        };
        control("Check1", "Disable color 0 modifications in 256 color modes", kVideo, "", " -0");
        control("Check2", kPlayer1, kSound, "", " -1 0");
        control("Check3", kPlayer2, kSound, "", " -2 0");
        control("Check4", "Disable SPC700 speedhack", kSound, "", " -7");
        control("Check5", "Force 8-bit sound", kSound, "", " -8");
        control("Check6", "Off by 1 line fix", kVideo, "", " -9");
        control("Check7", "Turn on auto frame skip", kVideo, "", " -a");
        control("Check8", "Scale to fit screen (320x240 VESA2/640x480 VESA2)", kVideo, "", " -c");
        control("Check9", "Remove Background Color in 256 color video modes", kVideo, "", " -cb");
        control("Check10", "No image scale and center image in screen (640x480 VESA2)", kVideo, "", " -cc");
        control("Check11", "Start with debugger", kMisc, "", " -d");
        control("Check12", "Disable sound DSP", kSound, "", " -dd");
        control("Check13", "Skip enter key press at the beginning", kMisc, "", " -e");
        // A number option's field has not been changed yet, so it is not valid and adds nothing.
        control("Check14", "Turn on frame skip [0-9]", kVideo, "", "");
        control("Check15", "Set Gamma Correction [0-5, 0=Normal]", kVideo, "", "");
        control("Check16", "Force HiROM", kMisc, "", " -h");
        control("Check17", "Uninterleave ROM image", kMisc, "", " -i");
        control("Check18", "Disable mouse (Turns off right mouse click)", kMisc, "", " -j");
        control("Check19", "Set Volume level [0-100]", kSound, "", "");
        control("Check20", "Enable FPU Copy", kMisc, "", " -o");
        control("Check21", "Enable MMX copy", kMisc, "", " -om");
        control("Check22", "Percentage of instructions to execute [50-120]", kMisc, "", "");
        control("Check23", kRate, kSound, "", " -r 2");
        control("Check24", "EnableSPC700/DSP emulation (sound)", kSound, "", " -s");
        control("Check25", "Show all file extensions in gui (*.*)", kMisc, "", " -sa");
        control("Check26", "Enable snowy gui background", kMisc, "", " -sn");
        control("Check27", "Force NTSC timing", kMisc, "", " -t");
        control("Check28", "Force PAL timing", kMisc, "", " -u");
        control("Check29", kMode, kVideo, "", " -v 0");
        control("Check30", "Enable VSYNC", kVideo, "", " -w");
        control("Check31", "Enable LoROM", kMisc, "", " -l");
        control("Check32", "Disable GUI", kMisc, "", " -m");
        control("Check33", "Turn on Scanlines (256x256 or 640x480)", kVideo, "", " -n");
        control("Check34", "Enable EAGLE (640x480x256)", kVideo, "", " -y");
        control("Check35", "Enable Interpolation (640x480x65536)", kVideo, "", " -y");
        control("Check36", "Mivo minimizes into system tray", kMisc, "", "");
        control("Check37", "Mivo icon in system tray", kMisc, "", "");
        control("Option1", "None", kSound, kPlayer1, " -1 0");
        control("Option2", "Keyboard", kSound, kPlayer1, " -1 1");
        control("Option3", "2 Button", kSound, kPlayer1, " -1 2");
        control("Option4", "Gamepad", kSound, kPlayer1, " -1 3");
        control("Option5", "4 Button", kSound, kPlayer1, " -1 4");
        control("Option6", "6 Buton", kSound, kPlayer1, " -1 5");
        control("Option7", "Sidewinder", kSound, kPlayer1, " -1 6");
        control("Option8", "Sidewinder", kSound, kPlayer2, " -2 6");
        control("Option9", "6 Buton", kSound, kPlayer2, " -2 5");
        control("Option10", "4 Button", kSound, kPlayer2, " -2 4");
        control("Option11", "Gamepad", kSound, kPlayer2, " -2 3");
        control("Option12", "2 Button", kSound, kPlayer2, " -2 2");
        control("Option13", "Keyboard", kSound, kPlayer2, " -2 1");
        control("Option14", "None", kSound, kPlayer2, " -2 0");
        control("Option15", "8000Hz", kSound, kRate, " -r 0");
        control("Option16", "11025Hz", kSound, kRate, " -r 1");
        control("Option17", "22050Hz", kSound, kRate, " -r 2");
        control("Option18", "44100Hz", kSound, kRate, " -r 3");
        control("Option19", "16000Hz", kSound, kRate, " -r 4");
        control("Option20", "32000Hz", kSound, kRate, " -r 5");
        control("Option21", "320x240x256", kVideo, kMode, " -v 0");
        control("Option22", "256x256x256", kVideo, kMode, " -v 1");
        control("Option23", "320x240x256(VESA2)", kVideo, kMode, " -v 2");
        control("Option24", "320x240x16b(VESA2)", kVideo, kMode, " -v 3");
        control("Option25", "640x480x256(VESA2)", kVideo, kMode, " -v 4");
        control("Option26", "640x480x16b(VESA2)", kVideo, kMode, " -v 5");
        control("Option27", "512x384x256(VESA2)", kVideo, kMode, " -v 6");
        control("Option28", "512x384x16b(VESA2)", kVideo, kMode, " -v 7");
        control("Option29", "640x480x16b(VESA1.2)", kVideo, kMode, " -v 8");
        control("Option30", "320x480x256(VESA2)", kVideo, kMode, " -v 9");
        control("Option31", "320x480x65536(VESA2)", kVideo, kMode, " -v 10");
    }
    void eachControlStandsOnItsTabAndAddsItsSwitch() {
        QFETCH(QString, caption);
        QFETCH(QString, tab);
        QFETCH(QString, heading);
        QFETCH(QString, addsToLine);
        auto* control = d().named<QAbstractButton>(QString::fromLatin1(QTest::currentDataTag()));
        QCOMPARE(control->text(), caption);
        QCOMPARE(control->isEnabled(), heading.isEmpty());
        if (!heading.isEmpty())
            d().tick(heading);
        d().click(control);
        QCOMPARE(d().tabs()->tabText(d().tabs()->currentIndex()), tab);
        d().press("&View Syntax");
        QCOMPARE(d().syntax(), kZsnes + addsToLine);
    }

    void windowMenusAndTextsAreAsDesigned() {
        const MainWindow& w = *d().window;
        QCOMPARE(w.windowTitle(), "Mivo v1.60");
        QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint) &&
                (w.windowFlags() & Qt::WindowMinimizeButtonHint));
        QStringList tabs;
        for (int i = 0; i < d().tabs()->count(); ++i)
            tabs << d().tabs()->tabText(i);
        QCOMPARE(tabs, (QStringList{"&Video", "&Sound/Controls", "&Misc.", "Rom(s)"}));
        QCOMPARE(d().tabs()->currentIndex(), 2); // it opens on "&Misc."

        QCOMPARE(captions(w.menuBar()->actions()), (QStringList{"&File", "&Mode", "&Add-ons", "&Help"}));
        const QList<QAction*> menus = w.menuBar()->actions();
        QCOMPARE(captions(menus[0]->menu()->actions()), (QStringList{"&Paths", "-", "&Exit"}));
        QCOMPARE(captions(menus[1]->menu()->actions()), (QStringList{"&Zsnes", "&Snes9x"}));
        QCOMPARE(captions(menus[2]->menu()->actions()), (QStringList{"&Romulus", "-", "&About Add-ons"}));
        QCOMPARE(captions(menus[3]->menu()->actions()), (QStringList{"&About", "About &Emulators"}));
        QCOMPARE(captions(d().fakes.tray.popupMenu->actions()), QStringList{"&Exit"});
        QCOMPARE(d().fakes.tray.popupMenu->title(), "Right button");
        const QList<QAction*> modes = menus[1]->menu()->actions();
        QVERIFY(modes[0]->isChecked() && !modes[1]->isChecked() && !modes[1]->isEnabled());
        modes[0]->trigger(); // choosing "&Zsnes" changes nothing
        QVERIFY(modes[0]->isChecked());

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
                 "SSTab1 Command1 Command2 Label1 Label6 Label7 Label8 Label9 Label10 Frame1 Frame2 "
                 "Frame3 Frame4 Frame5 Frame6 File1 Command4 Command6 Text1 Text2 Text3 Text4 "
                 "CommonDialog1 CommonDialog2 CommonDialog3 mnuFile mnuSettings mnuSeperator1 "
                 "mnuExit mnuMode mnuZsnesMode mnuSnes9xMode mnuAddons mnuRomulus mnuSeperator "
                 "mnuAboutAddons mnuHelp mnuAbout mnuAboutEmulators mnuRightButton mnuExitRight")
                 .split(' '))
            QVERIFY2(w.findChild<QObject*>(name), qPrintable(name));
        const auto label = [this](const char* name) { return d().named<QLabel>(name)->text(); };
        QCOMPARE(label("Label6"), "*Rom(s) and folders must be one word.  And not include spaces or &*");
        QCOMPARE(label("Label9"), "Zsnes syntax:");
        QCOMPARE(label("Label8"), "Rom Name:");
        QCOMPARE(label("Label7"), "Goto ''Setup'' to load a Rom");
        QCOMPARE(label("Label10"), "Not finished yet.");
        QCOMPARE(d().named<QGroupBox>("Frame6")->title(), "Rom Info:");
        QCOMPARE(d().named<QLabel>("Label1")->textFormat(), Qt::PlainText); // a path is shown as it is
        QVERIFY(d().button("Load Rom.....")->isEnabled() && !d().button("Clear")->isEnabled());
    }

    // With a desktop font 1.4 times the usual, every caption on each of the four tabs, under them, in File
    // Paths and in the information windows is shown whole, inside its frame and page and clear of every other
    // control, and every number field is wide and tall enough for its largest number.
    void nothingIsCutOffAtALargeDesktopFont() {
        const QFont desktop = QApplication::font();
        QFont large = desktop;
        large.setPointSizeF(desktop.pointSizeF() * 1.4);
        QApplication::setFont(large);
        start({{"zsnesfilepath", kZsnes}, {"romuluspath", "Romulus path not selected"}});
        for (const char* entry :
             {"mnuAbout", "mnuAboutEmulators", "mnuAboutAddons", "mnuRomulus", "mnuSettings"})
            d().named<QAction>(entry)->trigger();
        QApplication::setFont(desktop);
        for (const QString title :
             {"About", "About Emulators", "About Add-ons", "Romulus Not Found", "File Paths"})
            QCOMPARE(firstCutOff(*testing::topLevel(title)), QString());
        for (int tab = 0; tab < d().tabs()->count(); ++tab) {
            d().tabs()->setCurrentIndex(tab);
            QCOMPARE(firstCutOff(*d().window), QString());
        }
    }

    void headingBoxesEnableExactlyTheirControls() {
        QVERIFY(d().field("Turn on frame skip")->isEnabled()); // before its box was ever ticked
        for (const char* box :
             {"Turn on frame skip [0-9]", "Percentage of instructions to execute [50-120]"}) {
            d().tick(box);
            d().tick(box);
        }
        QVERIFY(!d().field("Turn on frame skip")->isEnabled());
        QVERIFY(!d().field("Percentage of instructions to execute")->isEnabled());
        // A screen reader toggles a box without a click; the interlock follows all the same.
        d().button(kRate)->toggle();
        QVERIFY(d().option("Sound Blaster sampling rate and bit", "8000Hz")->isEnabled());

        // A group's box makes only its own frame usable, and boxes outside the interlocks change nothing.
        const auto enabled = [this] {
            QMap<QWidget*, bool> states;
            for (auto* widget : d().window->findChildren<QWidget*>())
                states.insert(widget, widget->isEnabled());
            return states;
        };
        auto expected = enabled();
        for (const char* device :
             {"None", "Keyboard", "2 Button", "Gamepad", "4 Button", "6 Buton", "Sidewinder"})
            expected[d().option("Player 1 input Device", device)] = true;
        expected[d().named<QWidget>("Frame1")] = true;
        for (const char* box :
             {kPlayer1, "Force NTSC timing", "Force PAL timing", "Enable LoROM", "Force HiROM"})
            d().tick(box);
        QCOMPARE(enabled(), expected);
    }

    // Each change of a field is corrected as it is made and sets the field's flag; "&View Syntax" adds the
    // fields found in range, and the line then waits for the next press.
    void numberFieldsAreCorrectedAsTypedAndComposedWhenInRange() {
        QStringList start;
        for (const char* field : {"Turn on frame skip", "Set Gamma Correction", "Set Volume level",
                                  "Percentage of instructions to execute"})
            start << d().field(field)->text();
        QCOMPARE(start, (QStringList{"0", "0", "0", "50"}));
        QCOMPARE(d().flag("Set Volume level"), "Label4"); // until the first change, the hidden label's name
        d().tick("Turn on frame skip [0-9]");
        d().type(d().field("Turn on frame skip"), "12"); // 12 is above 9
        QCOMPARE(d().field("Turn on frame skip")->text(), "9");
        QCOMPARE(d().flag("Turn on frame skip"), "True");
        d().tick("Set Gamma Correction [0-5, 0=Normal]");
        d().type(d().field("Set Gamma Correction"), "0.5"); // "0." is 0 before the 5 comes
        QCOMPARE(d().field("Set Gamma Correction")->text(), "05");
        d().tick("Percentage of instructions to execute [50-120]");
        d().type(d().field("Percentage of instructions to execute"), "30"); // below the lowest value it stays
        QCOMPARE(d().field("Percentage of instructions to execute")->text(), "30");
        QCOMPARE(d().flag("Percentage of instructions to execute"), "False");
        d().press("&View Syntax");
        QCOMPARE(d().syntax(), kZsnes + " -f 9 -g 05");
        d().type(d().field("Percentage of instructions to execute"), "60");
        d().tick("Enable VSYNC");
        QCOMPARE(d().syntax(), kZsnes + " -f 9 -g 05");
        d().press("&View Syntax");
        QCOMPARE(d().syntax(), kZsnes + " -f 9 -g 05 -p 60 -w");
        const QString pasted = QString(39999, u'0') + u'5'; // no length limit
        d().field("Set Volume level")->selectAll();
        d().field("Set Volume level")->insert(pasted);
        QCOMPARE(d().field("Set Volume level")->text(), pasted);
        QCOMPARE(d().flag("Set Volume level"), "True");
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
