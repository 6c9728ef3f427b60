#include "MainWindowDriver.h"
#include "ui/DeferredArrowStyle.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QClipboard>
#include <QHelpEvent>
#include <QMenuBar>
#include <QStyleFactory>
#include <QToolTip>

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
const QStringList kDevices{"None", "Keyboard", "2 Button", "Gamepad", "4 Button", "6 Buton", "Sidewinder"};

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

    // Every box of a tab as the user finds it, by its caption, and what ticking it alone adds to the line.
    void eachBoxStandsOnItsTabAndAddsItsSwitch_data() {
        QTest::addColumn<testing::Stored>("boxes"); // caption: what it adds
        // A number option's field has not been changed yet, so it is not valid and adds nothing.
        // clang-format off
        QTest::newRow(kVideo) << testing::Stored{
            {"Disable color 0 modifications in 256 color modes", " -0"}, {"Off by 1 line fix", " -9"},
            {"Turn on auto frame skip", " -a"}, {"Scale to fit screen (320x240 VESA2/640x480 VESA2)", " -c"},
            {"Remove Background Color in 256 color video modes", " -cb"},
            {"No image scale and center image in screen (640x480 VESA2)", " -cc"},
            {"Turn on frame skip [0-9]", ""}, {"Set Gamma Correction [0-5, 0=Normal]", ""}, {kMode, " -v 0"},
            {"Enable VSYNC", " -w"}, {"Turn on Scanlines (256x256 or 640x480)", " -n"},
            {"Enable EAGLE (640x480x256)", " -y"}, {"Enable Interpolation (640x480x65536)", " -y"}};
        QTest::newRow(kSound) << testing::Stored{
            {kPlayer1, " -1 0"}, {kPlayer2, " -2 0"}, {"Disable SPC700 speedhack", " -7"},
            {"Force 8-bit sound", " -8"}, {"Disable sound DSP", " -dd"}, {"Set Volume level [0-100]", ""},
            {kRate, " -r 2"}, {"EnableSPC700/DSP emulation (sound)", " -s"}};
        QTest::newRow(kMisc) << testing::Stored{
            {"Start with debugger", " -d"}, {"Skip enter key press at the beginning", " -e"},
            {"Force HiROM", " -h"}, {"Uninterleave ROM image", " -i"},
            {"Disable mouse (Turns off right mouse click)", " -j"}, {"Enable FPU Copy", " -o"},
            {"Enable MMX copy", " -om"}, {"Percentage of instructions to execute [50-120]", ""},
            {"Show all file extensions in gui (*.*)", " -sa"}, {"Enable snowy gui background", " -sn"},
            {"Force NTSC timing", " -t"}, {"Force PAL timing", " -u"}, {"Enable LoROM", " -l"},
            {"Disable GUI", " -m"}, {"Mivo minimizes into system tray", ""}, {"Mivo icon in system tray", ""}};
        // clang-format on
    }
    void eachBoxStandsOnItsTabAndAddsItsSwitch() {
        QFETCH(testing::Stored, boxes);
        const QString tab = QString::fromUtf8(QTest::currentDataTag());
        for (const auto& [caption, addsToLine] : boxes.asKeyValueRange()) {
            start();
            QAbstractButton* box = d().button(caption);
            QVERIFY2(box->text() == caption && box->isEnabled(), qPrintable(caption));
            d().click(box);
            QCOMPARE(d().tabs()->tabText(d().tabs()->currentIndex()), tab);
            d().press("&View Syntax");
            QCOMPARE(d().syntax(), kZsnes + addsToLine);
        }
    }

    // The option buttons of each frame, usable once its box is ticked; the one chosen alone puts the
    // frame's switch on the line with its number, counted from 0 in the order listed.
    void eachOptionOfAFrameAddsItsSwitch_data() {
        QTest::addColumn<QString>("tab");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QString>("switchBefore");
        // clang-format off
        QTest::newRow(kPlayer1) << kSound << kDevices << " -1 ";
        QTest::newRow(kPlayer2) << kSound << kDevices << " -2 ";
        const QStringList rates{"8000Hz", "11025Hz", "22050Hz", "44100Hz", "16000Hz", "32000Hz"};
        QTest::newRow(kRate) << kSound << rates << " -r ";
        QTest::newRow(kMode) << kVideo << QStringList{"320x240x256", "256x256x256", "320x240x256(VESA2)",
            "320x240x16b(VESA2)", "640x480x256(VESA2)", "640x480x16b(VESA2)", "512x384x256(VESA2)",
            "512x384x16b(VESA2)", "640x480x16b(VESA1.2)", "320x480x256(VESA2)", "320x480x65536(VESA2)"} << " -v ";
        // clang-format on
    }
    void eachOptionOfAFrameAddsItsSwitch() {
        QFETCH(QString, tab);
        QFETCH(QStringList, captions);
        QFETCH(QString, switchBefore);
        const QString heading = QString::fromUtf8(QTest::currentDataTag());
        const QString frame = QString(heading).remove(u':');
        QVERIFY(!d().option(frame, captions[0])->isEnabled());
        d().press(heading);
        for (qsizetype i = 0; i < captions.size(); ++i) {
            d().click(d().option(frame, captions[i]));
            QCOMPARE(d().tabs()->tabText(d().tabs()->currentIndex()), tab);
            d().press("&View Syntax");
            QCOMPARE(d().syntax(), kZsnes + switchBefore + QString::number(i));
        }
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
        const QList<QAction*> modes = menus[1]->menu()->actions();
        QVERIFY(modes[0]->isChecked() && !modes[1]->isChecked() && !modes[1]->isEnabled());

        // Whatever the keyboard reaches, and every frame, a screen reader can name.
        for (QWidget* control : w.findChildren<QWidget*>()) {
            if ((control->focusPolicy() != Qt::NoFocus && !control->focusProxy()) ||
                qobject_cast<QGroupBox*>(control))
                QVERIFY2(!QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name).isEmpty(),
                         qPrintable(control->objectName() + " " + control->metaObject()->className()));
        }
        for (const auto& [control, name] :
             {std::pair<QWidget*, QString>{w.findChild<QAbstractItemView*>(), "ROM files"},
              {d().button("Load Rom.....")->parentWidget(), "ROM choice"}})
            QCOMPARE(QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name), name);
        QStringList labels;
        for (const QLabel* label : w.findChildren<QLabel*>())
            labels << label->text();
        for (const char* text : {"*Rom(s) and folders must be one word.  And not include spaces or &*",
                                 "Zsnes syntax:", "Rom Name:", "Not finished yet."})
            QVERIFY2(labels.contains(text), text);
        QCOMPARE(d().rom(), "Goto ''Setup'' to load a Rom");
        QVERIFY(testing::find<QGroupBox>(&w, [](QGroupBox* g) { return g->title() == "Rom Info:"; }));
        QCOMPARE(d().syntaxLine()->textFormat(), Qt::PlainText); // a path is shown as it is
        QVERIFY(d().button("Load Rom.....")->isEnabled() && !d().button("Clear")->isEnabled());
    }

    // The arrow a crowded menu bar shows, read only when drawn, is the style's own while the style lives.
    void theMenuBarsOverflowArrowIsTheStylesOwn() {
        const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
        const auto arrow = [](const QStyle& style) {
            return style.standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton).pixmap(16).toImage();
        };
        QVERIFY(!arrow(*fusion).isNull());
        QCOMPARE(arrow(DeferredArrowStyle("Fusion")), arrow(*fusion));
        const QIcon orphan = std::make_unique<DeferredArrowStyle>("Fusion")->standardIcon(
            QStyle::SP_ToolBarHorizontalExtensionButton, nullptr, nullptr); // its style is gone at once
        QVERIFY(orphan.pixmap(16).isNull());                                // and leaves nothing to draw
    }

    // The command line can be read whole: Tab reaches it after "&Run/Play" to select and copy it, and when it
    // is wider than its place its tooltip holds it.
    void theCommandLineIsReadWhole() {
        const QString longPath = "/opt/" + QString(300, 'z');
        for (const QString& path : {kZsnes, longPath}) {
            start({{"zsnesfilepath", path}});
            QHelpEvent asked(QEvent::ToolTip, {4, 4}, d().syntaxLine()->mapToGlobal(QPoint(4, 4)));
            QApplication::sendEvent(d().syntaxLine(), &asked);
            QCOMPARE(QToolTip::text(), path == kZsnes ? "" : longPath);
        }
        d().button("&Run/Play")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keySequence(QApplication::focusWidget(), QKeySequence::SelectAll);
        QTest::keySequence(QApplication::focusWidget(), QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), longPath);
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
        // clang-format off
        for (const auto& [menu, entry] : {std::pair{"&Help", "&About"}, {"&Help", "About &Emulators"},
                                          {"&Add-ons", "&About Add-ons"}, {"&Add-ons", "&Romulus"}, {"&File", "&Paths"}})
            d().menu(menu, entry);
        // clang-format on
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
            d().press(box);
            d().press(box);
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
        for (const QString& device : kDevices)
            expected[d().option("Player 1 input Device", device)] = true;
        expected[d().frame("Player 1 input Device")] = true;
        for (const char* box :
             {kPlayer1, "Force NTSC timing", "Force PAL timing", "Enable LoROM", "Force HiROM"})
            d().press(box);
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
        d().press("Turn on frame skip [0-9]");
        d().type(d().field("Turn on frame skip"), "12"); // 12 is above 9
        QCOMPARE(d().field("Turn on frame skip")->text(), "9");
        d().press("Set Gamma Correction [0-5, 0=Normal]");
        d().type(d().field("Set Gamma Correction"), "0.5"); // "0." is 0 before the 5 comes
        QCOMPARE(d().field("Set Gamma Correction")->text(), "05");
        d().press("Percentage of instructions to execute [50-120]");
        d().type(d().field("Percentage of instructions to execute"), "30"); // below the lowest value it stays
        QCOMPARE(d().field("Percentage of instructions to execute")->text(), "30");
        d().press("&View Syntax");
        QCOMPARE(d().syntax(), kZsnes + " -f 9 -g 05");
        d().type(d().field("Percentage of instructions to execute"), "60");
        d().press("Enable VSYNC");
        QCOMPARE(d().syntax(), kZsnes + " -f 9 -g 05");
        d().press("&View Syntax");
        QCOMPARE(d().syntax(), kZsnes + " -f 9 -g 05 -p 60 -w");
        const QString pasted = QString(39999, u'0') + u'5'; // no length limit
        d().field("Set Volume level")->selectAll();
        d().field("Set Volume level")->insert(pasted);
        QCOMPARE(d().field("Set Volume level")->text(), pasted);
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
