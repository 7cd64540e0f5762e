// The start-up baseline: an empty Qt window of the presentation's size,
// shown and ended by the same probe.
#include "startupprobe.h"

#include <QApplication>
#include <QWidget>

using quelvara::bench::markStartup;
using quelvara::bench::StartupMark;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    markStartup(StartupMark::WindowStart);
    QWidget window;
    window.resize(614, 330);
    markStartup(StartupMark::WindowEnd);
    window.show();
    return QApplication::exec();
}
