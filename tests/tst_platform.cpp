#include "platform/QtTrayIcon.h"
#include "platform/QtUrlOpener.h"
#include "platform/SystemEndWatcher.h"

#include <QDesktopServices>
#include <QDir>
#include <QMenu>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>
#include <QUrl>

#include <csignal>

using namespace mivo;

namespace {

qsizetype openDescriptors() {
    return QDir("/proc/self/fd").count();
}

// Notes, at a widget's first paint, whether the tray icon was made by then.
class FirstPaintWatch final : public QObject {
public:
    explicit FirstPaintWatch(const QObject& tray)
        : m_tray(tray) {}
    std::optional<bool> iconAtFirstPaint;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::Paint && !iconAtFirstPaint)
            iconAtFirstPaint = m_tray.findChild<QSystemTrayIcon*>() != nullptr;
        return false;
    }

private:
    const QObject& m_tray;
};

} // namespace

// What Mivo asks of the desktop: addresses, the tray, and the end signals.
class TestPlatform : public QObject {
    Q_OBJECT

    QStringList m_opened;

public slots:
    void record(const QUrl& url) { m_opened << QString::fromLatin1(url.toEncoded()); }

private slots:
    void init() { QTest::failOnWarning(QRegularExpression("QSocketNotifier")); } // a descriptor misused

    // The desktop's handler for the address's kind gets the address, a blank in it escaped.
    void addressesGoToTheDesktop() {
        QDesktopServices::setUrlHandler("mailto", this, "record");
        QtUrlOpener().open("mailto:mivo@example.org?subject=Mivo 1.60");
        QDesktopServices::unsetUrlHandler("mailto");
        QCOMPARE(m_opened, QStringList{"mailto:mivo@example.org?subject=Mivo%201.60"});
    }

    // The icon is made once the window has painted, as it was last asked to, with its tooltip; a left
    // click asks for the window back, the right button only opens the menu. Without a tray it stays quiet.
    void trayIconAfterTheFirstFrame() {
        QTest::failOnWarning(QRegularExpression(QStringLiteral("."))); // a tray-less desktop is no fault
        QtTrayIcon tray{QIcon(QPixmap(16, 16))};
        QWidget window;
        QMenu menu;
        tray.setInTray(true);
        tray.setPopupMenu(&menu);
        FirstPaintWatch firstPaint(tray);
        window.installEventFilter(&firstPaint);
        tray.appearAfterFirstPaintOf(window);
        window.show();
        QTRY_VERIFY(tray.findChild<QSystemTrayIcon*>() != nullptr);
        window.repaint();
        QCoreApplication::processEvents(); // a later frame makes no second icon
        QCOMPARE(tray.findChildren<QSystemTrayIcon*>().size(), 1);
        QCOMPARE(firstPaint.iconAtFirstPaint, false); // made after that frame, never in its way
        auto* icon = tray.findChild<QSystemTrayIcon*>();
        // This platform has no tray: the icon is kept asked for, and shown nowhere.
        QVERIFY(tray.isInTray() && !icon->isVisible() && icon->contextMenu() == &menu);
        QCOMPARE(icon->toolTip(), "Mivo v1.45");
        tray.setInTray(false);
        QVERIFY(!icon->isVisible() && !tray.isInTray());
        const QSignalSpy clicks(&tray, &TrayIcon::leftButtonClicked);
        emit icon->activated(QSystemTrayIcon::Context);
        QCOMPARE(clicks.count(), 0);
        emit icon->activated(QSystemTrayIcon::Trigger);
        QCOMPARE(clicks.count(), 1);
    }

    // The end signals reach the event loop as one request; afterwards they are handled as before, and
    // nothing the watcher opened stays open.
    void endSignalsAskOnceAndAreHandedBack() {
        std::signal(SIGHUP, SIG_IGN);
        const auto handlers = [] {
            QList<void (*)(int)> now;
            for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
                struct sigaction installed {};
                ::sigaction(signal, nullptr, &installed);
                now << installed.sa_handler;
            }
            return now;
        };
        const auto before = handlers();
        const qsizetype filesBefore = openDescriptors();
        {
            SystemEndWatcher watcher;
            const QSignalSpy requests(&watcher, &SystemEndWatcher::endRequested);
            struct sigaction installed {}; // a call under way when a signal comes goes on, not cut short
            QVERIFY(::sigaction(SIGTERM, nullptr, &installed) == 0 && (installed.sa_flags & SA_RESTART) != 0);
            for (const int signal : {SIGTERM, SIGHUP, SIGINT})
                std::raise(signal);
            QTRY_COMPARE(requests.count(), 1);
            // The session's end comes as a request to quit, which must close no window behind Mivo's back.
            QWidget window;
            window.show();
            QEvent sessionEnd(QEvent::Quit);
            QCoreApplication::sendEvent(QCoreApplication::instance(), &sessionEnd);
            QVERIFY(requests.count() == 2 && window.isVisible());
        }
        QCOMPARE(handlers(), before);
        std::raise(SIGHUP); // ignored again, as before the watcher
        QCOMPARE(openDescriptors(), filesBefore);
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
