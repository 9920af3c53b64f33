// The info window on its own, and as the main window's "Info" shows it.

#include "BothWindows.h"
#include "PictureFormats.h"
#include "RollwerkApplication.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QClipboard>
#include <QFontInfo>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

#include <memory>

namespace {

const QStringList kLines = {
    QStringLiteral("Das Programm \"Tolvar-Rollwerk\" ist zum "),
    QStringLiteral("erstellen einer bestimmten Zusammenstellung an "),
    QStringLiteral("Skills gedacht. Hiermit hat man die m\u00f6glichkeit "),
    QStringLiteral("seinen Charakter direkt zu planen."),
    QString(),
    QStringLiteral("Kleinere Fehler k\u00f6nnen beim wechseln des"),
    QStringLiteral("Charakters vorkommen."),
    QString(),
};

} // namespace

class InfoWindowTest : public QObject, private BothWindows {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void windowAsDesigned();
    void textLines_data();
    void textLines();
    void everyLineFitsTheBox();
    void editingChangesNothing_data();
    void editingChangesNothing();
    void selectedTextCanBeCopied();
    void infoTwiceGivesOneWindow();
    void infoLeavesAMinimisedWindowAlone();
    void closedWindowReturnsWhereTheUserLeftIt();
    void smallWindowScrolls();
    void closingTheMainWindowEndsWithZero_data();
    void closingTheMainWindowEndsWithZero();

private:
    void ChooseInfo() { main_->findChild<QAction *>(QStringLiteral("Info1"))->trigger(); }
    QPlainTextEdit *Box() const { return info_->findChild<QPlainTextEdit *>(QStringLiteral("MInfo")); }
};

void InfoWindowTest::init()
{
    QVERIFY(OpenWindows());
}

void InfoWindowTest::cleanup()
{
    CloseWindows();
}

void InfoWindowTest::windowAsDesigned()
{
    QVERIFY(!info_->isVisible());
    QCOMPARE(info_->objectName(), QStringLiteral("FInfo"));
    QCOMPARE(info_->windowTitle(), QStringLiteral("Rollwerk Info"));
    QVERIFY(info_->isWindow());
    QCOMPARE(info_->palette().color(QPalette::Window), QColor(166, 202, 240));
    QCOMPARE(info_->font().family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(info_->font().pixelSize(), 11);

    QPlainTextEdit *box = Box();
    QVERIFY(box);
    QCOMPARE(box->geometry(), QRect(8, 8, 241, 129));
    QCOMPARE(box->palette().color(QPalette::Base), QColor(249, 234, 213));

    info_->show();
    QVERIFY(QTest::qWaitForWindowExposed(info_.get()));
    // Offscreen reports no frame: the client takes the whole outer size.
    QCOMPARE(info_->frameGeometry(), QRect(907, 176, 266, 180));

    // Read only: a typed key changes nothing.
    const QString text = box->toPlainText();
    box->setFocus();
    QTest::keyClick(box, Qt::Key_X);
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->toPlainText(), text);

    // A line wider than the box wraps at word boundaries inside it, and the box shows no scroll bars.
    box->setPlainText(QStringLiteral("Ein Planer f\u00fcr Charaktere, dessen Zeile weit breiter ist als das Feld, "
                                     "in dem sie steht, und darum umbricht"));
    box->repaint();
    QVERIFY(!box->verticalScrollBar()->isVisible());
    QVERIFY(!box->horizontalScrollBar()->isVisible());
    int wrapped = 0;
    for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next()) {
        const QTextLayout *lines = block.layout();
        for (int line = 1; line < lines->lineCount(); ++line) {
            ++wrapped;
            const int start = lines->lineAt(line).textStart();
            QVERIFY2(block.text().at(start - 1).isSpace(), qPrintable(block.text()));
        }
        for (int line = 0; line < lines->lineCount(); ++line)
            QVERIFY(lines->lineAt(line).naturalTextWidth() <= box->viewport()->width());
    }
    QVERIFY(wrapped > 0);
}

void InfoWindowTest::textLines_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("text");

    for (int i = 0; i < kLines.size(); ++i) {
        const QString &text = kLines[i];
        const char *kind = text.isEmpty() ? "empty" : text.endsWith(' ') ? "keeps its trailing blank" : "as written";
        QTest::addRow("line %d %s", i + 1, kind) << i << text;
    }
}

void InfoWindowTest::textLines()
{
    QFETCH(int, line);
    QFETCH(QString, text);

    const QStringList shown = Box()->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(shown.size(), 9);
    QCOMPARE(shown[line], text);
}

void InfoWindowTest::everyLineFitsTheBox()
{
    info_->show();
    QVERIFY(QTest::qWaitForWindowExposed(info_.get()));
    QPlainTextEdit *box = Box();
    const QStringList shown = box->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(shown.size(), 9);
    QVERIFY(!shown.last().isEmpty());

    const QFontMetrics metrics(box->font());
    qInfo("info font resolves to %s; box viewport %d x %d", qPrintable(QFontInfo(box->font()).family()),
        box->viewport()->width(), box->viewport()->height());
    QAbstractTextDocumentLayout *textLayout = box->document()->documentLayout();
    qreal lastBottom = box->document()->documentMargin();
    for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next()) {
        qInfo("%3d px  %s", metrics.horizontalAdvance(block.text()), qPrintable(block.text()));
        QVERIFY2(block.layout()->lineCount() == 1, qPrintable(block.text()));
        lastBottom += textLayout->blockBoundingRect(block).height();
    }
    // All nine lines in view, none wrapped, nothing to scroll.
    QVERIFY2(lastBottom <= box->viewport()->height(), qPrintable(QString::number(lastBottom)));
    QCOMPARE(box->verticalScrollBar()->maximum(), 0);
}

