// The floors for the start-up bench: a Qt main window with the title it is given, nothing else;
// with --text as well, the same window showing its title in one label, which is the least any
// window that draws text pays for (the font system's start).
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString());
    if (argc > 2 && qstrcmp(argv[2], "--text") == 0)
        window.setCentralWidget(new QLabel(window.windowTitle()));
    window.show();
    return QApplication::exec();
}
