#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

// The real program: how it ends when the system ends it, and its own command line.
class TestProgram : public QObject {
    Q_OBJECT

private slots:
    void systemEndSavesLikeTheCloseBox_data() {
        QTest::addColumn<int>("signal");
        QTest::addColumn<QString>("state");
        QTest::newRow("SIGTERM") << int(SIGTERM) << "";
        QTest::newRow("SIGHUP") << int(SIGHUP) << "";
        QTest::newRow("SIGINT") << int(SIGINT) << "";
        QTest::newRow("SIGTERM with About open") << int(SIGTERM) << "about";
        QTest::newRow("SIGTERM hidden in the tray") << int(SIGTERM) << "tray";
    }
    void systemEndSavesLikeTheCloseBox() {
        QFETCH(int, signal);
        QFETCH(QString, state);
        QTemporaryDir config;
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        child.setProcessEnvironment(environment);
        child.start(QStringLiteral(MIVO_MENDS_CHILD), {QStringLiteral("/usr/games/zsnes"), state});
        QVERIFY(child.waitForReadyRead(30000));
        QCOMPARE(child.readLine().trimmed(), state.isEmpty() ? "ready shown" : "ready locked or hidden");
        QCOMPARE(::kill(static_cast<pid_t>(child.processId()), signal), 0);
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);

        QSettings file(config.filePath(QStringLiteral("mends_child/mends_child.conf")), QSettings::IniFormat);
        file.beginGroup(QStringLiteral("settings"));
        QMap<QString, QString> stored;
        for (const QString& key : file.childKeys())
            stored.insert(key, file.value(key).toString());
        const QMap<QString, QString> expected{{"Minimize to tray", "1"},
                                              {"Icon in tray", "1"},
                                              {"zsnesfilepath", "/usr/games/zsnes"},
                                              {"romuluspath", "Romulus Path"}};
        QCOMPARE(stored, expected);
    }

    void commandLineAnswersWithoutADisplay_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("errorStart");
        QTest::newRow("version") << QStringList{"--version"} << 0 << "Mivo 1.60\n"
                                 << "";
        QTest::newRow("version after Qt's own option")
            << QStringList{"-platform", "xcb", "--version"} << 0 << "Mivo 1.60\n"
            << "";
        QTest::newRow("help") << QStringList{"--help"} << 0 << "Usage: mivo"
                              << "";
        QTest::newRow("unknown") << QStringList{"--bogus"} << 2 << ""
                                 << "mivo: unknown option '--bogus'\nUsage: mivo";
    }
    void commandLineAnswersWithoutADisplay() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, errorStart);
        QProcess mivo;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QLatin1StringView(name));
        mivo.setProcessEnvironment(environment);
        mivo.start(QStringLiteral(MIVO_PROGRAM), arguments);
        QVERIFY(mivo.waitForFinished(30000));
        QCOMPARE(mivo.exitCode(), exitCode);
        const QString standardOutput = QString::fromUtf8(mivo.readAllStandardOutput());
        const QString standardError = QString::fromUtf8(mivo.readAllStandardError());
        QVERIFY2(out.isEmpty() || out.endsWith(u'\n') ? standardOutput == out
                                                      : standardOutput.startsWith(out),
                 qPrintable(standardOutput));
        QVERIFY2(errorStart.isEmpty() ? standardError.isEmpty() : standardError.startsWith(errorStart),
                 qPrintable(standardError));
    }
};

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
