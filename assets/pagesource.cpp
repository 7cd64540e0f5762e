#include "pagesource.h"

#include <QRegularExpression>
#include <QStringList>

namespace quelvara {

namespace {

struct StyleRule {
    QRegularExpression pattern;
    QString html;
};

const QList<StyleRule>& styleRules()
{
    static const QList<StyleRule> rules {
        { QRegularExpression(QStringLiteral("\\*\\*(.+?)\\*\\*")),
            QStringLiteral("<span style=\"color:#ffffff\">\\1</span>") },
        { QRegularExpression(QStringLiteral("__(.+?)__")), QStringLiteral("<u>\\1</u>") },
        { QRegularExpression(QStringLiteral("//(.+?)//")), QStringLiteral("<i>\\1</i>") },
    };
    return rules;
}

// Replaces every x_{...} and x^{...} through rewrite(text, isSubscript).
// Scripts go first, so the underscore of "_{" is never taken for the start
// of an underline.
template<typename Rewrite> QString rewriteScripts(const QString& text, Rewrite rewrite)
{
    static const QRegularExpression script(QStringLiteral("([_^])\\{([^}]*)\\}"));
    QString result;
    qsizetype last = 0;
    for (const QRegularExpressionMatch& match : script.globalMatch(text)) {
        result += text.mid(last, match.capturedStart() - last);
        result += rewrite(match.captured(2), match.captured(1) == u"_");
        last = match.capturedEnd();
    }
    return result + text.mid(last);
}

// Sub- and superscripts in plain text: digits and signs as their Unicode
// forms (F₁, m⁻²), anything else after an underscore or caret (F_vz).
QString plainScript(const QString& text, bool subscript)
{
    static const QString plain = QStringLiteral("0123456789-\u2212+");
    static const QString lowered
        = QStringLiteral("\u2080\u2081\u2082\u2083\u2084\u2085\u2086\u2087\u2088\u2089\u208B\u208B\u208A");
    static const QString raised
        = QStringLiteral("\u2070\u00B9\u00B2\u00B3\u2074\u2075\u2076\u2077\u2078\u2079\u207B\u207B\u207A");
    QString result;
    for (QChar c : text) {
        const qsizetype at = plain.indexOf(c);
        if (at < 0)
            return (subscript ? QStringLiteral("_") : QStringLiteral("^")) + text;
        result += (subscript ? lowered : raised)[at];
    }
    return result;
}

std::optional<PageBlock> parseHeader(const QString& header, QString* what)
{
    const QStringList words = header.mid(1, header.size() - 2).split(u' ', Qt::SkipEmptyParts);
    PageBlock block;
    QList<int> numbers;
    for (qsizetype i = 1; i < words.size(); ++i) {
        if (words[i].startsWith(QStringLiteral("size="))) {
            bool ok = false;
            block.fontPixels = words[i].mid(5).toInt(&ok);
            if (!ok || block.fontPixels < 12) {
                *what = QStringLiteral("\"%1\": text is never smaller than 12 px").arg(words[i]);
                return std::nullopt;
            }
            continue;
        }
        if (block.drawing.isEmpty() && words[0] == u"image" && i == 1) {
            block.drawing = words[i];
            continue;
        }
        bool ok = false;
        numbers.append(words[i].toInt(&ok));
        if (!ok) {
            *what = QStringLiteral("\"%1\" is not a whole number").arg(words[i]);
            return std::nullopt;
        }
    }
    if (!words.isEmpty() && words[0] == u"text" && numbers.size() == 3) {
        block.kind = PageBlock::Kind::Text;
        block.rect = QRect(numbers[0], numbers[1], numbers[2], 0);
        return block;
    }
    if (!words.isEmpty() && words[0] == u"image" && numbers.size() == 4 && !block.drawing.isEmpty()) {
        block.kind = PageBlock::Kind::Image;
        block.rect = QRect(numbers[0], numbers[1], numbers[2], numbers[3]);
        return block;
    }
    *what = QStringLiteral("\"%1\" is neither [text X Y WIDTH] nor [image NAME X Y W H]").arg(header);
    return std::nullopt;
}

PageParagraph paragraphFrom(const QStringList& lines)
{
    PageParagraph paragraph;
    QString text = lines.join(u' ').simplified();
    if (text.startsWith(QStringLiteral("[[")) && text.endsWith(QStringLiteral("]]"))) {
        paragraph.kind = PageParagraph::Kind::Formula;
        paragraph.centred = true;
        text = text.mid(2, text.size() - 4).trimmed();
    } else if (text.startsWith(QStringLiteral(">>"))) {
        paragraph.centred = true;
        text = text.mid(2).trimmed();
    }
    paragraph.markup = text;
    return paragraph;
}

} // namespace

std::optional<PageSource> parsePageSource(const QString& text, QString* error)
{
    PageSource page;
    QStringList pending;
    auto flush = [&] {
        if (!pending.isEmpty() && !page.blocks.isEmpty())
            page.blocks.last().paragraphs.append(paragraphFrom(pending));
        pending.clear();
    };

    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.startsWith(u'#'))
            continue;
        if (line.isEmpty()) {
            flush();
            continue;
        }
        if (line.startsWith(QStringLiteral("[title ")) && line.endsWith(u']')) {
            page.title = line.mid(7, line.size() - 8).trimmed();
            continue;
        }
        if (line.startsWith(u'[') && line.endsWith(u']') && !line.startsWith(QStringLiteral("[["))) {
            flush();
            QString what;
            const auto block = parseHeader(line, &what);
            if (!block) {
                *error = QStringLiteral("line %1: %2").arg(i + 1).arg(what);
                return std::nullopt;
            }
            page.blocks.append(*block);
            continue;
        }
        if (page.blocks.isEmpty() || page.blocks.last().kind != PageBlock::Kind::Text) {
            *error = QStringLiteral("line %1: text outside a [text ...] block").arg(i + 1);
            return std::nullopt;
        }
        pending.append(line);
    }
    flush();

    for (PageBlock& block : page.blocks) {
        if (block.kind == PageBlock::Kind::Text && !block.paragraphs.isEmpty()) {
            block.paragraphs.first().indented = !block.paragraphs.first().centred;
            break;
        }
    }
    if (page.blocks.isEmpty()) {
        *error = QStringLiteral("the page has no blocks");
        return std::nullopt;
    }
    if (page.title.isEmpty()) {
        *error = QStringLiteral("the page has no [title ...]");
        return std::nullopt;
    }
    return page;
}

