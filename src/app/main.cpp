// Program entry: the application object, its title and version, the main window, the event loop.
#include "resources_init.h"
#include "tform1.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tavlorInitResources();
    QApplication::setApplicationName(QStringLiteral("Vorlane Tavlor"));
    QApplication::setApplicationDisplayName(QStringLiteral("Vorlane Tavlor"));
    QApplication::setApplicationVersion(QStringLiteral(TAVLOR_VERSION));
    QApplication::setOrganizationName(QStringLiteral("Vorlane Software"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tavlor/icons/tavlor-48.png")));
    TForm1 Form1;
    Form1.show();
    return QApplication::exec();
}
