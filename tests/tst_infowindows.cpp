#include "FakePlatform.h"
#include "ui/Launcher.h"
#include "ui/dialogs/InformationWindow.h"
#include "ui/dialogs/SecondaryWindows.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace mivo;

using Opener = void (SecondaryWindows::*)();
Q_DECLARE_METATYPE(Opener)

namespace {

// The main window with its menus' information windows, on fakes.
struct Setup {
    fakes::FakePlatform fakes;
    QMainWindow main;
    Launcher launcher{fakes.programs, fakes.messages};
    QString romulusPath = QStringLiteral("Romulus path not selected");
    SecondaryWindows windows{main, fakes.platform(), launcher, [this] { return romulusPath; }};
};

// The visible information windows with this name, or with any name when it is empty.
QList<InformationWindow*> openWindows(const QString& objectName) {
    QList<InformationWindow*> found;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<InformationWindow*>(widget); window && window->isVisible())
            if (objectName.isEmpty() || window->objectName() == objectName)
                found.append(window);
    return found;
}

} // namespace

// The information windows as the user meets them from the main window's menus, and the lock they put
// on the main window while they are open.
class TestInformationWindows : public QObject {
    Q_OBJECT

    std::unique_ptr<Setup> m_setup;

    InformationWindow* open(Opener opener, const QString& objectName) {
        (m_setup->windows.*opener)();
        return openWindows(objectName).value(0);
    }

private slots:
    void init() {
        m_setup = std::make_unique<Setup>();
        m_setup->main.show();
    }

    void cleanup() {
        m_setup.reset();
        QVERIFY2(openWindows({}).isEmpty(), "windows outlive their controller");
    }

    void window_beepsOnceLocksAndGoesWhenClosed_data() {
        QTest::addColumn<Opener>("opener");
        QTest::addColumn<QString>("objectName");
        QTest::addColumn<bool>("byOk");
        using W = SecondaryWindows;
        for (const bool byOk : {true, false}) {
            const char* how = byOk ? "Ok" : "close box";
            QTest::addRow("About, %s", how) << &W::mnuAbout_Click << "Form2" << byOk;
            QTest::addRow("About Add-ons, %s", how) << &W::mnuAboutAddons_Click << "Form4" << byOk;
            QTest::addRow("About Emulators, %s", how) << &W::mnuAboutEmulators_Click << "Form6" << byOk;
            // The Romulus path is still the placeholder.
            QTest::addRow("Romulus Not Found, %s", how) << &W::mnuRomulus_Click << "Form3" << byOk;
        }
    }
    void window_beepsOnceLocksAndGoesWhenClosed() {
        QFETCH(Opener, opener);
        QFETCH(QString, objectName);
        QFETCH(bool, byOk);

        QPointer<InformationWindow> window = open(opener, objectName);
        QVERIFY(!m_setup->main.isEnabled());
        QVERIFY(m_setup->fakes.programs.started.isEmpty()); // the Romulus placeholder is no program
        (m_setup->windows.*opener)(); // again while open: the same window comes forward, with no second beep
        QCOMPARE(openWindows(objectName), QList<InformationWindow*>{window});
        QCOMPARE(m_setup->fakes.beeper.beeps, 1);
        // Only the two links of "About" lead anywhere; the other windows' addresses are plain text.
        if (objectName != QLatin1String("Form2"))
            for (QLabel* label : window->findChildren<QLabel*>())
                QTest::mouseClick(label, Qt::LeftButton);
        QVERIFY(m_setup->fakes.urls.opened.isEmpty());

        if (byOk)
            QTest::mouseClick(&window->okButton(), Qt::LeftButton);
        else
            QVERIFY(window->close());
        QVERIFY(m_setup->main.isEnabled()); // already while the window is on its way out
        QTRY_VERIFY(window.isNull());
    }

    void lockedMainWindow_refusesToCloseUntilTheLastWindowIsGone() {
        InformationWindow* about = open(&SecondaryWindows::mnuAbout_Click, "Form2");
        InformationWindow* emulators = open(&SecondaryWindows::mnuAboutEmulators_Click, "Form6");
        about->close();
        QVERIFY(!m_setup->main.close());
        emulators->close();
        QVERIFY(m_setup->main.close());
    }

    void romulus_anyPathButThePlaceholderIsStarted() {
        m_setup->romulusPath = QStringLiteral("romulus path not selected"); // differs only in case
        m_setup->windows.mnuRomulus_Click();
        m_setup->romulusPath = QStringLiteral("Romulus Path"); // the field's text on a first run
        m_setup->fakes.programs.failWith = QStringLiteral("No such file or directory");
        m_setup->windows.mnuRomulus_Click();

        QCOMPARE(m_setup->fakes.programs.started,
                 (QList<ProgramInvocation>{{"romulus path not selected", {}}, {"Romulus Path", {}}}));
        QCOMPARE(m_setup->fakes.messages.warnings.size(), 1); // the failed second start
        QCOMPARE(m_setup->fakes.beeper.beeps, 0);             // and no "Romulus Not Found"
        QVERIFY(m_setup->main.isEnabled());
    }

    void links_openTheirTargetWithAHandOverThem() {
        InformationWindow* about = open(&SecondaryWindows::mnuAbout_Click, "Form2");
        for (const char* name : {"Label3", "Label4"}) {
            auto* link = about->findChild<QLabel*>(QLatin1String(name));
            QTest::mouseClick(link, Qt::LeftButton);
            QCOMPARE(link->cursor().pixmap().size(), QSize(32, 32));
            QCOMPARE(link->cursor().hotSpot(), QPoint(5, 0));
        }
        QCOMPARE(m_setup->fakes.urls.opened,
                 (QStringList{"mailto:mivo@example.org", "https://example.org/mivo"}));
    }
};

QTEST_MAIN(TestInformationWindows)
#include "tst_infowindows.moc"
