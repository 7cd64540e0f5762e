#include "navigation.h"
#include "tables.h"

#include <QTest>

#include <random>

using namespace quelvara;

Q_DECLARE_METATYPE(std::optional<PageId>)
Q_DECLARE_METATYPE(std::optional<EntryId>)
Q_DECLARE_METATYPE(ArrowSet)

namespace {

// Drives the controller by control names, as the window does, and fails the
// test if any name is not handled.
void clickAll(NavigationController& controller, const QStringList& names)
{
    for (const QString& name : names)
        QVERIFY2(controller.click(name.toStdString()) != ClickOutcome::NothingHandled, qPrintable(name));
}

QByteArray describe(const ViewState& state)
{
    QByteArray text = "page " + QByteArray(state.page ? nameOf(*state.page).data() : "none") + ", arrows {";
    for (ArrowId arrow : AllArrows) {
        if (state.isVisible(arrow))
            text += ' ' + QByteArray(nameOf(arrow).data());
    }
    text += " }, selected " + QByteArray(state.selectedEntry ? nameOf(*state.selectedEntry).data() : "none");
    return text;
}

void compareState(const ViewState& actual, std::optional<PageId> page, ArrowSet arrows, std::optional<EntryId> selected)
{
    ViewState expected;
    expected.page = page;
    for (ArrowId arrow : AllArrows)
        expected.arrows[indexOf(arrow)] = arrows.contains(arrow);
    expected.selectedEntry = selected;
    QCOMPARE(describe(actual), describe(expected));
}

// The entry that opens the chapter a page belongs to: back arrows lead from
// any page of a chapter to its first page, which an entry opens.
std::optional<EntryId> chapterEntryOf(PageId page)
{
    while (pageRow(page).placeInChapter > 1) {
        for (ArrowId arrow : AllArrows) {
            if (arrowSetOf(page).contains(arrow) && sideOf(arrow) == Side::Left) {
                page = targetOf(arrow);
                break;
            }
        }
    }
    return pageRow(page).openedBy;
}

} // namespace

class TestNavigation : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startState();
    void transitions_data();
    void transitions();
    void edgeCases_data();
    void edgeCases();
    void pressureChapterWalk();
    void exitEndsFromEveryState_data();
    void exitEndsFromEveryState();
    void namedOperationsMatchDispatcher_data();
    void namedOperationsMatchDispatcher();
    void unknownNamesChangeNothing_data();
    void unknownNamesChangeNothing();
    void entryStyles();
    void seededRandomWalk();
};

void TestNavigation::startState()
{
    NavigationController controller;
    compareState(controller.state(), std::nullopt, {}, std::nullopt);
    for (EntryId entry : AllEntries)
        QCOMPARE(controller.state().styleOf(entry), NormalStyle);
}

