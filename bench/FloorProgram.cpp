// The floor the planner's start-up is measured against: the least a window
// of the same title, size, font and menu bar costs with Qt, with one label.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Rollwerk Tolvar V1.0"));
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(16);
    font.setHintingPreference(QFont::PreferFullHinting); // as the planner draws its body font
    window.setFont(font);
    QMenu *program = window.menuBar()->addMenu(QStringLiteral("&Programm"));
    program->addAction(QStringLiteral("&Beenden"), &app, &QApplication::quit);
    window.menuBar()->addAction(QStringLiteral("&Info"));
    window.setCentralWidget(new QLabel(QStringLiteral("Tolvar-Rollwerk")));
    window.resize(963, 706);
    window.show();
    return app.exec();
}
