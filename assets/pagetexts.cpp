#include "pagetexts.h"

#include "pagesource.h"

#include <QFile>

#include <array>

namespace quelvara {

namespace {

PageText readPageText(PageId page)
{
    const QString name = QString::fromLatin1(nameOf(page).data());
    QFile file(QStringLiteral(":/pages/%1.page").arg(name));
    QString error;
    const auto source
        = file.open(QIODevice::ReadOnly) ? parsePageSource(QString::fromUtf8(file.readAll()), &error) : std::nullopt;
    // The build draws every page from these very sources, so they parse; the
    // page's name stands in should one ever not.
    if (!source)
        return { name, QString() };
    return { source->title, spokenTextOf(*source) };
}

} // namespace

const PageText& pageTextOf(PageId page)
{
    static const std::array<PageText, PageCount> texts = [] {
        std::array<PageText, PageCount> all;
        for (PageId id : AllPages)
            all[indexOf(id)] = readPageText(id);
        return all;
    }();
    return texts[indexOf(page)];
}

} // namespace quelvara
