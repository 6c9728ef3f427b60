#include "core/IniText.h"
#include "platform/QtFileOpenDialog.h"
#include "platform/QtProgramStarter.h"
#include "platform/QtSettingsStore.h"
#include "platform/QtTrayIcon.h"
#include "platform/QtUrlOpener.h"
#include "platform/SystemEndWatcher.h"

#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSettings>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <map>
#include <sys/resource.h>
#include <sys/wait.h>

using namespace mivo;

namespace {

// Texts a settings file could mangle: blanks at one end or both, separators, quotes and escapes, a control
// character before a hex digit, letters beyond Latin-1 and beyond the 16-bit plane, a typed value's form.
const std::map<QString, QString> kSaved{
    {"Minimize to tray", "  /old games, 1997/\"a\" ;b; #c\\d "},
    {"Icon in tray", " 1"},
    {"zsnesfilepath",
     QString::fromUtf16(
         u"/home/jürgen/スーパー/zsnes\t\u00010\u00019\u0001a\u0001f\u0001A\u0001F\U0001F3AE=")},
    {"romuluspath", "@Rect(1 2 3 4), b;c #d"}};

void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What a store saves is what QSettings reads back from the file.
void saveLands(const QString& path) {
    QtSettingsStore store(path);
    for (const auto& [key, value] : kSaved)
        store.setText(key, value);
    QCOMPARE(store.save(), std::nullopt);
    QCOMPARE(store.save(), std::nullopt); // again: nothing more is set aside
    // QSettings shares what it parsed among all objects on one path within a process; a copy under
    // another name is read from disk.
    const QTemporaryDir dir;
    QVERIFY(QFile::copy(path, dir.filePath("copy.conf")));
    QSettings onDisk(dir.filePath("copy.conf"), QSettings::IniFormat);
    for (const auto& [key, value] : kSaved)
        QCOMPARE(onDisk.value("settings/" + key), value);
}

// What QSettings reads in a file: the texts right in [settings] (bytes are read as UTF-8 text), whether
// it finds them well formed, and every key of the file with its value.
struct ReadByQSettings {
    QMap<QString, QString> texts;
    bool readable;
    QVariantMap all;
};
ReadByQSettings readByQSettings(const QString& path) {
    QSettings settings(path, QSettings::IniFormat);
    ReadByQSettings read;
    settings.beginGroup("settings");
    for (const QString& key : settings.childKeys()) {
        const QVariant value = key.isEmpty() ? QVariant() : settings.value(key);
        if (value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QByteArray)
            read.texts.insert(key, value.toString());
    }
    read.readable = settings.status() == QSettings::NoError;
    settings.endGroup();
    for (const QString& key : settings.allKeys()) {
        if (!QString(key).remove('/').isEmpty()) // which QSettings lists, yet refuses to read
            read.all.insert(key, settings.value(key));
    }
    return read;
}

// Every byte of `kept` stands in `text`, in the same order.
bool keptInOrder(QByteArrayView kept, QByteArrayView text) {
    qsizetype at = 0;
    for (const char c : kept) {
        while (at < text.size() && text[at] != c)
            ++at;
        if (at++ == text.size())
            return false;
    }
    return true;
}

// Every child has ended and been reaped; a zombie is looked at, not reaped.
bool noChildLeft() {
    siginfo_t info{};
    return ::waitid(P_ALL, 0, &info, WEXITED | WNOHANG | WNOWAIT) == -1 && errno == ECHILD;
}

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

#ifndef Q_MOC_RUN // moc's reading of string literals is not the compiler's
QByteArray fileEnd(int kind) {
    return std::array<QByteArray, 6>{"end=1\n", "x=\"a;b=c\"\n", "; note", "x=\"open", "x=a\\", "x=a\\\n"}.at(
        kind);
}

// The dialect's pieces that random settings files are made of.
QList<QByteArray> randomFilePieces() {
    // clang-format off
    return {
        "[settings]", "[other]", "[settings", "[General]", "[%67eneral]", "[%General]", "; note=1", "", "junk",
        " \t", "x=1", "x = a b ;c", "x=\"  q, r \"", "x=a\\\\b\\\"c", "x=\\x41\\x1g\\101\\7", "x=1, 2", "x=a,",
        "x=@Rect(1 2 3 4)", "x=@@at", "x=@ByteArray(\\xc3\\xa4)", "x=@String(s)", "x=@Invalid()", "x=a\\",
        "x=\\n\\t\\r\\a\\z\\t", "Minimize%20to%20tray=1", "Icon%20in%20tray=", "k%U00E4y=v", "a\\b=1",
        "settings\\x=2", "x=\"a\" b", "=e", "x=", "x=\"\"", "y=\xc3\xa9", "x= \"q\" , m", "x=\"a\\\"b\"",
        "%=1", "x=;", "k%4=1", "k%U12=1", "x=@Rect(1 2 3)", "x=@Size(1 2)", "x=@Point(1 2)", "x=@Variant(x)",
        "x=@DateTime(x)", "x=@Foo(1 2)", "\\k=1", "x=\\18", "x=\\\r"};
    // clang-format on
}
#endif

enum class Fault { WriteCutShort, NoRoomForTheLock, LockHeld, FolderInPlaceOfFile, StaleLock };

} // namespace

