// The text sources of the ten pages.
//
// A page source is UTF-8 text made of blocks. Each block starts with a header
// line in square brackets:
//   [title TITLE]              the page's name, as a screen reader says it
//   [text X Y WIDTH size=PX]   text flowing in a column WIDTH pixels wide from
//                              (X, Y) of the 405 × 253 page; size is optional
//   [image NAME X Y W H]       the drawing NAME.svg scaled into that rectangle
// Lines starting with '#' are comments. Inside a text block, blank lines
// separate paragraphs; a paragraph whose first line starts with ">>" is
// centred, and one written as "[[ formula ]]" is a formula, drawn white in a
// thin white frame. The first paragraph of a page has its first line
// indented. Inline markup: **white**, __underlined__, //italic//, x_{sub},
// x^{sup}, and '~' for a non-breaking space.
#pragma once

#include <QList>
#include <QRect>
#include <QString>

#include <optional>

namespace quelvara {

struct PageParagraph {
    enum class Kind { Text, Formula };
    Kind kind { Kind::Text };
    QString markup; // the paragraph's lines joined by single spaces
    bool centred { false };
    bool indented { false };
};

struct PageBlock {
    enum class Kind { Text, Image };
    Kind kind { Kind::Text };
    QRect rect; // text blocks: height 0, the text decides it
    int fontPixels { 14 };
    QString drawing; // image blocks: name of the drawing without ".svg"
    QList<PageParagraph> paragraphs;
};

struct PageSource {
    QString title;
    QList<PageBlock> blocks;
};

// Parses a page source. On failure returns nothing and sets error to
// "line N: what is wrong".
std::optional<PageSource> parsePageSource(const QString& text, QString* error);

// Inline markup of one paragraph as Qt rich text (HTML), and as plain text
// with the markup taken out (sub- and superscripts as plain letters).
QString markupToHtml(const QString& markup);
QString markupToPlainText(const QString& markup);

// The whole readable text of a page, paragraphs separated by newlines.
QString plainTextOf(const PageSource& page);

// The page's text as speech should read it: symbols and formulas spelled
// out in Slovak words (F_{vz} = V·ρ·g: "F index vz sa rovná V krát ró krát
// g"), paragraphs separated by newlines.
QString spokenTextOf(const PageSource& page);

} // namespace quelvara