void InfoWindowTest::editingChangesNothing_data()
{
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<QString>("typed");

    // clang-format off
    QTest::newRow("typing letters") << QKeySequence() << QStringLiteral("abc");
    QTest::newRow("pasting") << QKeySequence(QKeySequence::Paste) << QString();
    QTest::newRow("cutting") << QKeySequence(QKeySequence::Cut) << QString();
    QTest::newRow("Delete") << QKeySequence(Qt::Key_Delete) << QString();
    QTest::newRow("Backspace") << QKeySequence(Qt::Key_Backspace) << QString();
    QTest::newRow("Enter") << QKeySequence(Qt::Key_Return) << QString();
    // clang-format on
}

void InfoWindowTest::editingChangesNothing()
{
    QFETCH(QKeySequence, keys);
    QFETCH(QString, typed);

    QGuiApplication::clipboard()->setText(QStringLiteral("eingef\u00fcgt"));
    ChooseInfo();
    QVERIFY(QTest::qWaitForWindowActive(info_.get()));
    QPlainTextEdit *box = Box();
    QTRY_VERIFY(box->hasFocus());
    const QString before = box->toPlainText();
    QTest::keySequence(box, QKeySequence::SelectAll);
    QVERIFY(box->textCursor().hasSelection());
    if (!keys.isEmpty())
        QTest::keySequence(box, keys);
    if (!typed.isEmpty())
        QTest::keyClicks(box, typed);
    QCOMPARE(box->toPlainText(), before);
}

void InfoWindowTest::selectedTextCanBeCopied()
{
    ChooseInfo();
    QVERIFY(QTest::qWaitForWindowActive(info_.get()));
    QPlainTextEdit *box = Box();
    QGuiApplication::clipboard()->clear();
    QTest::keySequence(box, QKeySequence::SelectAll);
    QTest::keySequence(box, QKeySequence::Copy);
    QCOMPARE(QGuiApplication::clipboard()->text(), box->toPlainText());
}

void InfoWindowTest::infoTwiceGivesOneWindow()
{
    ChooseInfo();
    QVERIFY(QTest::qWaitForWindowActive(info_.get()));
    QCOMPARE(QApplication::focusWidget(), Box());
    ChooseInfo();
    int shown = 0;
    for (const QWidget *window : QApplication::topLevelWidgets())
        shown += window->objectName() == QLatin1String("FInfo") && window->isVisible();
    QCOMPARE(shown, 1);
    QVERIFY(main_->isVisible());
}

void InfoWindowTest::infoLeavesAMinimisedWindowAlone()
{
    ChooseInfo();
    QVERIFY(QTest::qWaitForWindowExposed(info_.get()));
    info_->showMinimized();
    QTRY_VERIFY(info_->isMinimized());
    ChooseInfo();
    QVERIFY(info_->isMinimized());
}

void InfoWindowTest::closedWindowReturnsWhereTheUserLeftIt()
{
    QPointer<rollwerk::TFInfo> guard(info_.get());
    ChooseInfo();
    QVERIFY(QTest::qWaitForWindowExposed(info_.get()));
    info_->setGeometry(300, 250, 200, 150);
    const QRect moved = info_->geometry();
    QVERIFY(info_->close());
    QVERIFY(!info_->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(guard);

    ChooseInfo();
    QVERIFY(QTest::qWaitForWindowExposed(info_.get()));
    QCOMPARE(info_->geometry(), moved);
    QCOMPARE(Box()->toPlainText().split(QLatin1Char('\n')).size(), 9);
}

void InfoWindowTest::smallWindowScrolls()
{
    ChooseInfo();
    QVERIFY(QTest::qWaitForWindowExposed(info_.get()));
    info_->resize(120, 80);
    auto *area = info_->findChild<QScrollArea *>();
    QVERIFY(area);
    QTRY_VERIFY(area->verticalScrollBar()->isVisible());
    QVERIFY(area->horizontalScrollBar()->isVisible());
    QVERIFY(area->horizontalScrollBar()->maximum() >= 8 + 241 - area->viewport()->width());
}

void InfoWindowTest::closingTheMainWindowEndsWithZero_data()
{
    QTest::addColumn<bool>("infoShown");
    // clang-format off
    QTest::newRow("info window hidden") << false;
    QTest::newRow("info window shown") << true;
    // clang-format on
}

void InfoWindowTest::closingTheMainWindowEndsWithZero()
{
    QFETCH(bool, infoShown);

    if (infoShown) {
        ChooseInfo();
        QVERIFY(QTest::qWaitForWindowExposed(info_.get()));
    }
    QTimer::singleShot(0, main_.get(), [this] { main_->close(); });
    // The loop must end by itself; the guard only keeps a failure from hanging.
    bool guardFired = false;
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, [&guardFired] {
        guardFired = true;
        QCoreApplication::exit(1);
    });
    guard.start(5000);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!guardFired);
}

int main(int argc, char *argv[])
{
    rollwerk::RegisterJpegFormat();
    rollwerk::RollwerkApplication app(argc, argv);
    InfoWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "InfoWindowTest.moc"
