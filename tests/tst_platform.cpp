#include "RecordingStandIn.h"
#include "platform/QtFileOpenDialog.h"
#include "platform/QtProgramStarter.h"
#include "platform/QtSettingsStore.h"
#include "platform/QtUrlOpener.h"

#include <QDesktopServices>
#include <QTest>
#include <QUrl>

#include <cerrno>
#include <cstring>
#include <memory>

using namespace mivo;

namespace {

const QStringList kKeys{"Minimize to tray", "Icon in tray", "zsnesfilepath", "romuluspath"};

void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
}

// A store on a file with nothing usable in it gives the fallback, and its save lands on disk.
void saveLands(const QString& path, const QString& value = QStringLiteral("/saved")) {
    QtSettingsStore store(path);
    QCOMPARE(store.text("zsnesfilepath", "fallback"), "fallback");
    for (const QString& key : kKeys)
        store.setText(key, value);
    store.flush();
    // QSettings shares what it parsed among all objects on one path within a process; a copy under
    // another name is read from disk.
    const QTemporaryDir dir;
    QVERIFY(QFile::copy(path, dir.filePath("copy.conf")));
    const QtSettingsStore onDisk(dir.filePath("copy.conf"));
    for (const QString& key : kKeys)
        QCOMPARE(onDisk.text(key, "fallback"), value);
}

} // namespace

// What Mivo asks of the desktop: the settings file, starting programs, the file dialog's filters.
class TestPlatform : public QObject {
    Q_OBJECT

    // A fresh folder for each test: QSettings would otherwise remember an earlier test's file.
    std::unique_ptr<QTemporaryDir> m_dir;
    QString file() const { return m_dir->filePath("mivo.conf"); }
    QStringList m_opened;

public slots:
    void record(const QUrl& url) { m_opened << QString::fromLatin1(url.toEncoded()); }

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    void settingsKeepTheTextExactly() {
        const QStringList awkward{QString(),        "  /home/me/old games, 1997/zsnes ",
                                  "\"a\" ;b; #c",   "C:\\Games\\zsnesw.exe",
                                  "@Rect(1 2 3 4)", "/home/jürgen/スーパー/zsnes"};
        for (qsizetype i = 0; i < awkward.size(); ++i)
            saveLands(m_dir->filePath(QString::number(i)), awkward[i]);
    }

    void settingsReadOnlyText_data() {
        QTest::addColumn<QByteArray>("lines"); // below "[settings]"
        QTest::addColumn<QString>("expected");
        QTest::newRow("absent") << QByteArray("romuluspath=/romulus") << "fallback";
        QTest::newRow("only in another section") << QByteArray("[other]\nzsnesfilepath=/z") << "fallback";
        QTest::newRow("rect") << QByteArray("zsnesfilepath=@Rect(1 2 3 4)") << "fallback";
        QTest::newRow("list") << QByteArray("zsnesfilepath=1, 2") << "fallback";
        QTest::newRow("bytes, utf-8") << QByteArray("zsnesfilepath=@ByteArray(/\\xc3\\xa4)") << "/ä";
    }
    void settingsReadOnlyText() {
        QFETCH(QByteArray, lines);
        QFETCH(QString, expected);
        writeFile(file(), "[settings]\n" + lines + '\n');
        QCOMPARE(QtSettingsStore(file()).text("zsnesfilepath", "fallback"), expected);
    }

    void unusableSettingsFilesNeverLoseTheSave() {
        QByteArray junk; // every byte value, a megabyte value and a section left open
        for (int byte = 0; byte < 1024; ++byte)
            junk.append(char(byte));
        writeFile(file(), junk + "\n[settings]\nother=" + QByteArray(1 << 20, 'x') + "\n[open\n");
        saveLands(file());

        const QString unreadable = m_dir->filePath("unreadable.conf");
        writeFile(unreadable, "[settings]\nzsnesfilepath=/unreadable\n");
        QVERIFY(QFile::setPermissions(unreadable, {}));
        if (QFile probe(unreadable); !probe.open(QIODevice::ReadOnly)) { // root may read any file
            saveLands(unreadable);
            QVERIFY(QFileInfo::exists(unreadable + ".corrupt"));
        }

        // A settings file whose folder is a file, and one that is a folder itself: the flush still
        // returns, and what stood in the way is left as it was.
        const QString folderIsAFile = m_dir->filePath("mivo");
        writeFile(folderIsAFile, "not a folder");
        QVERIFY(QDir().mkpath(m_dir->filePath("dir.conf")));
        for (const QString& path : {m_dir->filePath("dir.conf"), folderIsAFile + "/mivo.conf"}) {
            QtSettingsStore store(path);
            store.setText("zsnesfilepath", "x");
            store.flush();
        }
        QVERIFY(QFileInfo(m_dir->filePath("dir.conf")).isDir() && QFileInfo(folderIsAFile).isFile());
    }