// The whole transition table: each row starts from a state in which the
// clicked control can be clicked.
void TestNavigation::transitions_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("click");
    QTest::addColumn<std::optional<PageId>>("page");
    QTest::addColumn<ArrowSet>("arrows");
    QTest::addColumn<std::optional<EntryId>>("selected");

    using enum PageId;
    using enum EntryId;
    using enum ArrowId;
    using Pages = std::optional<PageId>;
    using Entries = std::optional<EntryId>;

    QTest::addRow("Label1 opens Vlas") << QStringList {} << "Label1" << Pages(Vlas) << ArrowSet {} << Entries(Label1);
    QTest::addRow("Label2 opens Hd") << QStringList {} << "Label2" << Pages(Hd) << ArrowSet {} << Entries(Label2);
    QTest::addRow("Label3 opens Tk1") << QStringList {} << "Label3" << Pages(Tk1) << ArrowSet { I1 } << Entries(Label3);
    QTest::addRow("Label4 opens Az1") << QStringList {} << "Label4" << Pages(Az1) << ArrowSet { I5 } << Entries(Label4);
    QTest::addRow("Label5 opens ab") << QStringList {} << "Label5" << Pages(ab) << ArrowSet {} << Entries(Label5);
    QTest::addRow("Label7 opens Apl") << QStringList {} << "Label7" << Pages(Apl) << ArrowSet {} << Entries(Label7);
    QTest::addRow("Label1 from Az2 hides its arrows")
        << QStringList { "Label4", "I5" } << "Label1" << Pages(Vlas) << ArrowSet {} << Entries(Label1);
    QTest::addRow("I1 on Tk1 leads to Tk2")
        << QStringList { "Label3" } << "I1" << Pages(Tk2) << ArrowSet { I2, I3 } << Entries(Label3);
    QTest::addRow("I2 on Tk2 leads to Tk3")
        << QStringList { "Label3", "I1" } << "I2" << Pages(Tk3) << ArrowSet { I4 } << Entries(Label3);
    QTest::addRow("I3 on Tk2 leads to Tk1")
        << QStringList { "Label3", "I1" } << "I3" << Pages(Tk1) << ArrowSet { I1 } << Entries(Label3);
    QTest::addRow("I4 on Tk3 leads to Tk2")
        << QStringList { "Label3", "I1", "I2" } << "I4" << Pages(Tk2) << ArrowSet { I2, I3 } << Entries(Label3);
    QTest::addRow("I5 on Az1 leads to Az2")
        << QStringList { "Label4" } << "I5" << Pages(Az2) << ArrowSet { I6, I7 } << Entries(Label4);
    QTest::addRow("I6 on Az2 leads to Az3")
        << QStringList { "Label4", "I5" } << "I6" << Pages(Az3) << ArrowSet { I8 } << Entries(Label4);
    QTest::addRow("I7 on Az2 leads to Az1")
        << QStringList { "Label4", "I5" } << "I7" << Pages(Az1) << ArrowSet { I5 } << Entries(Label4);
    QTest::addRow("I8 on Az3 leads to Az2")
        << QStringList { "Label4", "I5", "I6" } << "I8" << Pages(Az2) << ArrowSet { I6, I7 } << Entries(Label4);
}

void TestNavigation::transitions()
{
    QFETCH(QStringList, before);
    QFETCH(QString, click);
    QFETCH(std::optional<PageId>, page);
    QFETCH(ArrowSet, arrows);
    QFETCH(std::optional<EntryId>, selected);

    NavigationController controller;
    clickAll(controller, before);
    if (const auto arrow = arrowNamed(click.toStdString()))
        QVERIFY2(controller.state().isVisible(*arrow), "the clicked arrow must be visible before the click");
    const ClickOutcome outcome = controller.click(click.toStdString());
    QCOMPARE(outcome, click.startsWith(u'I') ? ClickOutcome::ArrowFollowed : ClickOutcome::EntryChosen);
    compareState(controller.state(), page, arrows, selected);
}

void TestNavigation::edgeCases_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<std::optional<PageId>>("page");
    QTest::addColumn<ArrowSet>("arrows");
    QTest::addColumn<std::optional<EntryId>>("selected");

    using enum PageId;
    using enum EntryId;
    using enum ArrowId;
    using Pages = std::optional<PageId>;
    using Entries = std::optional<EntryId>;

    QTest::addRow("Label3 on Tk3 restarts the pressure chapter")
        << QStringList { "Label3", "I1", "I2", "Label3" } << Pages(Tk1) << ArrowSet { I1 } << Entries(Label3);
    QTest::addRow("Label4 on Az2 restarts the Archimedes chapter")
        << QStringList { "Label4", "I5", "Label4" } << Pages(Az1) << ArrowSet { I5 } << Entries(Label4);
    QTest::addRow("the same entry twice")
        << QStringList { "Label2", "Label2" } << Pages(Hd) << ArrowSet {} << Entries(Label2);
    QTest::addRow("Label7 then Label1 moves the selection")
        << QStringList { "Label7", "Label1" } << Pages(Vlas) << ArrowSet {} << Entries(Label1);
    QTest::addRow("Label2 after Az3 hides I8")
        << QStringList { "Label4", "I5", "I6", "Label2" } << Pages(Hd) << ArrowSet {} << Entries(Label2);
    QTest::addRow("Tk2 reached from the right shows both arrows")
        << QStringList { "Label3", "I1", "I2", "I4" } << Pages(Tk2) << ArrowSet { I2, I3 } << Entries(Label3);
    QTest::addRow("Az2 reached from the right shows both arrows")
        << QStringList { "Label4", "I5", "I6", "I8" } << Pages(Az2) << ArrowSet { I6, I7 } << Entries(Label4);
    QTest::addRow("another chapter's entry switches chapters")
        << QStringList { "Label3", "I1", "Label4" } << Pages(Az1) << ArrowSet { I5 } << Entries(Label4);
}

