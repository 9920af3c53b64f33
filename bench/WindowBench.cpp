// A class change through the main window, widget updates included: the pick
// of "Seraphim" from "Gladiator" at level 10 with Waffenkunde at 5 and
// Konzentration at 3 (2 class runs and 10 skill runs, every write mirrored
// by its widget). Run headless: QT_QPA_PLATFORM=offscreen rollwerk_window_bench

#include "PictureFormats.h"
#include "RollwerkApplication.h"
#include "TFMain.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QTest>

class WindowBench : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { rollwerk::RegisterJpegFormat(); }

    void classChangeCascade()
    {
        TFMain window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *box = window.findChild<QComboBox *>(QStringLiteral("CBCharwahl"));
        rollwerk::Planner &planner = window.planner();
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
};

int main(int argc, char *argv[])
{
    rollwerk::RollwerkApplication app(argc, argv);
    WindowBench bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "WindowBench.moc"