Q_DECLARE_METATYPE(Fault)
// What Mivo asks of the desktop: the settings file, starting programs, addresses, the file dialog's filters.
class TestPlatform : public QObject {
    Q_OBJECT

    // A name of its own for each file: QSettings remembers a file it has read.
    const QTemporaryDir m_dir;
    QString file(const QString& name) const { return m_dir.filePath(name); }
    QStringList m_opened;

public slots:
    void record(const QUrl& url) { m_opened << QString::fromLatin1(url.toEncoded()); }

private slots:
    void init() { QTest::failOnWarning(QRegularExpression("QSocketNotifier")); } // a descriptor misused

    // A save that fails leaves the file as it was, byte for byte, and says why; a lock of a Mivo that has
    // ended is no reason to fail.
    void aSaveReplacesTheFileOnlyWhenWhole_data() {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<QString>("reason"); // empty: saved
        QTest::newRow("write cut short") << Fault::WriteCutShort << "File too large";
        QTest::newRow("no room for the lock") << Fault::NoRoomForTheLock << "cannot be made: File too large";
        QTest::newRow("lock never let go") << Fault::LockHeld << "is held by another program";
        QTest::newRow("folder in the file's place") << Fault::FolderInPlaceOfFile << "directory";
        QTest::newRow("stale lock of an ended Mivo") << Fault::StaleLock << "";
    }
    void aSaveReplacesTheFileOnlyWhenWhole() {
        QFETCH(Fault, fault);
        QFETCH(QString, reason);
        const QTemporaryDir dir;
        const QString path = dir.filePath("mivo.conf");
        const QByteArray before = "[settings]\nzsnesfilepath=/usr/games/zsnes\n";
        if (fault == Fault::FolderInPlaceOfFile)
            QVERIFY(QDir().mkpath(path + "/inside"));
        else
            writeFile(path, before);
        if (fault == Fault::LockHeld)
            QVERIFY(QDir().mkpath(path + ".lock"));
        if (fault == Fault::StaleLock) // the lock file of a process that no longer runs, on this machine
            writeFile(path + ".lock", "2147483646\nmivo\n" + QSysInfo::machineHostName().toUtf8() + '\n');
        QtSettingsStore store(path, std::chrono::milliseconds(200));
        store.setText("zsnesfilepath", QString(5000, u'z'));
        rlimit limit{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &limit), 0);
        // A write beyond 1000 bytes fails as on a full disk; the lock file still fits.
        const rlimit small{fault == Fault::WriteCutShort      ? 1000
                           : fault == Fault::NoRoomForTheLock ? 0
                                                              : limit.rlim_cur,
                           limit.rlim_max};
        std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        QElapsedTimer timer;
        timer.start();
        const auto failure = store.save();
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limit), 0);
        QVERIFY(timer.elapsed() < 2000);
        if (reason.isEmpty()) {
            QCOMPARE(failure, std::nullopt);
            QVERIFY(contents(path).contains(QByteArray(5000, 'z')));
            return;
        }
        QVERIFY2(failure && failure->file == path && failure->reason.contains(reason),
                 qPrintable(failure ? failure->reason : "saved"));
        // The old file as it was; nothing half-written beside it, and nothing set aside as broken.
        QCOMPARE(contents(path), fault == Fault::FolderInPlaceOfFile ? QByteArray() : before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), fault == Fault::FolderInPlaceOfFile ? 0 : 1);
    }

    // Files written before, by Mivo or by hand, read as QSettings reads them: random files made of the
    // dialect's pieces, each read by both, give the same texts and the same verdict on whether they can be
    // read. Every piece closes its quotes and the last line is whole: a quote or a line left open at the
    // end is where the two differ on purpose.
    void settingsTextReadsAsQSettingsOnDisk() {
        const QList<QByteArray> pieces = randomFilePieces();
        QRandomGenerator random(2026);
        for (int i = 0; i < 3000; ++i) {
            QByteArray text;
            for (int n = random.bounded(1, 8); n > 0; --n)
                text += pieces.at(random.bounded(pieces.size())) + (random.bounded(4) == 0 ? "\r\n" : "\n");
            // One file in eight ends in each other way: a quoted value, a comment, or a quote or a line
            // left open, which Mivo never takes for whole.
            const int end = std::max(0, i % 8 - 2);
            text += fileEnd(end);
            const QString path = file(QString("random%1.conf").arg(i));
            writeFile(path, text);
            ReadByQSettings before = readByQSettings(path);
            const IniText ours(text, "settings");
            QVERIFY2(end >= 3 ? !ours.wellFormed()
                              : ours.texts() == before.texts && ours.wellFormed() == before.readable,
                     text.constData());
            if (end >= 3 || !before.readable)
                continue;
            // Mivo's values written into it read back exactly, by both; all else stays, byte for byte.
            const QByteArray saved = ours.withTexts(QMap<QString, QString>(kSaved));
            writeFile(path + ".saved", saved);
            ReadByQSettings after = readByQSettings(path + ".saved");
            QVERIFY2(after.readable && IniText(saved, "settings").texts() == after.texts, saved.constData());
            for (const auto& [key, value] : kSaved) {
                QCOMPARE(after.all.take("settings/" + key), value);
                before.all.remove("settings/" + key);
            }
            QVERIFY2(after.all == before.all && keptInOrder(text.replace("tray=1", "tray="), saved),
                     saved.constData());
        }
    }

    // A file that could not be read at the start is kept aside, as it was, at the first save; one that
    // was read never is, and keeps what Mivo does not own.
    void anUnreadableFileIsKeptAsideOnce() {
        // Bytes that are no text, values that are no text, a megabyte value and a section left open.
        // clang-format off
        const QByteArray junk = QByteArray(1, '\0') + "\x01\x7f\x80\xff=\\\"[]\n\xc3\n[other]\nzsnesfilepath=/z\n[settings]\n"
            "Minimize%20to%20tray=@Rect(1 2 3 4)\nromuluspath=1, 2\nIcon%20in%20tray=@ByteArray(/\\xff)\n"
            "bytes=@ByteArray(/\\xc3\\xa4)\nother=" + QByteArray(1 << 20, 'x') + "\n[open\n";
        // clang-format on
        writeFile(file("junk"), junk);
        saveLands(file("junk"));
        QCOMPARE(contents(file("junk.corrupt")), junk);
        QVERIFY(!QFile::exists(file("junk.corrupt.corrupt")));
        // Under a name of its own, never over an earlier copy; and only while it is the file that was read:
        // not once gone, changed, or replaced by the save of a second Mivo started on it.
        for (const char* name : {"twice", "gone", "changed"})
            writeFile(file(name), junk);
        writeFile(file("twice.corrupt"), "earlier");
        QtSettingsStore first(file("twice")), second(file("twice")), gone(file("gone")),
            changed(file("changed"));
        writeFile(file("changed"), "[settings]\n");
        QVERIFY(QFile::remove(file("gone")));
        for (QtSettingsStore* store : {&first, &second, &gone, &changed})
            QCOMPARE(store->save(), std::nullopt);
        QCOMPARE(contents(file("twice.corrupt")), "earlier");
        QCOMPARE(contents(file("twice.corrupt.1")), junk);
        QCOMPARE(QDir(m_dir.path()).entryList({"twice*", "gone*", "changed*"}).size(), 5);

        // What Mivo does not own is written back as it was.
        const QByteArray other = "[other]\nzsnesfilepath = \"/y\" ; kept\n[settings]\n";
        writeFile(file("good"), other + "Icon%20in%20tray=0\nMinimize%20to%20tray=0\nforeign=@Rect(1 2 3 4)\n"
                                        "romuluspath=/r\nzsnesfilepath=/z\n");
        saveLands(file("good"));
        QVERIFY(!QFile::exists(file("good.corrupt")));
        QVERIFY(contents(file("good")).startsWith(other));
        QVERIFY(contents(file("good")).contains("\nforeign=@Rect(1 2 3 4)\n"));
    }

    // Under XDG_CONFIG_HOME, in a folder of its own named after the program.
    void settingsLiveUnderXdgConfigHomeByProgramName() {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.path()));
        const QString path = settingsFilePath(applicationNameFromExecutable("/opt/mivo.d/my.mivo-1.exe"));
        QCOMPARE(path, m_dir.path() + "/my.mivo-1/my.mivo-1.conf");
        QCOMPARE(applicationNameFromExecutable("/a/.mivo"), ".mivo");
        saveLands(path);
    }

    // A real program (a shell given a script of its own) that records what it gets: no shell sees the
    // arguments; it starts afresh, in a session of its own, with nothing of Mivo's signal mask and of what
    // Mivo ignores; and once it has ended nobody is left to reap it.
    void argumentsArriveExactlyAndNoZombieStays() {
        const QString record = file("arguments");
        const QStringList arguments{"a;touch pwned",  "$(touch pwned)|`touch pwned`",
                                    "\"q\" 'q' \\ *", "two  blanks\nnew line",
                                    QString(),        "/roms/Jürgen's (E).smc"};
        const QString script = "[ $(cut -d' ' -f6 /proc/$$/stat) = $$ ] && " // a session's leader
                               "printf '%s\\0' \"$@\" > \"$0.tmp\" && mv \"$0.tmp\" \"$0\"";
        const QString awk = "/^Sig(Blk|Ign)/ { print $2 > \"" + record + ".signals\" }"; // found on PATH
        sigset_t usr1{};                                                                 // empty
        sigaddset(&usr1, SIGUSR1);
        QVERIFY(::pthread_sigmask(SIG_BLOCK, &usr1, nullptr) == 0 &&
                std::signal(SIGPIPE, SIG_IGN) != SIG_ERR && std::signal(SIGCHLD, SIG_IGN) != SIG_ERR);
        const bool started =
            QtProgramStarter().start({"awk", {awk, "/proc/self/status"}}).started &&
            QtProgramStarter().start({"/bin/sh", QStringList{"-c", script, record} + arguments}).started;
        QVERIFY(::pthread_sigmask(SIG_UNBLOCK, &usr1, nullptr) == 0 &&
                std::signal(SIGPIPE, SIG_DFL) != SIG_ERR && std::signal(SIGCHLD, SIG_DFL) != SIG_ERR &&
                started);
        QTRY_COMPARE_WITH_TIMEOUT(QString::fromUtf8(contents(record)).split(QChar()),
                                  arguments + QStringList{QString()}, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(contents(record + ".signals").count('\n'), 2, 10000);
        const QList<QByteArray> blockedAndIgnored = contents(record + ".signals").split('\n');
        QCOMPARE(blockedAndIgnored[0].toULongLong(nullptr, 16), 0u);
        QCOMPARE(blockedAndIgnored[1].toULongLong(nullptr, 16) &
                     ((1u << (SIGPIPE - 1)) | (1u << (SIGCHLD - 1))),
                 0u);
        QTRY_VERIFY_WITH_TIMEOUT(noChildLeft(), 10000);
    }

    // Within the watch, a failure is told with the line, the status or the signal and the last ten lines
    // of standard error, each cut at 500 bytes; an end with status 0, a failure after the watch, or one
    // that a Mivo started with SIGCHLD ignored never learns of, is not. Once no child is left, each was
    // reaped, and the reaping is where it is told.
    void earlyFailuresAreTold_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("watchTime");
        QTest::addColumn<bool>("childrenIgnored");
        QTest::addColumn<QStringList>("told"); // how it ended, then the lines; empty: nothing told
        QTest::newRow("status 127")
            << "for i in 1 2 3 4 5 6 7 8 9 10; do echo line $i; done >&2; echo -n last >&2; exit 127" << 10000
            << false << QStringList{"exit status 127", "line 2", "line 3", "line 4",  "line 5", "line 6",
                                    "line 7",          "line 8", "line 9", "line 10", "last"};
        QTest::newRow("status 2, one write") << "printf 'a\\nb%0600d\\n' 0 >&2; exit 2" << 10000 << false
                                             << QStringList{"exit status 2", "a", 'b' + QString(499, u'0')};
        QTest::newRow("signal") << "kill -KILL $$" << 10000 << false
                                << QStringList{"signal SIGKILL (Killed)"};
        QTest::newRow("status 0") << "echo fine >&2" << 10000 << false << QStringList{};
        QTest::newRow("failure after the watch") << "sleep 0.5; exit 3" << 100 << false << QStringList{};
        QTest::newRow("SIGCHLD ignored") << "sleep 0.2; exit 3" << 10000 << true << QStringList{};
    }
    void earlyFailuresAreTold() {
        QFETCH(QString, script);
        QFETCH(int, watchTime);
        QFETCH(bool, childrenIgnored);
        QFETCH(QStringList, told);
        const auto before = std::signal(SIGCHLD, childrenIgnored ? SIG_IGN : SIG_DFL);
        const auto restore = qScopeGuard([before] { std::signal(SIGCHLD, before); });
        QtProgramStarter starter{std::chrono::milliseconds(watchTime)};
        const QSignalSpy spy(&starter, &ProgramStarter::endedEarly);
        const qsizetype descriptors = openDescriptors();
        QVERIFY(starter.start({"/bin/sh", {"-c", script}}).started);
        QTRY_VERIFY_WITH_TIMEOUT(noChildLeft(), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(openDescriptors(), descriptors, 10000); // the watch let go of the program's
        QCOMPARE(spy.size(), told.isEmpty() ? 0 : 1);
        if (!told.isEmpty()) {
            QCOMPARE(spy[0][0].toString(), "/bin/sh -c " + script);
            QCOMPARE(QStringList{spy[0][1].toString()} + spy[0][2].toStringList(), told);
        }
    }

    // The emulator goes on after the program that started it has ended, and what it then writes on its
    // standard error does not end it: the stand-in writes far more than a pipe holds once that program is
    // gone, and then says it got through.
    void aStartedProgramOutlivesItsStarter() {
        const QTemporaryDir dir;
        const QString emulator = dir.filePath("emulator");
        QFile script(emulator);
        QVERIFY(
            script.open(QIODevice::WriteOnly) &&
            script.write("#!/bin/sh\ncd \"$(dirname \"$0\")\" && echo \"no ROM given\" >&2 && touch started\n"
                         "for i in $(seq 400); do [ -e go ] && break; sleep 0.05; done\n"
                         "for i in $(seq 3000); do echo \"line $i of what the emulator says\" >&2; done\n"
                         "touch lived\n") > 0);
        script.close();
        QVERIFY(script.setPermissions(script.permissions() | QFile::ExeOwner));
        QProcess mivo; // starts the emulator as Mivo does, then waits to be ended
        mivo.start(MIVO_STARTER_CHILD, {emulator});
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dir.filePath("started")), 30000);
        // While its starter lives, what the program says on its standard error shows on the starter's.
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT((said += mivo.readAllStandardError()) == "no ROM given\n", 30000);
        QCOMPARE(::kill(static_cast<pid_t>(mivo.processId()), SIGTERM), 0);
        QVERIFY(mivo.waitForFinished(30000));
        QCOMPARE(said + mivo.readAllStandardError(), "no ROM given\n"); // passed on once, whole
        QVERIFY(QFile(dir.filePath("go")).open(QIODevice::WriteOnly));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dir.filePath("lived")), 30000);
    }

    void failedStartGivesTheReason() {
        // The reason is the system's message for the error.
        // clang-format off
        const QList<std::pair<QString, int>> programs{{file("missing"), ENOENT}, {"/etc/passwd", EACCES},
                                                      {m_dir.path(), EISDIR}, {QString(), ENOENT}};
        // clang-format on
        const qsizetype descriptors = openDescriptors();
        for (const auto& [program, errorNumber] : programs) {
            const StartResult result = QtProgramStarter().start({program, {}});
            QVERIFY(!result.started);
            QCOMPARE(result.failureReason, QString::fromLocal8Bit(std::strerror(errorNumber)));
        }
        QCOMPARE(openDescriptors(), descriptors);
    }

    // The desktop's handler for the address's kind gets the address, a blank in it escaped.
    void addressesGoToTheDesktop() {
        QDesktopServices::setUrlHandler("mailto", this, "record");
        QtUrlOpener().open("mailto:mivo@example.org?subject=Mivo 1.60");
        QDesktopServices::unsetUrlHandler("mailto");
        QCOMPARE(m_opened, QStringList{"mailto:mivo@example.org?subject=Mivo%201.60"});
    }

    void fileFiltersTakeQtsForm() {
        // With no complete pair, every file; "All Files" must also show a Linux program, which has no dot in
        // its name.
        // clang-format off
        const QList<std::pair<QString, QString>> filters{
            {"Roms| ; |", QString()}, {"None||Roms|*.smc; *.sfc", "Roms (*.smc *.sfc)"}, {"|*.smc", "*.smc (*.smc)"},
            {"Zsnes(w) Executable (*.exe)|*.exe|All Files (*.*)|*.*|",
             "Zsnes(w) Executable (*.exe) (*.exe);;All Files (*.*) (*)"}};
        // clang-format on
        for (const auto& [pipeFilter, qtFilter] : filters)
            QCOMPARE(qtNameFilter(pipeFilter), qtFilter);
        QCOMPARE(
            qtSelectedNameFilter("Zsnes(w) Executable (*.exe)|*.exe|All Files (*.*)|*.*|", "All Files (*.*)"),
            "All Files (*.*) (*)");
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
