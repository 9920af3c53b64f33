// A class change through the main window, widget updates included: the pick
// of "Seraphim" from "Gladiator" at level 10 with Waffenkunde at 5 and
// Konzentration at 3 (2 class runs and 10 skill runs, every write mirrored
// by its widget). And one skill step through the window (the field's step,
// as a click on its button makes it) with the 56 step previews the plan
// document makes after it and the tooltips drawn from its record; a plan
// entered, previews included; and a step of the plan's history from the
// context menu (undo, redo) that brings back a wiped plan.
// Run headless: QT_QPA_PLATFORM=offscreen rollwerk_window_bench

#include "PictureFormats.h"
#include "PlanApply.h"
#include "PlanMenu.h"
#include "RollwerkApplication.h"
#include "SpinField.h"
#include "TFMain.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QTest>

#include <ctime>
#include <string>

class WindowBench : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { rollwerk::RegisterJpegFormat(); }

    void classChangeCascade()
    {
        rollwerk::TFMain window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *box = window.findChild<QComboBox *>(QStringLiteral("CBCharwahl"));
        rollwerk::Planner &planner = window.Models();
        qint64 totalNs = 0;
        int changes = 0;
        QBENCHMARK
        {
            // The starting plan, set through the field models the widgets view.
            box->activated(0);
            planner.SpEStufeH.EditText("10");
            planner.SpEFert[1].EditText("5");
            planner.SpEFert[18].EditText("3");
            planner.ResetCounts();
            QElapsedTimer timer;
            timer.start();
            emit box->activated(1); // the pick, as the drop-down list reports it
            totalNs += timer.nsecsElapsed();
            ++changes;
        }
        QCOMPARE(planner.Counts().skillChanges, 10);
        QCOMPARE(box->currentText(), QStringLiteral("Seraphim"));
        qInfo("class change through the window: %.1f microseconds on average over %d picks",
            static_cast<double>(totalNs) / changes / 1000.0, changes);
    }

    void skillStepWithPreviews()
    {
        rollwerk::TFMain window;
        QVERIFY(ShowDevelopedPlan(window));
        rollwerk::Planner &planner = window.Models();
        auto *field = window.findChild<rollwerk::SpinField *>(QStringLiteral("SpEFert3"));
        QVERIFY(field);
        const TipRefreshes refreshes(window);
        constexpr int kSteps = 2000;
        const Timing timing;
        for (int i = 0; i < kSteps; ++i)
            field->stepBy(i % 2 == 0 ? 1 : -1);
        qInfo("skill step through the window with its previews: %s", timing.Describe(kSteps).c_str());
        QCOMPARE(refreshes.count, kSteps);
        QCOMPARE(planner.SpEFert[3].Text(), std::string("0"));
    }

    void planEntryWithPreviews()
    {
        rollwerk::TFMain window;
        QVERIFY(ShowDevelopedPlan(window));
        rollwerk::Planner &planner = window.Models();
        // Two plans in turn, so that every entry changes what is shown.
        const rollwerk::Plan developed = rollwerk::CurrentPlan(planner);
        rollwerk::Plan other = developed;
        other.skills[18] = 20;
        const TipRefreshes refreshes(window);
        constexpr int kEntries = 200;
        const Timing timing;
        for (int i = 0; i < kEntries; ++i)
            QVERIFY(rollwerk::ApplyPlan(planner, i % 2 == 0 ? other : developed).message.empty());
        qInfo("entering a plan through the window with the previews: %s, %.1f tooltip refreshes each",
            timing.Describe(kEntries).c_str(), static_cast<double>(refreshes.count) / kEntries);
    }

    void historyStep()
    {
        rollwerk::TFMain window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        rollwerk::Planner &planner = window.Models();
        auto *menu = window.findChild<rollwerk::PlanMenu *>();
        QVERIFY(menu);
        // Gladiator at level 60 with four skills, which level 55 typed over it wipes.
        rollwerk::Plan plan{"Gladiator", 60, {}};
        plan.skills[1] = 40;
        plan.skills[18] = 20;
        plan.skills[24] = 20;
        plan.skills[26] = 10;
        rollwerk::ApplyPlan(planner, plan);
        planner.SpEStufeH.EditText("5");
        planner.SpEStufeH.EditText("55");
        constexpr int kSteps = 2000;
        const Timing timing;
        for (int i = 0; i < kSteps; ++i)
            i % 2 == 0 ? menu->Undo() : menu->Redo();
        qInfo("a step of the history through the window (undo or redo, previews included): %s",
            timing.Describe(kSteps).c_str());
        QCOMPARE(planner.SpEFert[26].Text(), std::string("5"));
    }

private:
    // Counts the records that bring new tooltips.
    struct TipRefreshes {
        explicit TipRefreshes(rollwerk::TFMain &window)
            : connection(window.Document().recorded.Connect(
                [this](const rollwerk::PlanRecord &record) { count += record.tips ? 1 : 0; }))
        { }
        int count = 0;
        rollwerk::Connection connection;
    };

    // Elapsed and processor time: on a shared machine the elapsed time mostly measures the others.
    struct Timing {
        QElapsedTimer timer;
        std::clock_t processorStart = std::clock();
        Timing() { timer.start(); }
        std::string Describe(int runs) const
        {
            const double elapsed = static_cast<double>(timer.nsecsElapsed()) / runs / 1000.0;
            const double processor
                = static_cast<double>(std::clock() - processorStart) / CLOCKS_PER_SEC / runs * 1'000'000.0;
            return QStringLiteral("%1 microseconds on average (%2 of processor time)")
                .arg(elapsed, 0, 'f', 1)
                .arg(processor, 0, 'f', 1)
                .toStdString();
        }
    };

    // A "Gladiator" at level 60 with Waffenkunde at 40 and Konzentration at 30.
    static bool ShowDevelopedPlan(rollwerk::TFMain &window)
    {
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            return false;
        rollwerk::Planner &planner = window.Models();
        planner.SpEStufeH.EditText("60");
        planner.SpEFert[1].EditText("40");
        planner.SpEFert[18].EditText("30");
        return true;
    }
};

int main(int argc, char *argv[])
{
    rollwerk::RollwerkApplication app(argc, argv);
    WindowBench bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "WindowBench.moc"
