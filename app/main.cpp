// Quelvara: the presentation's entry point.
#include "presentation.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// While the application object is being made, Qt ends the program with
// abort() when it cannot open the display. Say instead, on one line, what is
// wrong and end with status 1. Qt's own warnings from that moment are left
// out, so the line stands alone.
void startupMessageHandler(QtMsgType type, const QMessageLogContext&, const QString&)
{
    if (type != QtFatalMsg)
        return;
    const char* display = std::getenv("DISPLAY");
    std::fprintf(
        stderr, "quelvara: cannot open a display to show the window on (DISPLAY=%s)\n", display ? display : "not set");
    std::_Exit(1);
}

} // namespace

int main(int argc, char* argv[])
{
    // Without a session bus, the accessibility layer would have D-Bus start
    // one, which writes a file in the home folder and outlives the program.
    // The program writes nothing, so it then goes without a bus.
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    const QtMessageHandler qtHandler = qInstallMessageHandler(startupMessageHandler);
    QApplication app(argc, argv);
    qInstallMessageHandler(qtHandler);
    QApplication::setApplicationName(QStringLiteral("Quelvara"));
    QApplication::setApplicationVersion(QStringLiteral("1.01"));
    // Desktops match the window to the installed desktop entry, and so to its
    // name and icon, by this id.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.quelvara.Quelvara"));
    quelvara::installQtTranslations();
    return quelvara::runPresentation();
}
