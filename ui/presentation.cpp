#include "presentation.h"

#include "mainwindow.h"
#include "menutypeface.h"

#include <QApplication>
#include <QMessageBox>

namespace quelvara {

namespace {

int fail(const QString& what)
{
    QMessageBox::critical(
        nullptr, QStringLiteral("Quelvara"), QStringLiteral("Program Quelvara sa nedá spustiť.\n\n%1").arg(what));
    return 1;
}

int run(std::unique_ptr<ImageLibrary> images, const QString& error)
{
    if (!images)
        return fail(QStringLiteral("Obrázok %1.").arg(error));
    QString typefaceError;
    if (!registerMenuTypeface(&typefaceError))
        return fail(typefaceError);

    NavigationController controller;
    MainWindow window(*images, controller);
    window.show();
    return QApplication::exec();
}

} // namespace

int runPresentation()
{
    QString error;
    auto images = ImageLibrary::load(&error);
    return run(std::move(images), error);
}

int runPresentation(const ImageLibrary::ByteSource& pictures)
{
    QString error;
    auto images = ImageLibrary::loadFrom(pictures, &error);
    return run(std::move(images), error);
}

} // namespace quelvara
