#include "core/SettingsKeys.h"
#include "platform/QtSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace mivo;

namespace {

const QStringList kKeys{settings::kMinimizeToTray, settings::kIconInTray, settings::kZsnesPath,
                        settings::kRomulusPath};
const QString kFallback = QStringLiteral("fallback");

void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
}

// A store on a file with nothing usable in it gives the fallback, and its save lands on disk.
void saveLands(const QString& path, const QString& value = QStringLiteral("/saved")) {
    QtSettingsStore store(path);
    QCOMPARE(store.text(settings::kZsnesPath, kFallback), kFallback);
    for (const QString& key : kKeys)
        store.setText(key, value);
    store.flush();
    // QSettings shares what it parsed among all objects on one path within a process, so reading the
    // same path again would only echo memory. A copy under another name is read from disk.
    const QTemporaryDir dir;
    QVERIFY(QFile::copy(path, dir.filePath(QStringLiteral("copy.conf"))));
    const QtSettingsStore onDisk(dir.filePath(QStringLiteral("copy.conf")));
    for (const QString& key : kKeys)
        QCOMPARE(onDisk.text(key, kFallback), value);
}

} // namespace

class TestQtSettingsStore : public QObject {
    Q_OBJECT

    // A fresh folder for each test: QSettings would otherwise remember an earlier test's file.
    std::unique_ptr<QTemporaryDir> m_dir;
    QString file() const { return m_dir->filePath(QStringLiteral("mivo.conf")); }

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    void roundTripKeepsTheTextExactly() {
        const QStringList awkward{QString(),        "  /home/me/old games, 1997/zsnes ",
                                  "\"a\" ;b; #c",   "C:\\Games\\zsnesw.exe",
                                  "@Rect(1 2 3 4)", "/home/jürgen/スーパー/zsnes"};
        for (qsizetype i = 0; i < awkward.size(); ++i) // a file of its own for each
            saveLands(m_dir->filePath(QString::number(i)), awkward[i]);
    }

    void onlyTextCounts_data() {
        QTest::addColumn<QByteArray>("lines"); // below "[settings]"
        QTest::addColumn<QString>("expected");
        QTest::newRow("absent") << QByteArray("romuluspath=/romulus") << kFallback;
        QTest::newRow("only in another section") << QByteArray("[other]\nzsnesfilepath=/z") << kFallback;
        QTest::newRow("rect") << QByteArray("zsnesfilepath=@Rect(1 2 3 4)") << kFallback;
        QTest::newRow("variant") << QByteArray("zsnesfilepath=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)")
                                 << kFallback;
        QTest::newRow("list") << QByteArray("zsnesfilepath=1, 2") << kFallback;
        QTest::newRow("bytes, utf-8") << QByteArray("zsnesfilepath=@ByteArray(/\\xc3\\xa4)") << "/ä";
    }
    void onlyTextCounts() {
        QFETCH(QByteArray, lines);
        QFETCH(QString, expected);
        writeFile(file(), "[settings]\n" + lines + '\n');
        QCOMPARE(QtSettingsStore(file()).text(settings::kZsnesPath, kFallback), expected);
    }

    void hostileFileGivesFallbacksAndIsWrittenOver() {
        QByteArray junk; // every byte value, NUL too, a megabyte value and a section left open
        for (int byte = 0; byte < 1024; ++byte)
            junk.append(char(byte));
        writeFile(file(), junk + "\n[settings]\nother=" + QByteArray(1 << 20, 'x') + "\n[open\n");
        saveLands(file());
    }

    void unreadableFileIsKeptAsideAndTheValuesLand() {
        writeFile(file(), "[settings]\nzsnesfilepath=/unreadable\n");
        QVERIFY(QFile::setPermissions(file(), {}));
        if (QFile probe(file()); probe.open(QIODevice::ReadOnly))
            QSKIP("This user may read any file (root?)");
        saveLands(file());
        QVERIFY(QFileInfo::exists(file() + ".corrupt"));
    }

    void unusableLocationNeverStopsTheFlush() {
        // One settings file whose folder is a file, one that is a folder itself.
        const QString folderIsAFile = m_dir->filePath(QStringLiteral("mivo"));
        writeFile(folderIsAFile, "not a folder");
        QVERIFY(QDir().mkpath(file()));
        for (const QString& path : {file(), folderIsAFile + "/mivo.conf"}) {
            QtSettingsStore store(path);
            store.setText(settings::kZsnesPath, QStringLiteral("x"));
            store.flush();
            store.flush();
        }
        // What stood in the way is left as it was, not put aside.
        QVERIFY(QFileInfo(file()).isDir() && QFileInfo(folderIsAFile).isFile());
    }

    // Under XDG_CONFIG_HOME, in a folder of its own that the first save makes; a renamed copy of the
    // program keeps settings of its own.
    void settingsLiveUnderXdgConfigHomeByProgramName() {
        const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir->path()));
        const QString path = settingsFilePath(applicationNameFromExecutable("/opt/mivo.d/my.mivo-1.60.exe"));
        qputenv("XDG_CONFIG_HOME", saved); // left empty if it was unset, which counts the same
        QCOMPARE(path, m_dir->path() + "/my.mivo-1.60/my.mivo-1.60.conf");
        QCOMPARE(applicationNameFromExecutable("/a/.mivo"), ".mivo");
        saveLands(path);
    }
};

QTEST_GUILESS_MAIN(TestQtSettingsStore)
#include "tst_qtsettingsstore.moc"