void TestNavigation::edgeCases()
{
    QFETCH(QStringList, clicks);
    QFETCH(std::optional<PageId>, page);
    QFETCH(ArrowSet, arrows);
    QFETCH(std::optional<EntryId>, selected);

    NavigationController controller;
    clickAll(controller, clicks);
    compareState(controller.state(), page, arrows, selected);
}

void TestNavigation::pressureChapterWalk()
{
    NavigationController controller;
    const QStringList clicks { "Label3", "I1", "I2", "I4", "I3" };
    const std::array pages { PageId::Tk1, PageId::Tk2, PageId::Tk3, PageId::Tk2, PageId::Tk1 };
    for (qsizetype i = 0; i < clicks.size(); ++i) {
        QVERIFY(controller.click(clicks[i].toStdString()) != ClickOutcome::NothingHandled);
        QCOMPARE(controller.state().page, std::optional(pages[static_cast<std::size_t>(i)]));
        QCOMPARE(controller.state().selectedEntry, std::optional(EntryId::Label3));
    }
}

void TestNavigation::exitEndsFromEveryState_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addRow("start state") << QStringList {};
    QTest::addRow("Vlas") << QStringList { "Label1" };
    QTest::addRow("Hd") << QStringList { "Label2" };
    QTest::addRow("Tk1") << QStringList { "Label3" };
    QTest::addRow("Tk2") << QStringList { "Label3", "I1" };
    QTest::addRow("Tk3") << QStringList { "Label3", "I1", "I2" };
    QTest::addRow("Az1") << QStringList { "Label4" };
    QTest::addRow("Az2") << QStringList { "Label4", "I5" };
    QTest::addRow("Az3") << QStringList { "Label4", "I5", "I6" };
    QTest::addRow("Apl") << QStringList { "Label7" };
    QTest::addRow("ab") << QStringList { "Label5" };
}

// Exit asks to end the program and shows nothing: the state stays as it was.
void TestNavigation::exitEndsFromEveryState()
{
    QFETCH(QStringList, before);
    NavigationController controller;
    clickAll(controller, before);
    const ViewState beforeExit = controller.state();

    QCOMPARE(controller.click("Label6"), ClickOutcome::EndRequested);
    QCOMPARE(controller.state(), beforeExit);
    [[maybe_unused]] const EndRequest request = controller.Label6_Click();
    QCOMPARE(controller.state(), beforeExit);
}

void TestNavigation::namedOperationsMatchDispatcher_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("name");
    QTest::addColumn<quintptr>("operationIndex");

    // Each named operation, with a state in which its control is reachable.
    const std::array<std::pair<const char*, QStringList>, 14> rows { {
        { "Label1", {} },
        { "Label2", {} },
        { "Label3", {} },
        { "Label4", {} },
        { "Label5", {} },
        { "Label7", {} },
        { "I1", { "Label3" } },
        { "I2", { "Label3", "I1" } },
        { "I3", { "Label3", "I1" } },
        { "I4", { "Label3", "I1", "I2" } },
        { "I5", { "Label4" } },
        { "I6", { "Label4", "I5" } },
        { "I7", { "Label4", "I5" } },
        { "I8", { "Label4", "I5", "I6" } },
    } };
    for (quintptr i = 0; i < rows.size(); ++i)
        QTest::addRow("%s", rows[i].first) << rows[i].second << QString::fromLatin1(rows[i].first) << i;
}

void TestNavigation::namedOperationsMatchDispatcher()
{
    QFETCH(QStringList, before);
    QFETCH(QString, name);
    QFETCH(quintptr, operationIndex);

    static constexpr std::array<void (NavigationController::*)(), 14> operations {
        &NavigationController::Label1_Click,
        &NavigationController::Label2_Click,
        &NavigationController::Label3_Click,
        &NavigationController::Label4_Click,
        &NavigationController::Label5_Click,
        &NavigationController::Label7_Click,
        &NavigationController::I1_Click,
        &NavigationController::I2_Click,
        &NavigationController::I3_Click,
        &NavigationController::I4_Click,
        &NavigationController::I5_Click,
        &NavigationController::I6_Click,
        &NavigationController::I7_Click,
        &NavigationController::I8_Click,
    };

    NavigationController byName;
    NavigationController byOperation;
    clickAll(byName, before);
    clickAll(byOperation, before);
    QVERIFY(byName.click(name.toStdString()) != ClickOutcome::NothingHandled);
    (byOperation.*operations[operationIndex])();
    QCOMPARE(describe(byOperation.state()), describe(byName.state()));
    QVERIFY(byName.state().page.has_value());
}