QString markupToHtml(const QString& markup)
{
    QString html = rewriteScripts(markup.toHtmlEscaped(), [](const QString& text, bool subscript) {
        return subscript ? QStringLiteral("<sub>%1</sub>").arg(text) : QStringLiteral("<sup>%1</sup>").arg(text);
    });
    for (const StyleRule& rule : styleRules())
        html.replace(rule.pattern, rule.html);
    // A one-letter preposition or conjunction never ends a line.
    static const QRegularExpression oneLetterWord(QStringLiteral("(^|\\s)([aikosuvzAIKOSUVZ]) "));
    html.replace(oneLetterWord, QStringLiteral("\\1\\2~"));
    html.replace(u'~', QChar(0x00A0));
    return html;
}

QString markupToPlainText(const QString& markup)
{
    QString plain = rewriteScripts(markup, plainScript);
    for (const StyleRule& rule : styleRules())
        plain.replace(rule.pattern, QStringLiteral("\\1"));
    plain.replace(u'~', QChar(0x00A0));
    return plain;
}

QString plainTextOf(const PageSource& page)
{
    QStringList paragraphs;
    for (const PageBlock& block : page.blocks) {
        for (const PageParagraph& paragraph : block.paragraphs)
            paragraphs.append(markupToPlainText(paragraph.markup));
    }
    return paragraphs.join(u'\n');
}

namespace {

QString spokenNumber(const QString& digits)
{
    static const QStringList words { QStringLiteral("nula"), QStringLiteral("jedna"), QStringLiteral("dva"),
        QStringLiteral("tri"), QStringLiteral("štyri"), QStringLiteral("päť"), QStringLiteral("šesť"),
        QStringLiteral("sedem"), QStringLiteral("osem"), QStringLiteral("deväť") };
    bool ok = false;
    const int value = digits.toInt(&ok);
    return ok && value >= 0 && value < 10 ? words[value] : digits;
}

// Powers as Slovak reads them: m^{−2} is "meter na mínus druhú".
QString spokenPower(const QString& exponent)
{
    static const QStringList ordinals { QString(), QStringLiteral("prvú"), QStringLiteral("druhú"),
        QStringLiteral("tretiu") };
    QString text = exponent;
    const bool negative = text.startsWith(QChar(0x2212)) || text.startsWith(u'-');
    if (negative)
        text = text.mid(1);
    bool ok = false;
    const int value = text.toInt(&ok);
    const QString power = ok && value > 0 && value < ordinals.size() ? ordinals[value] : text;
    return QStringLiteral(" na ") + (negative ? QStringLiteral("mínus ") : QString()) + power;
}

QString spokenParagraph(const PageParagraph& paragraph)
{
    QString text = rewriteScripts(paragraph.markup, [](const QString& script, bool subscript) {
        return subscript ? QString(QStringLiteral(" index ") + spokenNumber(script) + u' ')
                         : QString(spokenPower(script) + u' ');
    });
    for (const StyleRule& rule : styleRules())
        text.replace(rule.pattern, QStringLiteral("\\1"));
    text.replace(u'~', u' ');

    // Symbols a voice would skip or misread, as words.
    static const QList<std::pair<QString, QString>> symbols {
        { QStringLiteral("[Pa]"), QStringLiteral("jednotka pascal") },
        { QStringLiteral("\u00B7"), QStringLiteral(" krát ") },
        { QStringLiteral("="), QStringLiteral(" sa rovná ") },
        { QStringLiteral("/"), QStringLiteral(" lomeno ") },
        { QStringLiteral("\u2212"), QStringLiteral(" mínus ") },
        { QStringLiteral("\u03C1"), QStringLiteral("ró") },
    };
    for (const auto& [symbol, words] : symbols)
        text.replace(symbol, words);
    if (paragraph.kind == PageParagraph::Kind::Formula) {
        // Unit symbols stand alone only in formulas.
        static const QRegularExpression newton(
            QStringLiteral("\\bN\\b"), QRegularExpression::UseUnicodePropertiesOption);
        static const QRegularExpression metre(
            QStringLiteral("\\bm\\b"), QRegularExpression::UseUnicodePropertiesOption);
        text.replace(newton, QStringLiteral("newton"));
        text.replace(metre, QStringLiteral("meter"));
    }
    static const QRegularExpression spaceBeforePunctuation(QStringLiteral(" +([,.;:])"));
    return text.simplified().replace(spaceBeforePunctuation, QStringLiteral("\\1"));
}

} // namespace

QString spokenTextOf(const PageSource& page)
{
    QStringList paragraphs;
    for (const PageBlock& block : page.blocks) {
        for (const PageParagraph& paragraph : block.paragraphs)
            paragraphs.append(spokenParagraph(paragraph));
    }
    return paragraphs.join(u'\n');
}

} // namespace quelvara
