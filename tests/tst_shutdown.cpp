#include "core/SettingsKeys.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

// The shutdown ends the process at once; these tests end a real one and read what reached the disk.
class TestShutdown : public QObject {
    Q_OBJECT

    QTemporaryDir m_config;
    QTemporaryDir m_programs;

    // Runs the child under `name` (a copy of it when the name differs) with its settings in m_config.
    QString runChild(const QString& name, const QStringList& arguments = {}) {
        QString program = QStringLiteral(MIVO_SHUTDOWN_CHILD);
        if (name != QStringLiteral("shutdown_child")) {
            program = m_programs.filePath(name);
            if (!QFile::exists(program) && !QFile::copy(QStringLiteral(MIVO_SHUTDOWN_CHILD), program))
                return QStringLiteral("<cannot copy>");
        }
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_config.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        child.setProcessEnvironment(environment);
        child.start(program, arguments);
        if (!child.waitForFinished(30000) || child.exitStatus() != QProcess::NormalExit ||
            child.exitCode() != 0)
            return QStringLiteral("<failed: %1>").arg(QString::fromLocal8Bit(child.readAllStandardError()));
        return QString::fromUtf8(child.readAllStandardOutput()).trimmed();
    }

    QMap<QString, QString> stored(const QString& name) {
        QSettings file(m_config.filePath(name + '/' + name + ".conf"), QSettings::IniFormat);
        file.beginGroup(QLatin1StringView(mivo::settings::kSection));
        QMap<QString, QString> values;
        for (const QString& key : file.childKeys())
            values.insert(key, file.value(key).toString());
        return values;
    }

private slots:
    void valuesAreOnDiskWhenTheProcessHasEnded() {
        QCOMPARE(runChild(QStringLiteral("shutdown_child"), {QStringLiteral("/usr/games/zsnes")}),
                 QStringLiteral("restored 2 2 []"));
        const QMap<QString, QString> expected{{"Minimize to tray", "0"},
                                              {"Icon in tray", "0"},
                                              {"zsnesfilepath", "/usr/games/zsnes"},
                                              {"romuluspath", "Romulus Path"}};
        QCOMPARE(stored(QStringLiteral("shutdown_child")), expected);

        // The next start restores them.
        QCOMPARE(runChild(QStringLiteral("shutdown_child")),
                 QStringLiteral("restored 0 0 [/usr/games/zsnes]"));
    }

    void aCopyUnderAnotherNameKeepsItsOwnValues() {
        runChild(QStringLiteral("shutdown_child"), {QStringLiteral("/usr/games/zsnes")});
        QCOMPARE(runChild(QStringLiteral("other-launcher")), QStringLiteral("restored 2 2 []"));
        QCOMPARE(stored(QStringLiteral("other-launcher")).value(QStringLiteral("zsnesfilepath")), QString());
        QCOMPARE(stored(QStringLiteral("shutdown_child")).value(QStringLiteral("zsnesfilepath")),
                 QStringLiteral("/usr/games/zsnes"));
    }
};

QTEST_GUILESS_MAIN(TestShutdown)
#include "tst_shutdown.moc"
