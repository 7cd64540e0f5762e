// What a screen reader finds in the window, state by state, through Qt's
// accessibility layer; and that pressing through it does what a click does.
#include "accessibility.h"
#include "iconimage.h"
#include "imagelibrary.h"
#include "mainwindow.h"
#include "menuentry.h"
#include "menutypeface.h"
#include "pagesource.h"
#include "picturebox.h"
#include "presentation.h"
#include "tables.h"

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QTest>

using namespace quelvara;

Q_DECLARE_METATYPE(std::optional<PageId>)

namespace {

QString qtString(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// The page's text straight from its source file in the repository.
PageSource sourceOf(PageId page)
{
    QFile file(QStringLiteral(QUELVARA_SOURCE_DIR "/assets/pages/%1.page").arg(qtString(nameOf(page))));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString error;
    return parsePageSource(QString::fromUtf8(file.readAll()), &error).value_or(PageSource {});
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void treeInEveryState_data();
    void treeInEveryState();
    void pressingDoesWhatAClickDoes_data();
    void pressingDoesWhatAClickDoes();
    void slovakQtTexts();

private:
    void clickNames(const QStringList& names);

    std::unique_ptr<ImageLibrary> m_images;
    std::unique_ptr<NavigationController> m_controller;
    std::unique_ptr<MainWindow> m_window;
};

void TestAccessibility::initTestCase()
{
    QString error;
    QVERIFY2(registerMenuTypeface(&error), qPrintable(error));
    m_images = ImageLibrary::load(&error);
    QVERIFY2(m_images, qPrintable(error));
    installAccessibility();
}

void TestAccessibility::init()
{
    m_controller = std::make_unique<NavigationController>();
    m_window = std::make_unique<MainWindow>(*m_images, *m_controller);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestAccessibility::cleanup()
{
    m_window.reset();
    m_controller.reset();
}

void TestAccessibility::clickNames(const QStringList& names)
{
    for (const QString& name : names) {
        auto* control = m_window->findChild<QWidget*>(name);
        QVERIFY2(control && control->isVisible(), qPrintable(name));
        QTest::mouseClick(
            m_window->windowHandle(), Qt::LeftButton, {}, control->mapTo(m_window.get(), control->rect().center()));
    }
}

void TestAccessibility::treeInEveryState_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<std::optional<PageId>>("page");
    QTest::addColumn<QStringList>("arrowNames");
    using P = std::optional<PageId>;
    QTest::addRow("start") << QStringList {} << P() << QStringList {};
    QTest::addRow("Vlas") << QStringList { "Label1" } << P(PageId::Vlas) << QStringList {};
    QTest::addRow("Hd") << QStringList { "Label2" } << P(PageId::Hd) << QStringList {};
    QTest::addRow("Tk1") << QStringList { "Label3" } << P(PageId::Tk1) << QStringList { "Ďalej" };
    QTest::addRow("Tk2") << QStringList { "Label3", "I1" } << P(PageId::Tk2) << QStringList { "Ďalej", "Späť" };
    QTest::addRow("Tk3") << QStringList { "Label3", "I1", "I2" } << P(PageId::Tk3) << QStringList { "Späť" };
    QTest::addRow("Az1") << QStringList { "Label4" } << P(PageId::Az1) << QStringList { "Ďalej" };
    QTest::addRow("Az2") << QStringList { "Label4", "I5" } << P(PageId::Az2) << QStringList { "Ďalej", "Späť" };
    QTest::addRow("Az3") << QStringList { "Label4", "I5", "I6" } << P(PageId::Az3) << QStringList { "Späť" };
    QTest::addRow("Apl") << QStringList { "Label7" } << P(PageId::Apl) << QStringList {};
    QTest::addRow("ab") << QStringList { "Label5" } << P(PageId::ab) << QStringList {};
}

void TestAccessibility::treeInEveryState()
{
    QFETCH(QStringList, clicks);
    QFETCH(std::optional<PageId>, page);
    QFETCH(QStringList, arrowNames);
    clickNames(clicks);

    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(m_window.get());
    QVERIFY(window);
    QCOMPARE(window->role(), QAccessible::Window);
    QCOMPARE(window->childCount(), 1 + int(EntryCount));

    // The page area, named after the page, reading the page's own source.
    QAccessibleInterface* area = window->child(0);
    QCOMPARE(area->object(), m_window->pageArea()->view());
    QCOMPARE(area->parent()->object(), m_window.get());
    if (page) {
        const PageSource source = sourceOf(*page);
        QVERIFY(!source.title.isEmpty());
        QCOMPARE(area->text(QAccessible::Name), source.title);
        QCOMPARE(area->text(QAccessible::Description), spokenTextOf(source));
    } else {
        QCOMPARE(area->text(QAccessible::Description), QString());
    }
    QStringList arrows;
    for (int i = 0; i < area->childCount(); ++i) {
        QAccessibleInterface* arrow = area->child(i);
        QCOMPARE(arrow->role(), QAccessible::Button);
        QCOMPARE(arrow->parent()->object(), area->object());
        QCOMPARE(area->indexOfChild(arrow), i);
        QVERIFY(arrow->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
        arrows.append(arrow->text(QAccessible::Name));
    }
    QCOMPARE(arrows, arrowNames);

    // The entries, top to bottom, each a button named by its caption.
    QStringList captions;
    for (int i = 1; i < window->childCount(); ++i) {
        QAccessibleInterface* entry = window->child(i);
        QCOMPARE(entry->role(), QAccessible::Button);
        QCOMPARE(window->indexOfChild(entry), i);
        QVERIFY(entry->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
        captions.append(entry->text(QAccessible::Name));
    }
    QCOMPARE(captions,
        (QStringList { "About ...", "Vlastnosti kvapalín", "Quelvara", "Tlak v kvapaline", "Archimedov zákon",
            "Aplikácia Quelvara...", "Exit" }));
}

void TestAccessibility::pressingDoesWhatAClickDoes_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("pressed");
    QTest::addRow("Label3") << QStringList {} << "Label3";
    QTest::addRow("Label7 after Az2") << QStringList { "Label4", "I5" } << "Label7";
    QTest::addRow("I1") << QStringList { "Label3" } << "I1";
    QTest::addRow("I4") << QStringList { "Label3", "I1", "I2" } << "I4";
    QTest::addRow("I7") << QStringList { "Label4", "I5" } << "I7";
    QTest::addRow("I8") << QStringList { "Label4", "I5", "I6" } << "I8";
}

// Pressing through the accessibility layer and clicking with the mouse leave
// two windows in the same state, down to every entry's look.
void TestAccessibility::pressingDoesWhatAClickDoes()
{
    QFETCH(QStringList, before);
    QFETCH(QString, pressed);

    NavigationController clickedController;
    MainWindow clicked(*m_images, clickedController);
    clicked.show();
    QVERIFY(QTest::qWaitForWindowExposed(&clicked));
    for (const QString& name : before + QStringList { pressed }) {
        auto* control = clicked.findChild<QWidget*>(name);
        QTest::mouseClick(
            clicked.windowHandle(), Qt::LeftButton, {}, control->mapTo(&clicked, control->rect().center()));
    }

    clickNames(before);
    QAccessibleInterface* control = QAccessible::queryAccessibleInterface(m_window->findChild<QWidget*>(pressed));
    control->actionInterface()->doAction(QAccessibleActionInterface::pressAction());

    QCOMPARE(m_controller->state(), clickedController.state());
    QCOMPARE(m_window->pageArea()->view()->picture(), &m_window->pageImage(*m_controller->state().page));
    for (ArrowId arrow : AllArrows)
        QCOMPARE(m_window->arrow(arrow)->isVisible(), clicked.arrow(arrow)->isVisible());
    for (EntryId entry : AllEntries) {
        QCOMPARE(m_window->entry(entry)->font(), clicked.entry(entry)->font());
        QCOMPARE(m_window->entry(entry)->textColour(), clicked.entry(entry)->textColour());
    }
}

// With Qt's own Slovak translations installed, the texts Qt supplies are
// Slovak: the press action's name, which screen readers say.
void TestAccessibility::slovakQtTexts()
{
    QAccessibleInterface* entry = QAccessible::queryAccessibleInterface(m_window->entry(EntryId::Label1));
    const QString press = QAccessibleActionInterface::pressAction();
    QCOMPARE(entry->actionInterface()->localizedActionName(press), QStringLiteral("Press"));
    QVERIFY2(installQtTranslations(), "Qt's Slovak translations (qt6-translations-l10n) are needed");
    const QString slovak = entry->actionInterface()->localizedActionName(press);
    QVERIFY2(slovak != QStringLiteral("Press") && !slovak.isEmpty(), qPrintable(slovak));
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
