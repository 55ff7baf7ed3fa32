// The floor for the start-up bench: a Qt main window with the title it is given, nothing else.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString());
    window.show();
    return QApplication::exec();
}
