// Quelvara: the presentation's entry point.
#include "presentation.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// While the application object is being made, Qt ends the program with
// abort() when it cannot open the display. Say instead, on one line, what is
// wrong and end with status 1. Qt's own warnings from that moment are held
// back, and the first of them, which says why, ends the line.
QString firstStartupWarning;

void startupMessageHandler(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtFatalMsg) {
        if (firstStartupWarning.isEmpty())
            firstStartupWarning = message.section(u'\n', 0, 0);
        return;
    }
    const char* display = std::getenv("DISPLAY");
    const QString why = firstStartupWarning.isEmpty() ? message.section(u'\n', 0, 0) : firstStartupWarning;
    std::fprintf(stderr, "quelvara: cannot open a display to show the window on (DISPLAY=%s): %s\n",
        display ? display : "not set", qUtf8Printable(why));
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
