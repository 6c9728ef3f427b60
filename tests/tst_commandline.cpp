#include "core/CommandLine.h"

#include <QTest>

#include <initializer_list>
#include <vector>

Q_DECLARE_METATYPE(mivo::OptionSnapshot)

using namespace mivo;

namespace {

// The record after start-up: the group defaults selected, nothing else ticked.
OptionSnapshot startedSnapshot() {
    OptionSnapshot options = designedSnapshot();
    for (const auto& group : kOptionGroups)
        options.selected[optionIndex(group.defaultOption)] = true;
    return options;
}

void tick(OptionSnapshot& options, std::initializer_list<int> checks) {
    for (int number : checks)
        options.checkValues[checkIndex(number)] = 1;
}

void choose(OptionSnapshot& options, int option) {
    const auto group = kOptionButtons[optionIndex(option)].group;
    for (std::size_t i = 0; i < kOptionButtons.size(); ++i) {
        if (kOptionButtons[i].group == group)
            options.selected[i] = false;
    }
    options.selected[optionIndex(option)] = true;
}

void setNumber(OptionSnapshot& options, int field, const QString& text, Validity validity) {
    options.numberTexts[static_cast<std::size_t>(field - 1)] = text;
    options.validity[static_cast<std::size_t>(field - 1)] = validity;
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void compose_data() {
        QTest::addColumn<OptionSnapshot>("options");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");

        const QString zsnes = QStringLiteral("/usr/games/zsnes");
        OptionSnapshot options = startedSnapshot();
        QTest::newRow("nothing ticked gives the bare path") << options << zsnes << zsnes;

        // The designed tray boxes never add anything.
        QTest::newRow("empty path with one box") << [] {
            auto o = startedSnapshot();
            tick(o, {1});
            return o;
        }() << QString() << QStringLiteral(" -0");

        QTest::newRow("the table's order, not the order of ticking") << [] {
            auto o = startedSnapshot();
            tick(o, {2});
            choose(o, 2);
            tick(o, {29});
            choose(o, 25);
            tick(o, {23});
            choose(o, 18);
            tick(o, {14});
            setNumber(o, 1, QStringLiteral("3"), Validity::InRange);
            return o;
        }() << zsnes << zsnes + " -f 3 -r 3 -v 4 -1 1";

        QTest::newRow("every simple box")
            <<
            [] {
                auto o = startedSnapshot();
                tick(o, {35, 34, 33, 32, 31, 30, 28, 27, 26, 25, 24, 21, 20, 18,
                         17, 16, 13, 12, 11, 10, 9,  8,  7,  6,  5,  4,  1});
                return o;
            }()
            << zsnes
            << zsnes + " -0 -7 -8 -9 -a -c -cb -cc -d -dd -e -h -i -j -o -om -s -sa -sn -t -u -w -l -m -n -y";

        QTest::newRow("the only two-digit mode") << [] {
            auto o = startedSnapshot();
            tick(o, {29});
            choose(o, 31);
            return o;
        }() << zsnes << zsnes + " -v 10";

        QTest::newRow("heading boxes alone give the default choices") << [] {
            auto o = startedSnapshot();
            tick(o, {2, 3, 23, 29});
            return o;
        }() << zsnes << zsnes + " -r 2 -v 0 -1 0 -2 0";

        QTest::newRow("player two counts down to Sidewinder") << [] {
            auto o = startedSnapshot();
            tick(o, {3, 2});
            choose(o, 8);
            choose(o, 7);
            return o;
        }() << zsnes << zsnes + " -1 6 -2 6";

        QTest::newRow("a choice in an unticked group adds nothing") << [] {
            auto o = startedSnapshot();
            choose(o, 31);
            choose(o, 18);
            return o;
        }() << zsnes << zsnes;

        const std::vector<std::pair<const char*, std::vector<int>>> eagleAndInterpolation{
            {"EAGLE", {34}}, {"interpolation", {35}}, {"both", {34, 35}}};
        for (const auto& [name, checks] : eagleAndInterpolation) {
            auto o = startedSnapshot();
            for (int number : checks)
                tick(o, {number});
            QTest::newRow(qPrintable(QStringLiteral("one -y for %1").arg(QLatin1StringView(name))))
                << o << zsnes << zsnes + " -y";
        }

        QTest::newRow("a greyed box is not ticked") << [] {
            auto o = startedSnapshot();
            o.checkValues[checkIndex(1)] = 2;
            o.checkValues[checkIndex(29)] = 2;
            return o;
        }() << zsnes << zsnes;

        QTest::newRow("number switches need a field found in range") << [] {
            auto o = startedSnapshot();
            tick(o, {14, 15, 19, 22});
            setNumber(o, 1, QStringLiteral("0"), Validity::Unchecked);
            setNumber(o, 2, QStringLiteral("4.5"), Validity::InRange);
            setNumber(o, 3, QStringLiteral(" 5"), Validity::InRange);
            setNumber(o, 4, QStringLiteral("30"), Validity::OutOfRange);
            return o;
        }() << zsnes << zsnes + " -g 4.5 -k  5";

        QTest::newRow("a field in range adds nothing while its box is clear") << [] {
            auto o = startedSnapshot();
            setNumber(o, 4, QStringLiteral("60"), Validity::InRange);
            return o;
        }() << zsnes << zsnes;

        QTest::newRow("the path goes in unquoted")
            << startedSnapshot() << QStringLiteral("/opt/my zsnes/zsnes")
            << QStringLiteral("/opt/my zsnes/zsnes");
    }

    void compose() {
        QFETCH(OptionSnapshot, options);
        QFETCH(QString, path);
        QFETCH(QString, expected);
        QCOMPARE(composeCommandLine(path, options), expected);
        QCOMPARE(composeCommandLine(path, options), expected); // nothing of the first run survives
    }
};

QTEST_APPLESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
