#include "core/SettingsKeys.h"
#include "platform/QtSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <array>

using namespace mivo;

namespace {

const std::array<QString, 4> kKeys = {
    QString::fromLatin1(settings::kMinimizeToTray),
    QString::fromLatin1(settings::kIconInTray),
    QString::fromLatin1(settings::kZsnesPath),
    QString::fromLatin1(settings::kRomulusPath),
};
const QString kFallback = QStringLiteral("fallback");

void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    QCOMPARE(file.write(content), content.size());
}

// QSettings shares what it parsed between all objects on one path within a process, so a second
// QSettings on the same file would only echo the store. A copy under another name is read from disk.
QVariantMap readBackFromDisk(const QString& path) {
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("readback.conf"));
    if (!QFile::copy(path, copy))
        return {};
    QSettings file(copy, QSettings::IniFormat);
    if (!file.childGroups().contains(QLatin1StringView(settings::kSection)))
        return {};
    file.beginGroup(QLatin1StringView(settings::kSection));
    QVariantMap values;
    for (const QString& key : file.childKeys())
        values.insert(key, file.value(key));
    return values;
}

// Saves four values through a fresh store, then checks they are on disk; whatever else the section
// holds may stay.
void saveFourValuesAndReadThemBack(const QString& path) {
    QVariantMap written;
    {
        QtSettingsStore store(path);
        for (const QString& key : kKeys) {
            store.setText(key, QStringLiteral("/saved/") + key);
            written.insert(key, QStringLiteral("/saved/") + key);
        }
        store.flush();
    }
    const QVariantMap onDisk = readBackFromDisk(path);
    for (const QString& key : kKeys)
        QCOMPARE(onDisk.value(key), written.value(key));
}

} // namespace

class TestQtSettingsStore : public QObject {
    Q_OBJECT

private slots:
    void roundTripKeepsTheTextExactly_data();
    void roundTripKeepsTheTextExactly();
    void onlyTextCounts_data();
    void onlyTextCounts();
    void hostileFileGivesFallbacksAndIsWrittenOver_data();
    void hostileFileGivesFallbacksAndIsWrittenOver();
    void unreadableFileIsKeptAsideAndTheValuesLand();
    void unusableLocationNeverStopsTheFlush_data();
    void unusableLocationNeverStopsTheFlush();
    void firstRunUsesXdgConfigHomeAndCreatesTheFolder();
    void applicationNameFromExecutable_data();
    void applicationNameFromExecutable();
};

void TestQtSettingsStore::roundTripKeepsTheTextExactly_data() {
    QTest::addColumn<QString>("value");

    QTest::newRow("digits") << QStringLiteral("1");
    QTest::newRow("empty") << QString();
    QTest::newRow("blanks and comma") << QStringLiteral("  /home/me/old games, 1997/zsnes");
    QTest::newRow("quotes and semicolon") << QStringLiteral("\"a\" ;b; #c");
    QTest::newRow("backslashes") << QStringLiteral("C:\\Games\\zsnesw.exe");
    QTest::newRow("looks like a typed value") << QStringLiteral("@Rect(1 2 3 4)");
    QTest::newRow("not ascii") << QStringLiteral("/home/jürgen/スーパー/zsnes");
}

void TestQtSettingsStore::roundTripKeepsTheTextExactly() {
    QFETCH(QString, value);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("mivo.conf"));

    {
        QtSettingsStore store(path);
        for (const QString& key : kKeys)
            store.setText(key, value + key);
        store.flush();
    }

    const QVariantMap onDisk = readBackFromDisk(path);
    QCOMPARE(onDisk.size(), kKeys.size());
    const QtSettingsStore reopened(path);
    for (const QString& key : kKeys) {
        QCOMPARE(onDisk.value(key).toString(), value + key);
        QCOMPARE(reopened.text(key, kFallback), value + key);
    }
}

void TestQtSettingsStore::onlyTextCounts_data() {
    QTest::addColumn<QByteArray>("lines"); // below "[settings]"
    QTest::addColumn<QString>("expected");

    QTest::newRow("plain text") << QByteArray("zsnesfilepath=/games/zsnes") << QStringLiteral("/games/zsnes");
    QTest::newRow("empty text") << QByteArray("zsnesfilepath=") << QString();
    QTest::newRow("bytes that are utf-8")
        << QByteArray("zsnesfilepath=@ByteArray(/games/\\xc3\\xa4)") << QStringLiteral("/games/ä");
    QTest::newRow("absent") << QByteArray("romuluspath=/romulus") << kFallback;
    QTest::newRow("only in another section") << QByteArray("[other]\nzsnesfilepath=/zsnes") << kFallback;
    QTest::newRow("bytes that are not utf-8")
        << QByteArray("zsnesfilepath=@ByteArray(\\xff\\xfe)") << kFallback;
    QTest::newRow("rect") << QByteArray("zsnesfilepath=@Rect(1 2 3 4)") << kFallback;
    QTest::newRow("variant point")
        << QByteArray("zsnesfilepath=@Variant(\\0\\0\\0\\x1a?\\xf8\\0\\0\\0\\0\\0\\0@\\0\\0\\0\\0\\0\\0\\0)")
        << kFallback;
    QTest::newRow("variant of unknown type")
        << QByteArray("zsnesfilepath=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\xffjunk)") << kFallback;
    QTest::newRow("list") << QByteArray("zsnesfilepath=1, 2") << kFallback;
    QTest::newRow("invalid") << QByteArray("zsnesfilepath=@Invalid()") << kFallback;
}

void TestQtSettingsStore::onlyTextCounts() {
    QFETCH(QByteArray, lines);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("mivo.conf"));
    writeFile(path, "[settings]\n" + lines + '\n');

    const QtSettingsStore store(path);
    QCOMPARE(store.text(QString::fromLatin1(settings::kZsnesPath), kFallback), expected);
}

