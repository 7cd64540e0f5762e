#include "presentation.h"

#include "accessibility.h"
#include "mainwindow.h"
#include "menutypeface.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

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

    installAccessibility();
    NavigationController controller;
    MainWindow window(*images, controller);
    window.show();
    return QApplication::exec();
}

} // namespace

bool installQtTranslations()
{
    auto* translator = new QTranslator(qApp);
    if (!translator->load(QLocale(QLocale::Slovak, QLocale::Slovakia), QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

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
