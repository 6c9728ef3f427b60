#include "core/CommandLine.h"
#include "core/NumberRule.h"
#include "core/OptionCatalog.h"

#include <QTest>

#include <set>
#include <string>

using namespace mivo;

// The catalogue drives both the window and the command line, so a slip in a row shows up in both.
class TestOptionCatalog : public QObject {
    Q_OBJECT

private slots:
    void rowsAreNumberedInOrder() {
        for (std::size_t i = 0; i < kCheckBoxes.size(); ++i)
            QCOMPARE(kCheckBoxes[i].name, "Check" + std::to_string(i + 1));
        for (std::size_t i = 0; i < kOptionButtons.size(); ++i)
            QCOMPARE(kOptionButtons[i].name, "Option" + std::to_string(i + 1));
        for (std::size_t i = 0; i < kNumberFields.size(); ++i) {
            QCOMPARE(kNumberFields[i].name, "Text" + std::to_string(i + 1));
            QCOMPARE(kNumberFields[i].flagName, "Label" + std::to_string(i + 2));
        }
    }

    void everyStepFromOneToSixtyOneIsTakenOnce() {
        std::multiset<int> steps;
        for (const auto& row : kCheckBoxes) {
            if (row.step > 0)
                steps.insert(row.step);
        }
        for (const auto& row : kOptionButtons)
            steps.insert(row.step);
        for (const auto& row : kNumberFields)
            steps.insert(row.step);
        for (int step = 1; step <= 61; ++step)
            QVERIFY2(steps.count(step) == (step == 47 ? 2U : 1U), qPrintable(QString::number(step)));
        QCOMPARE(steps.size(), 62U);
    }

    void switchesStartWithABlankAndOnlyStepsHaveThem() {
        for (const auto& row : kCheckBoxes) {
            QCOMPARE(row.switchText.empty(), row.step == 0);
            QVERIFY(row.switchText.empty() || row.switchText.front() == ' ');
        }
        for (const auto& row : kOptionButtons)
            QVERIFY(row.switchText.front() == ' ');
        for (const auto& row : kNumberFields)
            QVERIFY(row.switchText.front() == ' ' && row.switchText.back() == ' ');
    }

    void headingBoxesHeadExactlyOneThingAndAddNoSwitch() {
        std::set<int> headings;
        for (const auto& group : kOptionGroups)
            QVERIFY(headings.insert(group.headingCheck).second);
        for (const auto& field : kNumberFields)
            QVERIFY(headings.insert(field.headingCheck).second);
        for (int heading : headings)
            QCOMPARE(kCheckBoxes[checkIndex(heading)].step, 0);
    }

    void eachGroupHasItsDefaultButtonInsideIt() {
        for (const auto& group : kOptionGroups) {
            QCOMPARE(kOptionButtons[optionIndex(group.defaultOption)].group, group.group);
            QCOMPARE(&groupRow(group.group), &group);
        }
    }

    void onlyTheTrayPreferencesStartTicked() {
        for (std::size_t i = 0; i < kCheckBoxes.size(); ++i)
            QCOMPARE(kCheckBoxes[i].designedTicked, i == checkIndex(36) || i == checkIndex(37));
    }

    // The field's own reset and maximum texts must pass their own check, or a correction would loop.
    void resetAndMaximumTextsAreInRange() {
        for (const auto& field : kNumberFields) {
            for (const auto text : {field.resetText, field.maximumText, field.startText}) {
                const QString qtext = catalogueText(text);
                const auto corrected = correctNumberText(field, qtext);
                QCOMPARE(corrected.text, qtext);
                QCOMPARE(corrected.validity, Validity::InRange);
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestOptionCatalog)
#include "tst_optioncatalog.moc"
