#include "tables.h"

#include <QTest>

#include <set>

using namespace quelvara;

Q_DECLARE_METATYPE(ArrowSet)

class TestTables : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void arrowSets_data();
    void arrowSets();
    void entries_data();
    void entries();
    void arrows_data();
    void arrows();
    void chaptersAreLinkedAndDisjoint();
    void namesRoundTrip();
    void otherNamesAreNotFound_data();
    void otherNamesAreNotFound();
};

void TestTables::arrowSets_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<ArrowSet>("arrows");
    using enum ArrowId;
    QTest::addRow("Vlas has none") << "Vlas" << ArrowSet {};
    QTest::addRow("Hd has none") << "Hd" << ArrowSet {};
    QTest::addRow("Tk1") << "Tk1" << ArrowSet { I1 };
    QTest::addRow("Tk2") << "Tk2" << ArrowSet { I2, I3 };
    QTest::addRow("Tk3") << "Tk3" << ArrowSet { I4 };
    QTest::addRow("Az1") << "Az1" << ArrowSet { I5 };
    QTest::addRow("Az2") << "Az2" << ArrowSet { I6, I7 };
    QTest::addRow("Az3") << "Az3" << ArrowSet { I8 };
    QTest::addRow("Apl has none") << "Apl" << ArrowSet {};
    QTest::addRow("ab has none") << "ab" << ArrowSet {};
}

void TestTables::arrowSets()
{
    QFETCH(QString, page);
    QFETCH(ArrowSet, arrows);
    const auto id = pageNamed(page.toStdString());
    QVERIFY(id);
    QVERIFY(arrowSetOf(*id) == arrows);
}

// Captions are compared with their UTF-8 bytes written out, so a source file
// saved in another encoding cannot slip through.
void TestTables::entries_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QByteArray>("captionUtf8");
    QTest::addColumn<QString>("opens");
    QTest::addRow("Label1") << "Label1" << QByteArray("Vlastnosti kvapal\xc3\xadn") << "Vlas";
    QTest::addRow("Label2") << "Label2" << QByteArray("Quelvara") << "Hd";
    QTest::addRow("Label3") << "Label3" << QByteArray("Tlak v kvapaline") << "Tk1";
    QTest::addRow("Label4") << "Label4" << QByteArray("Archimedov z\xc3\xa1kon") << "Az1";
    QTest::addRow("Label5") << "Label5" << QByteArray("About ...") << "ab";
    QTest::addRow("Label6 ends the program") << "Label6" << QByteArray("Exit") << "";
    QTest::addRow("Label7") << "Label7"
                            << QByteArray("Aplik\xc3\xa1"
                                          "cia Quelvara...")
                            << "Apl";
}

void TestTables::entries()
{
    QFETCH(QString, entry);
    QFETCH(QByteArray, captionUtf8);
    QFETCH(QString, opens);

    const auto id = entryNamed(entry.toStdString());
    QVERIFY(id);
    const std::string_view caption = captionOf(*id);
    QCOMPARE(QByteArray(caption.data(), qsizetype(caption.size())), captionUtf8);

    const EntryAction action = actionOf(*id);
    if (opens.isEmpty()) {
        QVERIFY(std::holds_alternative<EndRequest>(action));
    } else {
        QVERIFY(std::holds_alternative<PageId>(action));
        QCOMPARE(nameOf(std::get<PageId>(action)), opens.toStdString());
    }
}

void TestTables::arrows_data()
{
    QTest::addColumn<QString>("arrow");
    QTest::addColumn<Side>("side");
    QTest::addColumn<QString>("visibleOn");
    QTest::addColumn<QString>("leadsTo");
    QTest::addRow("I1") << "I1" << Side::Right << "Tk1"
                        << "Tk2";
    QTest::addRow("I2") << "I2" << Side::Right << "Tk2"
                        << "Tk3";
    QTest::addRow("I3") << "I3" << Side::Left << "Tk2"
                        << "Tk1";
    QTest::addRow("I4") << "I4" << Side::Left << "Tk3"
                        << "Tk2";
    QTest::addRow("I5") << "I5" << Side::Right << "Az1"
                        << "Az2";
    QTest::addRow("I6") << "I6" << Side::Right << "Az2"
                        << "Az3";
    QTest::addRow("I7") << "I7" << Side::Left << "Az2"
                        << "Az1";
    QTest::addRow("I8") << "I8" << Side::Left << "Az3"
                        << "Az2";
}

void TestTables::arrows()
{
    QFETCH(QString, arrow);
    QFETCH(Side, side);
    QFETCH(QString, visibleOn);
    QFETCH(QString, leadsTo);
    const auto id = arrowNamed(arrow.toStdString());
    QVERIFY(id);
    QCOMPARE(sideOf(*id), side);
    QCOMPARE(pictureOf(*id), side == Side::Right ? HandPicture::PointingRight : HandPicture::PointingLeft);
    QCOMPARE(nameOf(arrowRow(*id).visibleOn), visibleOn.toStdString());
    QCOMPARE(nameOf(targetOf(*id)), leadsTo.toStdString());
}

// Starting from each page an entry opens, the arrows reach exactly the pages
// of that chapter, and no arrow serves two chapters.
void TestTables::chaptersAreLinkedAndDisjoint()
{
    std::set<ArrowId> arrowsSeen;
    std::set<PageId> pagesSeen;
    for (const PageRow& first : PageTable) {
        if (!first.openedBy)
            continue;
        std::set<PageId> chapter { first.page };
        std::vector<PageId> toVisit { first.page };
        while (!toVisit.empty()) {
            const PageId page = toVisit.back();
            toVisit.pop_back();
            for (ArrowId arrow : AllArrows) {
                if (!arrowSetOf(page).contains(arrow))
                    continue;
                QVERIFY2(arrowsSeen.insert(arrow).second, nameOf(arrow).data());
                if (chapter.insert(targetOf(arrow)).second)
                    toVisit.push_back(targetOf(arrow));
            }
        }
        QCOMPARE(int(chapter.size()), first.chapterLength);
        for (PageId page : chapter) {
            QCOMPARE(pageRow(page).chapterLength, first.chapterLength);
            QVERIFY2(pagesSeen.insert(page).second, nameOf(page).data());
        }
    }
    QCOMPARE(pagesSeen.size(), PageCount);
    QCOMPARE(arrowsSeen.size(), ArrowCount);
}

void TestTables::namesRoundTrip()
{
    for (PageId page : AllPages)
        QCOMPARE(pageNamed(nameOf(page)), std::optional(page));
    for (EntryId entry : AllEntries)
        QCOMPARE(entryNamed(nameOf(entry)), std::optional(entry));
    for (ArrowId arrow : AllArrows)
        QCOMPARE(arrowNamed(nameOf(arrow)), std::optional(arrow));
}

void TestTables::otherNamesAreNotFound_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name :
        { "", "Picture1", "Line3", "label3", "LABEL1", "Label0", "Label8", "I9", "i1", "tk1", "AB", "Vlas ", "Image4" })
        QTest::addRow("\"%s\"", name) << QString::fromLatin1(name);
}

void TestTables::otherNamesAreNotFound()
{
    QFETCH(QString, name);
    const std::string text = name.toStdString();
    QVERIFY(!pageNamed(text));
    QVERIFY(!entryNamed(text));
    QVERIFY(!arrowNamed(text));
}

QTEST_APPLESS_MAIN(TestTables)
#include "tst_tables.moc"
