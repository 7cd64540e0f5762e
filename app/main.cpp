// Quelvara: starts the presentation. Every picture is decoded once, then the
// navigation starts from its empty state, the window is built and shown, and
// the event loop runs until Exit or the window is closed.
#include "imagelibrary.h"
#include "mainwindow.h"
#include "menutypeface.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>

namespace {

// Until the application object stands, Qt ends the program with abort() when
// no display can be opened. Say instead, on one line, what is wrong and end
// with status 1.
void startupMessageHandler(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtFatalMsg)
        return;
    Q_UNUSED(message)
    const char* display = std::getenv("DISPLAY");
    std::fprintf(stderr, "quelvara: no display to show the window on (DISPLAY=%s)\n", display ? display : "");
    std::_Exit(1);
}

int fail(const QString& what)
{
    QMessageBox::critical(
        nullptr, QStringLiteral("Quelvara"), QStringLiteral("Program Quelvara sa nedá spustiť.\n\n%1").arg(what));
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    const QtMessageHandler qtHandler = qInstallMessageHandler(startupMessageHandler);
    QApplication app(argc, argv);
    qInstallMessageHandler(qtHandler);
    QApplication::setApplicationName(QStringLiteral("Quelvara"));
    QApplication::setApplicationVersion(QStringLiteral("1.01"));

    QString error;
    if (!quelvara::registerMenuTypeface(&error))
        return fail(error);
    const auto images = quelvara::ImageLibrary::load(&error);
    if (!images)
        return fail(QStringLiteral("Obrázok %1").arg(error));

    quelvara::NavigationController controller;
    quelvara::MainWindow window(*images, controller);
    window.show();
    return app.exec();
}
