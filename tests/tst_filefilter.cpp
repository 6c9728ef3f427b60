#include "platform/QtFileOpenDialog.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QTest>

using namespace mivo;

namespace {

// What Qt's own file dialog makes of a filter: the text of each entry in the file-type box, and the
// patterns its file list then uses.
struct DialogView {
    QStringList shown;
    QList<QStringList> patterns;
};

DialogView dialogView(const QString& qtFilter) {
    QFileDialog dialog;
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    dialog.setNameFilter(qtFilter);
    DialogView view;
    const auto* typeBox = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    const auto* files = dialog.findChild<QFileSystemModel*>();
    if (!typeBox || !files)
        return view;
    for (int i = 0; i < typeBox->count(); ++i)
        view.shown.append(typeBox->itemText(i));
    for (const QString& entry : dialog.nameFilters()) {
        dialog.selectNameFilter(entry);
        view.patterns.append(files->nameFilters());
    }
    return view;
}

const QString kExecutables = QStringLiteral("Zsnes(w) Executable (*.exe)|*.exe|All Files (*.*)|*.*|");

} // namespace

class TestFileFilter : public QObject {
    Q_OBJECT

private slots:
    void dialogShowsDescriptionsAndUsesPatterns_data();
    void dialogShowsDescriptionsAndUsesPatterns();
    void noCompletePairMeansEveryFile_data();
    void noCompletePairMeansEveryFile();
    void executableFilterMatchesLinuxAndWindowsNames_data();
    void executableFilterMatchesLinuxAndWindowsNames();
};

void TestFileFilter::dialogShowsDescriptionsAndUsesPatterns_data() {
    QTest::addColumn<QString>("pipeFilter");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QList<QStringList>>("patterns");

    QTest::newRow("executables, trailing bar")
        << kExecutables
        << QStringList{QStringLiteral("Zsnes(w) Executable (*.exe)"), QStringLiteral("All Files (*.*)")}
        << QList<QStringList>{{QStringLiteral("*.exe")}, {QStringLiteral("*")}};
    QTest::newRow("no trailing bar") << QStringLiteral("Roms|*.smc") << QStringList{QStringLiteral("Roms")}
                                     << QList<QStringList>{{QStringLiteral("*.smc")}};
    QTest::newRow("several patterns")
        << QStringLiteral("Roms|*.smc; *.sfc;*.*") << QStringList{QStringLiteral("Roms")}
        << QList<QStringList>{{QStringLiteral("*.smc"), QStringLiteral("*.sfc"), QStringLiteral("*")}};
    QTest::newRow("description left without patterns")
        << QStringLiteral("Roms|*.smc|Orphan") << QStringList{QStringLiteral("Roms")}
        << QList<QStringList>{{QStringLiteral("*.smc")}};
    QTest::newRow("pair without patterns is dropped")
        << QStringLiteral("Nothing||Roms|*.smc") << QStringList{QStringLiteral("Roms")}
        << QList<QStringList>{{QStringLiteral("*.smc")}};
    QTest::newRow("no description") << QStringLiteral("|*.smc") << QStringList{QStringLiteral("*.smc")}
                                    << QList<QStringList>{{QStringLiteral("*.smc")}};
}

void TestFileFilter::dialogShowsDescriptionsAndUsesPatterns() {
    QFETCH(QString, pipeFilter);
    QFETCH(QStringList, shown);
    QFETCH(QList<QStringList>, patterns);

    const DialogView view = dialogView(qtNameFilter(pipeFilter));
    QCOMPARE(view.shown, shown);
    QCOMPARE(view.patterns, patterns);
}

void TestFileFilter::noCompletePairMeansEveryFile_data() {
    QTest::addColumn<QString>("pipeFilter");

    QTest::newRow("empty") << QString();
    QTest::newRow("only a bar") << QStringLiteral("|");
    QTest::newRow("only a description") << QStringLiteral("Roms");
    QTest::newRow("only empty patterns") << QStringLiteral("Roms| ; |");
}

void TestFileFilter::noCompletePairMeansEveryFile() {
    QFETCH(QString, pipeFilter);
    QCOMPARE(qtNameFilter(pipeFilter), QString());
}

void TestFileFilter::executableFilterMatchesLinuxAndWindowsNames_data() {
    QTest::addColumn<int>("entry"); // 0: the executables, 1: all files
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("matches");

    QTest::newRow("windows executable") << 0 << QStringLiteral("zsnesw.exe") << true;
    QTest::newRow("linux binary is no .exe") << 0 << QStringLiteral("zsnes") << false;
    QTest::newRow("all: linux binary without a dot") << 1 << QStringLiteral("zsnes") << true;
    QTest::newRow("all: upper-case extension") << 1 << QStringLiteral("rom.SMC") << true;
    QTest::newRow("all: windows executable") << 1 << QStringLiteral("zsnesw.exe") << true;
}

void TestFileFilter::executableFilterMatchesLinuxAndWindowsNames() {
    QFETCH(int, entry);
    QFETCH(QString, fileName);
    QFETCH(bool, matches);

    const DialogView view = dialogView(qtNameFilter(kExecutables));
    QCOMPARE(view.patterns.size(), 2);
    QCOMPARE(QDir::match(view.patterns.at(entry), fileName), matches);
}

QTEST_MAIN(TestFileFilter)
#include "tst_filefilter.moc"