void TestNavigation::unknownNamesChangeNothing_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("name");
    const std::array names { "Picture1", "Picture2", "Line3", "Image1", "", "label3", "Label8", "I0", "I9", "Tk1",
        " Label3", "Label3 " };
    const std::array<std::pair<const char*, QStringList>, 3> states { {
        { "start", {} },
        { "Tk2", { "Label3", "I1" } },
        { "Az3", { "Label4", "I5", "I6" } },
    } };
    for (const auto& [stateName, before] : states) {
        for (const char* name : names)
            QTest::addRow("\"%s\" on %s", name, stateName) << before << QString::fromLatin1(name);
    }
}

void TestNavigation::unknownNamesChangeNothing()
{
    QFETCH(QStringList, before);
    QFETCH(QString, name);
    NavigationController controller;
    clickAll(controller, before);
    const ViewState unchanged = controller.state();
    QCOMPARE(controller.click(name.toStdString()), ClickOutcome::NothingHandled);
    QCOMPARE(controller.state(), unchanged);
}

void TestNavigation::entryStyles()
{
    QCOMPARE(NormalStyle.pointSize, 12);
    QCOMPARE(NormalStyle.textColour, ColourWord { 0x000000FF });
    QCOMPARE(SelectedStyle.pointSize, 11);
    QCOMPARE(SelectedStyle.textColour, ColourWord { 0x8000000E });

    NavigationController controller;
    controller.Label7_Click();
    controller.Label1_Click();
    for (EntryId entry : AllEntries)
        QCOMPARE(controller.state().styleOf(entry), entry == EntryId::Label1 ? SelectedStyle : NormalStyle);
    // Arrows leave the selection alone.
    controller.Label4_Click();
    controller.I5_Click();
    controller.I6_Click();
    QCOMPARE(controller.state().selectedEntry, std::optional(EntryId::Label4));
}

// Many seeded walks over what a user can click: the menu entries and the
// visible arrows. After every click the state must be one of the table's.
void TestNavigation::seededRandomWalk()
{
    const std::uint32_t seed = 20261211;
    std::mt19937 random(seed);
    const std::array menuEntries { EntryId::Label1, EntryId::Label2, EntryId::Label3, EntryId::Label4, EntryId::Label5,
        EntryId::Label7 };

    for (int walk = 0; walk < 500; ++walk) {
        NavigationController controller;
        bool anyEntryChosen = false;
        for (int step = 0; step < 60; ++step) {
            std::vector<std::string_view> clickable;
            for (EntryId entry : menuEntries)
                clickable.push_back(nameOf(entry));
            for (ArrowId arrow : AllArrows) {
                if (controller.state().isVisible(arrow))
                    clickable.push_back(nameOf(arrow));
            }
            std::uniform_int_distribution<std::size_t> pick(0, clickable.size() - 1);
            const std::string_view name = clickable[pick(random)];
            const bool hadPage = controller.state().page.has_value();
            const ClickOutcome outcome = controller.click(name);
            anyEntryChosen = anyEntryChosen || outcome == ClickOutcome::EntryChosen;

            const ViewState& state = controller.state();
            const QByteArray where = "seed " + QByteArray::number(seed) + ", walk " + QByteArray::number(walk)
                + ", step " + QByteArray::number(step) + " (" + QByteArray(name.data(), qsizetype(name.size()))
                + "): " + describe(state);
            QVERIFY2(outcome != ClickOutcome::NothingHandled, where.constData());
            QVERIFY2(state.page.has_value(), where.constData());
            QVERIFY2(!hadPage || state.page, where.constData());
            QVERIFY2(state.visibleArrows() == arrowSetOf(*state.page), where.constData());
            QVERIFY2(anyEntryChosen == state.selectedEntry.has_value(), where.constData());
            QVERIFY2(state.selectedEntry == chapterEntryOf(*state.page), where.constData());
        }
    }
}

QTEST_APPLESS_MAIN(TestNavigation)
#include "tst_navigation.moc"
