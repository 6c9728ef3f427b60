#include "FakePlatform.h"
#include "ui/Launcher.h"
#include "ui/WindowGeometry.h"
#include "ui/dialogs/HandCursor.h"
#include "ui/dialogs/InformationWindow.h"
#include "ui/dialogs/SecondaryWindows.h"

#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <array>
#include <functional>
#include <memory>
#include <tuple>

using namespace mivo;

using Opener = void (SecondaryWindows::*)();
Q_DECLARE_METATYPE(Opener)

// The information windows as the user meets them from the main window's menus, and the lock they put
// on the main window while they are open.
class TestInformationWindows : public QObject {
    Q_OBJECT

    std::unique_ptr<fakes::FakePlatform> m_fakes;
    std::unique_ptr<QMainWindow> m_main;
    std::unique_ptr<Launcher> m_launcher;
    std::unique_ptr<SecondaryWindows> m_windows;
    QString m_romulusPath;

    // The one visible window with this name, or null.
    static InformationWindow* openWindow(const QString& objectName) {
        QList<InformationWindow*> found;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* window = qobject_cast<InformationWindow*>(widget);
            if (window != nullptr && window->objectName() == objectName && window->isVisible())
                found.append(window);
        }
        if (found.size() > 1)
            qFatal("%lld windows named %s are open", static_cast<long long>(found.size()),
                   qPrintable(objectName));
        return found.value(0);
    }

    InformationWindow* open(Opener opener, const QString& objectName) {
        (m_windows.get()->*opener)();
        return openWindow(objectName);
    }

    template <typename T> static T* control(const QWidget* window, const QString& objectName) {
        auto* found = window->findChild<T*>(objectName);
        if (found == nullptr)
            qFatal("no %s named %s", T::staticMetaObject.className(), qPrintable(objectName));
        return found;
    }

    InformationWindow* openAbout() {
        return open(&SecondaryWindows::mnuAbout_Click, QStringLiteral("Form2"));
    }

    // One row for each window with its opener and name; `more` appends the caller's further columns.
    static void windowRows(const std::function<void(QTestData&, int window)>& more = {}) {
        const std::array<std::tuple<const char*, Opener, const char*>, 4> windows{{
            {"About", &SecondaryWindows::mnuAbout_Click, "Form2"},
            {"About Add-ons", &SecondaryWindows::mnuAboutAddons_Click, "Form4"},
            {"About Emulators", &SecondaryWindows::mnuAboutEmulators_Click, "Form6"},
            {"Romulus Not Found", &SecondaryWindows::mnuRomulus_Click, "Form3"},
        }};
        for (int i = 0; i < 4; ++i) {
            const auto& [row, opener, name] = windows[i];
            QTestData& data = QTest::newRow(row) << opener << QString::fromLatin1(name);
            if (more)
                more(data, i);
        }
    }

