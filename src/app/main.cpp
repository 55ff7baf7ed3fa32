// Program entry: the application object, its title and version, the main window, the event loop.
#include "core/desktop/command_line.h"
#include "ui/desktop/application_title.h"
#include "ui/desktop/resources_init.h"
#include "ui/desktop/termination_request.h"
#include "ui/window/tform1.h"

#include <QAccessible>
#include <QApplication>
#include <QIcon>

#include <memory>
#include <string>
#include <utility>
#include <vector>

int main(int argc, char* argv[]) {
    // Every argument names a piece of the file's path, also one that looks like a Qt option
    // (-style, -platform, -reverse): Qt sees only the program path and takes its settings from
    // the environment (QT_QPA_PLATFORM, QT_STYLE_OVERRIDE, ...).
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QApplication app(qtArgc, qtArgv);
    // The accessibility bridge starts at the first widget: it connects to the session bus and
    // waits for the answers. Now, before the file's read below takes the second core, the bus
    // answers at once.
    (void)QAccessible::isActive();
    // The file to open at start-up, as raw bytes, is read on a thread of its own while the window
    // is built. Not before the application object: its start waits on the display server, which
    // then needs the second core itself.
    std::vector<std::string> arguments(argv + 1, argv + argc);
    std::unique_ptr<tavlor::SheetLoadAhead> ahead;
    if (const auto path = tavlor::CommandLine::fileToOpen(arguments))
        ahead = std::make_unique<tavlor::SheetLoadAhead>(*path);
    tavlorInitResources();
    QApplication::setApplicationName(tavlor::ui::programTitle());
    tavlor::ui::setApplicationTitle(tavlor::ui::programTitle());
    QApplication::setApplicationVersion(QStringLiteral(TAVLOR_VERSION));
    QApplication::setOrganizationName(QStringLiteral("Vorlane Software"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tavlor/icons/tavlor-48.png")));
    TForm1 Form1;
    Form1.setCommandLine(std::move(arguments), std::move(ahead));
    // kill, a session's end: the unsaved work goes to the recovery file first, then the window
    // closes like the close button, asking about unsaved changes.
    const auto keep = [&Form1] { Form1.keepUnsavedWork(); };
    tavlor::ui::TerminationRequest termination(&Form1, keep);
#ifndef QT_NO_SESSIONMANAGER
    // Qt asks to close the windows right after this signal.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &Form1, keep);
#endif
    Form1.show();
    return QApplication::exec();
}
