#include "colourresolver.h"

#include <QTest>

using namespace quelvara;

class TestColourResolver : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void resolve_data();
    void resolve();
};

void TestColourResolver::resolve_data()
{
    QTest::addColumn<quint32>("word");
    QTest::addColumn<QColor>("colour");
    QTest::addRow("red") << quint32(0x000000FF) << QColor(255, 0, 0);
    QTest::addRow("black") << quint32(0x00000000) << QColor(0, 0, 0);
    QTest::addRow("bytes are blue, green, red") << quint32(0x00112233) << QColor(0x33, 0x22, 0x11);
    QTest::addRow("white") << quint32(0x00FFFFFF) << QColor(255, 255, 255);
    QTest::addRow("desktop falls back to teal") << quint32(0x80000001) << QColor(0x00, 0x80, 0x80);
    QTest::addRow("highlight text from the palette") << quint32(0x8000000E) << QColor(0x12, 0x34, 0x56);
    QTest::addRow("button text from the palette") << quint32(0x80000012) << QColor(0x65, 0x43, 0x21);
    QTest::addRow("an index the program never uses") << quint32(0x80000005) << QColor(0, 0, 0);
}

void TestColourResolver::resolve()
{
    QFETCH(quint32, word);
    QFETCH(QColor, colour);
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::HighlightedText, QColor(0x12, 0x34, 0x56));
    palette.setColor(QPalette::Active, QPalette::ButtonText, QColor(0x65, 0x43, 0x21));
    QCOMPARE(resolveColour(word, palette), colour);
}

QTEST_GUILESS_MAIN(TestColourResolver)
#include "tst_colourresolver.moc"