private slots:
    void init() {
        m_fakes = std::make_unique<fakes::FakePlatform>();
        m_main = std::make_unique<QMainWindow>();
        m_main->show();
        m_launcher = std::make_unique<Launcher>(m_fakes->programs, m_fakes->messages);
        m_romulusPath = QStringLiteral("Romulus path not selected");
        m_windows = std::make_unique<SecondaryWindows>(*m_main, m_fakes->platform(), *m_launcher,
                                                       [this] { return m_romulusPath; });
    }

    void cleanup() {
        m_windows.reset();
        m_main.reset();
    }

    void window_beepsLocksAndUnlocksWhenClosed_data() {
        QTest::addColumn<Opener>("opener");
        QTest::addColumn<QString>("objectName");
        QTest::addColumn<bool>("byOk");
        windowRows([](QTestData& row, int) { row << true; });
        windowRows([](QTestData& row, int) { row << false; });
    }
    void window_beepsLocksAndUnlocksWhenClosed() {
        QFETCH(Opener, opener);
        QFETCH(QString, objectName);
        QFETCH(bool, byOk);

        QPointer<InformationWindow> window = open(opener, objectName);
        QVERIFY(window);
        QCOMPARE(m_fakes->beeper.beeps, 1);
        QVERIFY(!m_main->isEnabled());
        QVERIFY(m_fakes->programs.started.isEmpty());
        (m_windows.get()->*opener)(); // brings the open one forward
        QCOMPARE(openWindow(objectName), window.data());
        QCOMPARE(m_fakes->beeper.beeps, 1);

        if (byOk)
            QTest::mouseClick(control<QPushButton>(window, QStringLiteral("Command1")), Qt::LeftButton);
        else
            QVERIFY(window->close());
        QVERIFY(m_main->isEnabled()); // already while the window is on its way out
        QTRY_VERIFY(window.isNull());
        QVERIFY(open(opener, objectName) != nullptr);
        QCOMPARE(m_fakes->beeper.beeps, 2);
    }

    void window_escapeClosesAndReturnPressesOk() {
        QPointer<InformationWindow> window = open(&SecondaryWindows::mnuAboutEmulators_Click, "Form6");
        QTest::keyClick(window, Qt::Key_Escape);
        QTRY_VERIFY(window.isNull());

        window = open(&SecondaryWindows::mnuAboutAddons_Click, "Form4");
        QTest::keyClick(window, Qt::Key_Return);
        QTRY_VERIFY(window.isNull());
        QVERIFY(m_main->isEnabled());
    }

    void window_goneAnyOtherWayUnlocksToo() {
        delete openAbout();
        QVERIFY(m_main->isEnabled());

        QPointer<InformationWindow> window = openAbout();
        m_windows.reset(); // takes its windows along
        QVERIFY(window.isNull());
        QVERIFY(m_main->isEnabled());
    }

    void twoWindowsOpen_theMainWindowWaitsForBoth() {
        InformationWindow* about = openAbout();
        InformationWindow* emulators = open(&SecondaryWindows::mnuAboutEmulators_Click, "Form6");
        about->close();
        QVERIFY(!m_main->isEnabled());
        QVERIFY(!m_main->close());
        emulators->close();
        QVERIFY(m_main->isEnabled());
    }

    void lockedMainWindow_ignoresCloseRequestsUntilUnlocked() {
        InformationWindow* window = openAbout();
        QCloseEvent request;
        QCoreApplication::sendEvent(m_main.get(), &request);
        QVERIFY(!request.isAccepted());
        QVERIFY(!m_main->close());

        window->close();
        QVERIFY(m_main->close());
    }

    void romulus_aPathOtherThanThePlaceholderIsStarted_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<ProgramInvocation>("expected");
        QTest::addColumn<QString>("failure");
        QTest::newRow("placeholder in other case")
            << "romulus path not selected" << ProgramInvocation{"romulus", {"path", "not", "selected"}} << "";
        QTest::newRow("first run, no such program")
            << "Romulus Path" << ProgramInvocation{"Romulus", {"Path"}} << "No such file or directory";
    }
    void romulus_aPathOtherThanThePlaceholderIsStarted() {
        QFETCH(QString, path);
        QFETCH(ProgramInvocation, expected);
        QFETCH(QString, failure);
        m_romulusPath = path;
        m_fakes->programs.failWith = failure;

        m_windows->mnuRomulus_Click();
        QCOMPARE(m_fakes->programs.started, QList<ProgramInvocation>{expected});
        QCOMPARE(m_fakes->messages.warnings.size(), failure.isEmpty() ? 0 : 1);
        QCOMPARE(m_fakes->beeper.beeps, 0);
        QVERIFY(openWindow(QStringLiteral("Form3")) == nullptr);
        QVERIFY(m_main->isEnabled());
    }

    void links_openTheirTargetByMouseKeyboardAndAssistiveTools_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("e-mail") << "Label3"
                                << "mailto:mivo@example.org" << QColor(0, 0, 255);
        QTest::newRow("web page") << "Label4"
                                  << "https://example.org/mivo" << QColor(0, 0, 192);
    }
    void links_openTheirTargetByMouseKeyboardAndAssistiveTools() {
        QFETCH(QString, label);
        QFETCH(QString, target);
        QFETCH(QColor, colour);
        auto* link = control<QLabel>(openAbout(), label);
        QCOMPARE(link->palette().color(QPalette::WindowText), colour);
        QCOMPARE(link->cursor().pixmap().size(), QSize(32, 32));
        QCOMPARE(link->cursor().hotSpot(), QPoint(5, 0));

        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(m_fakes->urls.opened, QStringList{target});
        QTest::mousePress(link, Qt::LeftButton); // taken back by letting go elsewhere
        QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(-5, -5));
        QCOMPARE(m_fakes->urls.opened.size(), 1);

        link->setFocus();
        QTest::keyClick(link, Qt::Key_Space);
        QTest::keyClick(link, Qt::Key_Return); // the link's, not "&Ok"'s
        QCOMPARE(m_fakes->urls.opened.size(), 3);
        QVERIFY(openWindow(QStringLiteral("Form2")) != nullptr);

        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(link);
        QVERIFY(accessible != nullptr && accessible->actionInterface() != nullptr);
        QCOMPARE(accessible->role(), QAccessible::Link);
        QCOMPARE(accessible->text(QAccessible::Name), link->text());
        accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(m_fakes->urls.opened, QStringList(4, target));
    }

    void handCursor_hasTheFingerTipOnItsHotSpot() {
        const QImage image = handCursor().pixmap().toImage();
        QCOMPARE(qAlpha(image.pixel(5, 0)), 255);
        QCOMPARE(qAlpha(image.pixel(2, 0)), 0);
    }

    void windows_lookAsDesignedAndTextLeadsNowhere_data() {
        QTest::addColumn<Opener>("opener");
        QTest::addColumn<QString>("objectName");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QSize>("twipsSize");
        QTest::addColumn<QStringList>("labels"); // name, text, name, text...; a '*' before a bold one
        const std::array<std::tuple<const char*, QSize, QStringList>, 4> looks{{
            {"About",
             {2745, 2250},
             {"Label1", "Mivo v1.60\nWritten by: The Mivo developers", "Label3", "mivo@example.org", "Label4",
              "https://example.org/mivo", "Label2",
              "Thanks to a friend and a software company for the coding answers that made Mivo possible."}},
            {"About Add-ons", {3825, 1290}, {"*Label1", "Romulus:", "Label2", "https://example.org/romulus"}},
            {"About Emulators",
             {3330, 1890},
             {"*Label1", "Zsnes:", "Label3", "https://www.zsnes.com", "*Label2", "Snes9x:", "Label4",
              "https://www.snes9x.com"}},
            {"Romulus Not Found", {3705, 945}, {"Label1", "Romulus executable path not selected."}},
        }};
        windowRows([&looks](QTestData& row, int i) {
            row << QString::fromLatin1(std::get<0>(looks[i])) << std::get<1>(looks[i])
                << std::get<2>(looks[i]);
        });
    }
    void windows_lookAsDesignedAndTextLeadsNowhere() {
        QFETCH(Opener, opener);
        QFETCH(QString, objectName);
        QFETCH(QString, title);
        QFETCH(QSize, twipsSize);
        QFETCH(QStringList, labels);
        InformationWindow* window = open(opener, objectName);

        QCOMPARE(window->windowTitle(), title);
        QCOMPARE(window->size(), QSize(twips(twipsSize.width()), twips(twipsSize.height())));
        QVERIFY(window->parentWidget() == nullptr);
        const Qt::WindowFlags flags = window->windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint) &&
                !flags.testFlag(Qt::WindowMaximizeButtonHint));
        const auto* ok = control<QPushButton>(window, QStringLiteral("Command1"));
        QCOMPARE(ok->text(), QStringLiteral("&Ok"));
        QCOMPARE(window->focusWidget(), ok);

        QCOMPARE(window->findChildren<QLabel*>().size(), labels.size() / 2);
        for (qsizetype i = 0; i < labels.size(); i += 2) {
            const bool bold = labels[i].startsWith(u'*');
            auto* label = control<QLabel>(window, bold ? labels[i].mid(1) : labels[i]);
            QCOMPARE(label->text(), labels[i + 1]);
            QCOMPARE(label->font().bold(), bold);
            // Nothing may be cut off, whatever the desktop's font.
            const QSize needed = label->wordWrap()
                                     ? QSize(label->width(), label->heightForWidth(label->width()))
                                     : label->minimumSizeHint();
            QVERIFY2(needed.width() <= label->width() && needed.height() <= label->height(),
                     qPrintable(label->objectName()));
            QVERIFY(window->rect().contains(label->geometry()));
            const bool link =
                objectName == QLatin1String("Form2") && (label->objectName() == QLatin1String("Label3") ||
                                                         label->objectName() == QLatin1String("Label4"));
            if (!link) {
                QCOMPARE(label->cursor().shape(), Qt::ArrowCursor);
                QTest::mouseClick(label, Qt::LeftButton);
            }
        }
        // Only the two links of "About" lead anywhere; every other label is just text.
        QVERIFY(m_fakes->urls.opened.isEmpty());
    }
};

QTEST_MAIN(TestInformationWindows)
#include "tst_infowindows.moc"
