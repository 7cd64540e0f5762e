// Marks around the decoding of the pictures and the building of the window,
// without a line of the program changed: the linker sends the start-up's
// calls of ImageLibrary::load and of MainWindow's constructor here (see
// --wrap in CMakeLists.txt), and these call the real ones.
//
// The real functions are weak references. Should either change its
// signature, the start-up no longer calls the wrapped name, nothing here is
// reached, the program still links, and the probe reports that mark as null.
#include "startupprobe.h"

#include "imagelibrary.h"
#include "mainwindow.h"

using quelvara::ImageLibrary;
using quelvara::NavigationController;
using quelvara::bench::markStartup;
using quelvara::bench::StartupMark;

std::unique_ptr<ImageLibrary> realLoad(QString* error) __asm__("__real__ZN8quelvara12ImageLibrary4loadEP7QString")
    __attribute__((weak));
std::unique_ptr<ImageLibrary> markedLoad(QString* error) __asm__("__wrap__ZN8quelvara12ImageLibrary4loadEP7QString");

void realWindow(void* window, const ImageLibrary& images, NavigationController& controller, QWidget* parent) __asm__(
    "__real__ZN8quelvara10MainWindowC1ERKNS_12ImageLibraryERNS_20NavigationControllerEP7QWidget") __attribute__((weak));
void markedWindow(void* window, const ImageLibrary& images, NavigationController& controller, QWidget* parent) __asm__(
    "__wrap__ZN8quelvara10MainWindowC1ERKNS_12ImageLibraryERNS_20NavigationControllerEP7QWidget");

std::unique_ptr<ImageLibrary> markedLoad(QString* error)
{
    markStartup(StartupMark::DecodeStart);
    std::unique_ptr<ImageLibrary> images = realLoad(error);
    markStartup(StartupMark::DecodeEnd);
    return images;
}

void markedWindow(void* window, const ImageLibrary& images, NavigationController& controller, QWidget* parent)
{
    markStartup(StartupMark::WindowStart);
    realWindow(window, images, controller, parent);
    markStartup(StartupMark::WindowEnd);
}
