#include "menutypeface.h"

#include "windowlayout.h"

#include <QFontDatabase>
#include <QStringList>

namespace quelvara {

namespace {

const QString BuiltInFace = QStringLiteral(":/fonts/Play-Bold.ttf");

// The stand-in is a little wider than the designed face; tightening its
// letters by half a pixel keeps every caption on one line in its label.
constexpr qreal Tracking = -0.5;

QString designedFamily()
{
    return QString::fromLatin1(layout::MenuFont.family.data(), qsizetype(layout::MenuFont.family.size()));
}

} // namespace

bool registerMenuTypeface(QString* error)
{
    const int id = QFontDatabase::addApplicationFont(BuiltInFace);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (id < 0 || families.isEmpty()) {
        *error = QStringLiteral("písmo ponuky (%1) sa nedá načítať").arg(BuiltInFace);
        return false;
    }
    QFont::insertSubstitution(designedFamily(), families.first());
    return true;
}

QFont menuFont(int pointSize)
{
    QFont font(designedFamily());
    font.setPointSize(pointSize);
    font.setWeight(QFont::Weight(layout::MenuFont.weight));
    font.setUnderline(layout::MenuFont.underline);
    font.setItalic(layout::MenuFont.italic);
    font.setLetterSpacing(QFont::AbsoluteSpacing, Tracking);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

} // namespace quelvara