    // Under XDG_CONFIG_HOME, in a folder of its own named after the program.
    void settingsLiveUnderXdgConfigHomeByProgramName() {
        const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir->path()));
        const QString path = settingsFilePath(applicationNameFromExecutable("/opt/mivo.d/my.mivo-1.exe"));
        qputenv("XDG_CONFIG_HOME", saved);
        QCOMPARE(path, m_dir->path() + "/my.mivo-1/my.mivo-1.conf");
        QCOMPARE(applicationNameFromExecutable("/a/.mivo"), ".mivo");
        saveLands(path);
    }

    // A real program: no shell sees the arguments, and once it has ended nobody is left to reap it.
    void argumentsArriveExactlyAndNoZombieStays() {
        testing::RecordingStandIn standIn;
        const QStringList arguments{"a;touch pwned",  "$(touch pwned)|`touch pwned`",
                                    "\"q\" 'q' \\ *", "two  blanks\nnew line",
                                    QString(),        "/roms/Jürgen's (E).smc"};
        const StartResult result = QtProgramStarter().start({standIn.program(), arguments});
        QVERIFY(result.started);
        QTRY_COMPARE_WITH_TIMEOUT(standIn.received(), QList<QStringList>{arguments}, 10000);
        QVERIFY(!QFileInfo::exists(standIn.path("pwned")));
        QTRY_VERIFY_WITH_TIMEOUT(testing::hasEnded(standIn.processIds().constFirst()), 10000);
        QCOMPARE(testing::zombieChildren(), QStringList());
    }

    void failedStartGivesTheReason_data() {
        QTest::addColumn<QString>("program"); // "<dir>" stands for the test's folder
        QTest::addColumn<int>("errorNumber"); // the reason is the system's message for it
        QTest::newRow("missing") << "<dir>/missing" << ENOENT;
        QTest::newRow("missing, searched for") << "mivo-no-such-program" << ENOENT;
        QTest::newRow("not executable") << "<dir>/plain.sh" << EACCES;
        QTest::newRow("a folder") << "<dir>" << EISDIR;
        QTest::newRow("empty") << QString() << ENOENT;
    }
    void failedStartGivesTheReason() {
        QFETCH(QString, program);
        QFETCH(int, errorNumber);
        writeFile(m_dir->filePath("plain.sh"), "#!/bin/sh\n");
        const StartResult result = QtProgramStarter().start({program.replace("<dir>", m_dir->path()), {}});
        QVERIFY(!result.started);
        QCOMPARE(result.failureReason, QString::fromLocal8Bit(std::strerror(errorNumber)));
    }

    // The desktop's handler for the address's kind gets the address, a blank in it escaped.
    void addressesGoToTheDesktop() {
        for (const char* scheme : {"mailto", "https"})
            QDesktopServices::setUrlHandler(scheme, this, "record");
        QtUrlOpener().open("mailto:mivo@example.org");
        QtUrlOpener().open("https://example.org/a b");
        for (const char* scheme : {"mailto", "https"})
            QDesktopServices::unsetUrlHandler(scheme);
        QCOMPARE(m_opened, (QStringList{"mailto:mivo@example.org", "https://example.org/a%20b"}));
    }

    void fileFiltersTakeQtsForm_data() {
        QTest::addColumn<QString>("pipeFilter");
        QTest::addColumn<QString>("qtFilter");
        QTest::newRow("empty: every file") << QString() << QString();
        QTest::newRow("no complete pair: every file") << "Roms| ; |" << QString();
        QTest::newRow("several patterns") << "Roms|*.smc; *.sfc"
                                          << "Roms (*.smc *.sfc)";
        QTest::newRow("pair without patterns") << "None||Roms|*.smc"
                                               << "Roms (*.smc)";
        QTest::newRow("no description") << "|*.smc"
                                        << "*.smc (*.smc)";
        // "All Files" must also show a Linux program, which has no dot in its name.
        QTest::newRow("trailing bar, all files")
            << "Zsnes(w) Executable (*.exe)|*.exe|All Files (*.*)|*.*|"
            << "Zsnes(w) Executable (*.exe) (*.exe);;All Files (*.*) (*)";
    }
    void fileFiltersTakeQtsForm() {
        QFETCH(QString, pipeFilter);
        QFETCH(QString, qtFilter);
        QCOMPARE(qtNameFilter(pipeFilter), qtFilter);
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
