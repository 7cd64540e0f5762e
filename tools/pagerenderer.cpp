#include "pagerenderer.h"

#include "pagegeometry.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace quelvara::tools {

namespace {

const QColor BodyGreen(0x00, 0x80, 0x00);
constexpr int ParagraphSpacing = 4;
constexpr int FormulaPaddingX = 6;
constexpr int FormulaPaddingY = 2;
constexpr int FormulaMargin = 3;

QFont pageFont(const PageStyle& style, int pixels)
{
    QFont font(style.fontFamily);
    font.setPixelSize(pixels * style.scale);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

void prepareDocument(QTextDocument& document, const PageParagraph& paragraph, const QFont& font, int indent)
{
    document.setDocumentMargin(0);
    document.setDefaultFont(font);
    const QString colour
        = paragraph.kind == PageParagraph::Kind::Formula ? QStringLiteral("#ffffff") : QStringLiteral("#008000");
    document.setHtml(QStringLiteral("<div style=\"color:%1\">%2</div>").arg(colour, markupToHtml(paragraph.markup)));
    QTextCursor cursor(&document);
    cursor.select(QTextCursor::Document);
    QTextBlockFormat format;
    format.setAlignment(paragraph.centred ? Qt::AlignHCenter : Qt::AlignLeft);
    format.setTextIndent(paragraph.indented ? indent : 0);
    cursor.mergeBlockFormat(format);
}

// Draws one text block's paragraphs top to bottom and returns where the
// block ends.
int drawTextBlock(QPainter& painter, const PageBlock& block, const PageStyle& style)
{
    const int scale = style.scale;
    const QFont font = pageFont(style, block.fontPixels);
    const int width = block.rect.width() * scale;
    int y = block.rect.y() * scale;
    bool first = true;
    for (const PageParagraph& paragraph : block.paragraphs) {
        if (!first)
            y += ParagraphSpacing * scale;
        first = false;

        QTextDocument document;
        prepareDocument(document, paragraph, font, 3 * block.fontPixels * scale / 2);
        if (paragraph.kind == PageParagraph::Kind::Formula) {
            // A formula keeps to one line when it fits; a long statement wraps
            // inside its frame.
            const int innerWidth = width - 2 * FormulaPaddingX * scale;
            document.setTextWidth(-1);
            if (document.idealWidth() > innerWidth)
                document.setTextWidth(innerWidth);
            const QSizeF size = document.size();
            const int boxWidth = int(std::ceil(size.width())) + 2 * FormulaPaddingX * scale;
            const int boxHeight = int(std::ceil(size.height())) + 2 * FormulaPaddingY * scale;
            y += FormulaMargin * scale;
            const int left = block.rect.x() * scale + (width - boxWidth) / 2;
            painter.save();
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.setPen(QPen(Qt::white, scale, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
            painter.setBrush(Qt::NoBrush);
            const qreal half = scale / 2.0;
            painter.drawRect(QRectF(left + half, y + half, boxWidth - scale, boxHeight - scale));
            painter.translate(left + FormulaPaddingX * scale, y + FormulaPaddingY * scale);
            document.drawContents(&painter);
            painter.restore();
            y += boxHeight + FormulaMargin * scale;
        } else {
            document.setTextWidth(width);
            painter.save();
            painter.translate(block.rect.x() * scale, y);
            document.drawContents(&painter);
            painter.restore();
            y += int(std::ceil(document.size().height()));
        }
    }
    return y;
}

} // namespace

QImage renderPage(
    const PageSource& page, const QHash<QString, QByteArray>& drawings, const PageStyle& style, QString* error)
{
    const int scale = style.scale;
    QImage image(PageWidth * scale, PageHeight * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    for (const PageBlock& block : page.blocks) {
        if (block.kind == PageBlock::Kind::Image) {
            const auto svg = drawings.constFind(block.drawing);
            if (svg == drawings.constEnd()) {
                *error = QStringLiteral("there is no drawing \"%1\"").arg(block.drawing);
                return {};
            }
            QSvgRenderer renderer(*svg);
            if (!renderer.isValid()) {
                *error = QStringLiteral("the drawing \"%1\" is not valid SVG").arg(block.drawing);
                return {};
            }
            renderer.setAspectRatioMode(Qt::KeepAspectRatio);
            const QRect r = block.rect;
            renderer.render(&painter, QRectF(r.x() * scale, r.y() * scale, r.width() * scale, r.height() * scale));
        } else {
            const int bottom = drawTextBlock(painter, block, style);
            if (bottom > PageHeight * scale) {
                *error = QStringLiteral("the text block at (%1, %2) runs %3 px below the page")
                             .arg(block.rect.x())
                             .arg(block.rect.y())
                             .arg((bottom - PageHeight * scale) / scale);
                return {};
            }
        }
    }
    painter.end();
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace quelvara::tools
