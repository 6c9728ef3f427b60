#include "KeptInOrder.h"
#include "core/IniText.h"
#include "platform/QtSettingsStore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSettings>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <map>
#include <sys/resource.h>

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
// The settings file: what a save writes, what a start reads, and what is kept when either goes wrong.
class TestSettings : public QObject {
    Q_OBJECT

    // A name of its own for each file: QSettings remembers a file it has read.
    const QTemporaryDir m_dir;
    QString file(const QString& name) const { return m_dir.filePath(name); }

private slots:
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
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