void TestQtSettingsStore::hostileFileGivesFallbacksAndIsWrittenOver_data() {
    QTest::addColumn<QByteArray>("content");

    QByteArray allBytes;
    for (int round = 0; round < 4; ++round)
        for (int byte = 0; byte < 256; ++byte)
            allBytes.append(char(byte));
    QByteArray noise;
    quint32 state = 12345;
    for (int i = 0; i < 8192; ++i) {
        state = state * 1103515245u + 12345u;
        noise.append(char(state >> 24));
    }
    const QByteArray megabyte(1 << 20, 'x');

    QTest::newRow("every byte value, NUL too") << allBytes;
    QTest::newRow("noise inside the section") << "[settings]\n" + noise + '\n';
    QTest::newRow("values of other types")
        << QByteArray("[settings]\nzsnesfilepath=@Rect(1 2 3 4)\n"
                      "romuluspath=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x6QPoint\\0)\n"
                      "Icon%20in%20tray=1, 2\n"
                      "Minimize%20to%20tray=@ByteArray(\\x80)\n");
    QTest::newRow("section missing") << QByteArray(
        "zsnesfilepath=/a\nromuluspath=/b\n[other]\nIcon%20in%20tray=1\n");
    QTest::newRow("a megabyte line and value") << "[settings]\n" + megabyte + "\nother=" + megabyte + '\n';
}

void TestQtSettingsStore::hostileFileGivesFallbacksAndIsWrittenOver() {
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("mivo.conf"));
    writeFile(path, content);

    {
        const QtSettingsStore store(path);
        for (const QString& key : kKeys)
            QCOMPARE(store.text(key, kFallback), kFallback);
    }
    saveFourValuesAndReadThemBack(path);
}

void TestQtSettingsStore::unreadableFileIsKeptAsideAndTheValuesLand() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("mivo.conf"));
    writeFile(path, "[settings]\nzsnesfilepath=/unreadable\n");
    QVERIFY(QFile::setPermissions(path, QFile::Permissions()));
    if (QFile file(path); file.open(QIODevice::ReadOnly))
        QSKIP("This user may read any file (root?), so a file cannot be made unreadable here");

    QCOMPARE(QtSettingsStore(path).text(QString::fromLatin1(settings::kZsnesPath), kFallback), kFallback);
    saveFourValuesAndReadThemBack(path);
    QVERIFY(QFileInfo::exists(path + QStringLiteral(".corrupt")));
}

void TestQtSettingsStore::unusableLocationNeverStopsTheFlush_data() {
    QTest::addColumn<QString>("blocker");  // made a folder when it ends in '/', else a file
    QTest::addColumn<QString>("fileName"); // the settings file, below the temporary folder

    QTest::newRow("file is a folder") << QStringLiteral("mivo.conf/") << QStringLiteral("mivo.conf");
    QTest::newRow("folder is a file") << QStringLiteral("mivo") << QStringLiteral("mivo/mivo.conf");
}

void TestQtSettingsStore::unusableLocationNeverStopsTheFlush() {
    QFETCH(QString, blocker);
    QFETCH(QString, fileName);
    QTemporaryDir dir;
    if (blocker.endsWith(u'/'))
        QVERIFY(QDir(dir.path()).mkpath(blocker));
    else
        writeFile(dir.filePath(blocker), "not a folder");
    const QString path = dir.filePath(fileName);

    QtSettingsStore store(path);
    QCOMPARE(store.text(QString::fromLatin1(settings::kZsnesPath), kFallback), kFallback);
    for (const QString& key : kKeys)
        store.setText(key, QStringLiteral("x"));
    store.flush();
    store.flush();

    // What stood in the way is left as it was, and nothing was put aside for it.
    QCOMPARE(QFileInfo(dir.filePath(blocker)).isDir(), blocker.endsWith(u'/'));
    QVERIFY(!QFileInfo::exists(path + QStringLiteral(".corrupt")));
}

void TestQtSettingsStore::firstRunUsesXdgConfigHomeAndCreatesTheFolder() {
    QTemporaryDir configHome;
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    const bool wasSet = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome.path()));
    const QString path = settingsFilePath(QStringLiteral("mivo"));
    if (wasSet)
        qputenv("XDG_CONFIG_HOME", saved);
    else
        qunsetenv("XDG_CONFIG_HOME");

    QCOMPARE(path, configHome.path() + QStringLiteral("/mivo/mivo.conf"));
    QCOMPARE(QtSettingsStore(path).text(QString::fromLatin1(settings::kZsnesPath), kFallback), kFallback);
    saveFourValuesAndReadThemBack(path);
}

void TestQtSettingsStore::applicationNameFromExecutable_data() {
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QString>("name");

    QTest::newRow("installed") << QStringLiteral("/usr/bin/mivo") << QStringLiteral("mivo");
    QTest::newRow("windows extension") << QStringLiteral("/games/mivo.exe") << QStringLiteral("mivo");
    QTest::newRow("only the last extension goes")
        << QStringLiteral("my.mivo-1.60.exe") << QStringLiteral("my.mivo-1.60");
    QTest::newRow("dot in the folder") << QStringLiteral("/opt/mivo.d/mivo") << QStringLiteral("mivo");
    QTest::newRow("nothing but an extension") << QStringLiteral("/a/.mivo") << QStringLiteral(".mivo");
}

void TestQtSettingsStore::applicationNameFromExecutable() {
    QFETCH(QString, executable);
    QFETCH(QString, name);
    QCOMPARE(mivo::applicationNameFromExecutable(executable), name);
}

QTEST_GUILESS_MAIN(TestQtSettingsStore)
#include "tst_qtsettingsstore.moc"
