// The window as a user meets it: built from the layout tables, driven by real
// mouse events delivered through the window, so every click takes the same
// road as on the screen.
#include "colourresolver.h"
#include "iconimage.h"
#include "imagelibrary.h"
#include "mainwindow.h"
#include "menuentry.h"
#include "menutypeface.h"
#include "picturebox.h"
#include "tables.h"
#include "windowlayout.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QTest>

using namespace quelvara;

Q_DECLARE_METATYPE(std::optional<PageId>)
Q_DECLARE_METATYPE(std::optional<EntryId>)

namespace {

const QColor RedColour(0xFF, 0x00, 0x00);

QString qtString(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void designedPixels_data();
    void designedPixels();
    void builtAsTheLayoutTables();
    void captionsFitTheirLabels_data();
    void captionsFitTheirLabels();
    void startState();
    void clicks_data();
    void clicks();
    void doubleClickCountsOnce();
    void clicksThatDoNothing_data();
    void clicksThatDoNothing();
    void exitClosesTheWindow();
    void shownPageIsItsBitmap();
    void arrowMaskShowsThePage();
    void rulesAreRed();
    void layoutNeverFollowsTheSize();
    void minimisingKeepsTheState();

private:
    QPoint centreOf(const QWidget* widget) const;
    void click(const QWidget* control);
    void clickAt(QPoint point, Qt::MouseButton button = Qt::LeftButton);
    void clickNames(const QStringList& names);
    QImage grabWindow() const;

    std::unique_ptr<ImageLibrary> m_images;
    std::unique_ptr<NavigationController> m_controller;
    std::unique_ptr<MainWindow> m_window;
};

void TestMainWindow::initTestCase()
{
    QString error;
    QVERIFY2(registerMenuTypeface(&error), qPrintable(error));
    m_images = ImageLibrary::load(&error);
    QVERIFY2(m_images, qPrintable(error));
}

void TestMainWindow::init()
{
    m_controller = std::make_unique<NavigationController>();
    m_window = std::make_unique<MainWindow>(*m_images, *m_controller);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestMainWindow::cleanup()
{
    m_window.reset();
    m_controller.reset();
}

QPoint TestMainWindow::centreOf(const QWidget* widget) const
{
    return widget->mapTo(m_window.get(), widget->rect().center());
}

// Press and release through the window: the window system decides which
// control is under the pointer.
void TestMainWindow::clickAt(QPoint point, Qt::MouseButton button)
{
    QTest::mouseClick(m_window->windowHandle(), button, {}, point);
}

void TestMainWindow::click(const QWidget* control) { clickAt(centreOf(control)); }

void TestMainWindow::clickNames(const QStringList& names)
{
    for (const QString& name : names) {
        auto* control = m_window->findChild<QWidget*>(name);
        QVERIFY2(control && control->isVisible(), qPrintable(name));
        click(control);
    }
}

QImage TestMainWindow::grabWindow() const { return m_window->grab().toImage().convertToFormat(QImage::Format_RGB32); }

// The pixel positions of the design, written out as pixels: the twips of the
// layout tables must come to exactly these.
void TestMainWindow::designedPixels_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("pixels");
    QTest::addRow("Picture2") << "Picture2" << QRect(8, 8, 409, 41);
    QTest::addRow("Picture1") << "Picture1" << QRect(8, 64, 409, 257);
    QTest::addRow("Label5") << "Label5" << QRect(472, 16, 89, 25);
    QTest::addRow("Label1") << "Label1" << QRect(456, 80, 153, 25);
    QTest::addRow("Label2") << "Label2" << QRect(472, 120, 113, 25);
    QTest::addRow("Label3") << "Label3" << QRect(456, 152, 137, 25);
    QTest::addRow("Label4") << "Label4" << QRect(448, 192, 153, 25);
    QTest::addRow("Label7") << "Label7" << QRect(456, 232, 145, 25);
    QTest::addRow("Label6") << "Label6" << QRect(488, 296, 41, 25);
    QTest::addRow("Image1") << "Image1" << QRect(424, 88, 32, 32);
    QTest::addRow("Image2") << "Image2" << QRect(576, 8, 32, 32);
    QTest::addRow("Image3") << "Image3" << QRect(544, 296, 32, 32);
    QTest::addRow("Image4") << "Image4" << QRect(424, 248, 32, 32);
    for (const char* right : { "I1", "I2", "I5", "I6" })
        QTest::addRow("%s", right) << right << QRect(376, 224, 32, 32);
    for (const char* left : { "I3", "I4", "I7", "I8" })
        QTest::addRow("%s", left) << left << QRect(0, 224, 32, 32);
}

void TestMainWindow::designedPixels()
{
    QFETCH(QString, name);
    QFETCH(QRect, pixels);
    const auto* element = m_window->findChild<QWidget*>(name);
    QVERIFY(element);
    QCOMPARE(element->geometry(), pixels);
}

void TestMainWindow::builtAsTheLayoutTables()
{
    using namespace layout;
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Quelvara"));
    QCOMPARE(m_window->geometry(), QRect(93, 134, 614, 330));
    QVERIFY(!(m_window->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(m_window->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(m_window->windowFlags() & Qt::WindowCloseButtonHint);
    QCOMPARE(m_window->windowIcon().availableSizes(), (QList<QSize> { QSize(32, 32), QSize(16, 16) }));
    QCOMPARE(m_window->palette().color(QPalette::Window), DesktopFallback);
    QCOMPARE(m_window->cursor().hotSpot(), QPoint(0, 0));
    QCOMPARE(m_window->cursor().pixmap().toImage(),
        m_images->image(ImageRole::RedCursor).convertToFormat(m_window->cursor().pixmap().toImage().format()));

    for (const PictureBox* box : { m_window->banner(), m_window->pageArea() }) {
        QCOMPARE(box->frameWidth(), 2);
        QCOMPARE(box->frameShadow(), QFrame::Sunken);
        QCOMPARE(box->view()->geometry(), box->rect().adjusted(2, 2, -2, -2));
    }
    QCOMPARE(m_window->banner()->view()->size(), QSize(405, 37));
    QCOMPARE(m_window->pageArea()->view()->size(), QSize(405, 253));

    for (const EntryRow& row : Entries) {
        const MenuEntry* entry = m_window->entry(row.entry);
        QCOMPARE(entry->caption(), qtString(captionOf(row.entry)));
        QCOMPARE(entry->backgroundColour(), resolveColour(row.background, m_window->palette()));
        QCOMPARE(entry->font().bold(), true);
        QCOMPARE(entry->font().underline(), true);
        QCOMPARE(entry->font().italic(), false);
        const QCursor cursor = entry->cursor();
        const ImageRole expected = row.entry == EntryId::Label5 ? ImageRole::BlackCursor : ImageRole::RedCursor;
        QCOMPARE(
            cursor.pixmap().toImage(), m_images->image(expected).convertToFormat(cursor.pixmap().toImage().format()));
        QCOMPARE(cursor.hotSpot(), QPoint(0, 0));
    }
    QCOMPARE(m_window->entry(EntryId::Label6)->backgroundColour(),
        m_window->palette().color(QPalette::Active, QPalette::ButtonText));

    for (const IconRow& row : Icons) {
        const auto* icon = m_window->findChild<IconImage*>(qtString(row.name));
        QVERIFY(icon && icon->isVisible());
        QCOMPARE(icon->picture().toImage(), m_images->image(row.picture));
        QCOMPARE(icon->cursor().pixmap().toImage(), m_window->cursor().pixmap().toImage());
    }
}

void TestMainWindow::captionsFitTheirLabels_data()
{
    QTest::addColumn<EntryId>("entry");
    QTest::addColumn<int>("pointSize");
    for (EntryId entry : AllEntries) {
        for (const EntryStyle& style : { NormalStyle, SelectedStyle })
            QTest::addRow("%s at %d pt", nameOf(entry).data(), style.pointSize) << entry << style.pointSize;
    }
}

// Every caption stays on one line, dots included, with its underline inside
// the label, in both styles.
void TestMainWindow::captionsFitTheirLabels()
{
    QFETCH(EntryId, entry);
    QFETCH(int, pointSize);
    const QFont font = menuFont(pointSize);
    QCOMPARE(QFontInfo(font).family(), QStringLiteral("Play"));
    const QFontMetrics metrics(font);
    const QRect label = layout::pixelRect(layout::entryRow(entry));
    const QString caption = qtString(captionOf(entry));
    QVERIFY2(metrics.horizontalAdvance(caption) <= label.width(),
        qPrintable(QStringLiteral("%1 px wide").arg(metrics.horizontalAdvance(caption))));
    QVERIFY(metrics.ascent() + metrics.underlinePos() + metrics.lineWidth() <= label.height());
}

void TestMainWindow::startState()
{
    QVERIFY(!m_window->pageArea()->view()->picture());
    for (ArrowId arrow : AllArrows)
        QVERIFY(m_window->arrow(arrow)->isHidden());
    for (EntryId entry : AllEntries) {
        QCOMPARE(m_window->entry(entry)->font().pointSize(), 12);
        QCOMPARE(m_window->entry(entry)->textColour(), RedColour);
    }
    const QImage grab = grabWindow();
    const QRect inner(10, 66, 405, 253);
    for (int y = inner.top(); y <= inner.bottom(); y += 7) {
        for (int x = inner.left(); x <= inner.right(); x += 7)
            QCOMPARE(grab.pixel(x, y), qRgb(0, 0, 0));
    }
}

void TestMainWindow::clicks_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<std::optional<PageId>>("page");
    QTest::addColumn<QStringList>("arrows");
    QTest::addColumn<std::optional<EntryId>>("selected");

    using enum PageId;
    using enum EntryId;
    using P = std::optional<PageId>;
    using E = std::optional<EntryId>;
    QTest::addRow("Label1") << QStringList { "Label1" } << P(Vlas) << QStringList {} << E(Label1);
    QTest::addRow("Label2") << QStringList { "Label2" } << P(Hd) << QStringList {} << E(Label2);
    QTest::addRow("Label3") << QStringList { "Label3" } << P(Tk1) << QStringList { "I1" } << E(Label3);
    QTest::addRow("Label4") << QStringList { "Label4" } << P(Az1) << QStringList { "I5" } << E(Label4);
    QTest::addRow("Label5") << QStringList { "Label5" } << P(ab) << QStringList {} << E(Label5);
    QTest::addRow("Label7") << QStringList { "Label7" } << P(Apl) << QStringList {} << E(Label7);
    QTest::addRow("I1 on Tk1") << QStringList { "Label3", "I1" } << P(Tk2) << QStringList { "I2", "I3" } << E(Label3);
    QTest::addRow("I2 on Tk2") << QStringList { "Label3", "I1", "I2" } << P(Tk3) << QStringList { "I4" } << E(Label3);
    QTest::addRow("I3 on Tk2") << QStringList { "Label3", "I1", "I3" } << P(Tk1) << QStringList { "I1" } << E(Label3);
    QTest::addRow("I4 on Tk3") << QStringList { "Label3", "I1", "I2", "I4" } << P(Tk2) << QStringList { "I2", "I3" }
                               << E(Label3);
    QTest::addRow("I5 on Az1") << QStringList { "Label4", "I5" } << P(Az2) << QStringList { "I6", "I7" } << E(Label4);
    QTest::addRow("I6 on Az2") << QStringList { "Label4", "I5", "I6" } << P(Az3) << QStringList { "I8" } << E(Label4);
    QTest::addRow("I7 on Az2") << QStringList { "Label4", "I5", "I7" } << P(Az1) << QStringList { "I5" } << E(Label4);
    QTest::addRow("I8 on Az3") << QStringList { "Label4", "I5", "I6", "I8" } << P(Az2) << QStringList { "I6", "I7" }
                               << E(Label4);
    QTest::addRow("Label7 then Label1") << QStringList { "Label7", "Label1" } << P(Vlas) << QStringList {} << E(Label1);
    QTest::addRow("Label2 on Az3") << QStringList { "Label4", "I5", "I6", "Label2" } << P(Hd) << QStringList {}
                                   << E(Label2);
    QTest::addRow("Label3 on Tk3") << QStringList { "Label3", "I1", "I2", "Label3" } << P(Tk1) << QStringList { "I1" }
                                   << E(Label3);
}

// After each click the window shows the page's bitmap, exactly the page's
// arrows, and every entry in the size and colour of its style.
void TestMainWindow::clicks()
{
    QFETCH(QStringList, clicks);
    QFETCH(std::optional<PageId>, page);
    QFETCH(QStringList, arrows);
    QFETCH(std::optional<EntryId>, selected);

    clickNames(clicks);
    QCOMPARE(m_controller->state().page, page);
    QCOMPARE(m_window->pageArea()->view()->picture(), &m_window->pageImage(*page));
    for (ArrowId arrow : AllArrows)
        QCOMPARE(m_window->arrow(arrow)->isVisible(), arrows.contains(qtString(nameOf(arrow))));
    const QColor highlight = m_window->palette().color(QPalette::Active, QPalette::HighlightedText);
    for (EntryId entry : AllEntries) {
        const MenuEntry* label = m_window->entry(entry);
        QCOMPARE(label->font().pointSize(), entry == selected ? 11 : 12);
        QCOMPARE(label->textColour(), entry == selected ? highlight : RedColour);
        QCOMPARE(label->geometry(), layout::pixelRect(layout::entryRow(entry)));
    }
}

void TestMainWindow::doubleClickCountsOnce()
{
    clickNames({ "Label3" });
    QTest::mouseDClick(m_window->windowHandle(), Qt::LeftButton, {}, centreOf(m_window->arrow(ArrowId::I1)));
    QCOMPARE(m_controller->state().page, std::optional(PageId::Tk2));
    QVERIFY(m_window->arrow(ArrowId::I2)->isVisible());
}

void TestMainWindow::clicksThatDoNothing_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<int>("button");
    const QPoint rightHand(10 + 376 + 10, 66 + 224 + 10);
    const QPoint leftHand(10 + 10, 66 + 224 + 10);
    QTest::addRow("hidden right arrow at start") << QStringList {} << rightHand << int(Qt::LeftButton);
    QTest::addRow("hidden right arrow on Vlas") << QStringList { "Label1" } << rightHand << int(Qt::LeftButton);
    QTest::addRow("hidden left arrow on Tk1") << QStringList { "Label3" } << leftHand << int(Qt::LeftButton);
    QTest::addRow("hidden right arrow on Az3")
        << QStringList { "Label4", "I5", "I6" } << rightHand << int(Qt::LeftButton);
    QTest::addRow("banner") << QStringList { "Label2" } << QPoint(200, 25) << int(Qt::LeftButton);
    QTest::addRow("empty page area") << QStringList {} << QPoint(200, 150) << int(Qt::LeftButton);
    QTest::addRow("page") << QStringList { "Label3" } << QPoint(200, 150) << int(Qt::LeftButton);
    QTest::addRow("Image1") << QStringList { "Label1" } << QPoint(440, 104) << int(Qt::LeftButton);
    QTest::addRow("Image2") << QStringList { "Label1" } << QPoint(592, 24) << int(Qt::LeftButton);
    QTest::addRow("Image3") << QStringList { "Label1" } << QPoint(560, 312) << int(Qt::LeftButton);
    QTest::addRow("Image4") << QStringList { "Label1" } << QPoint(440, 264) << int(Qt::LeftButton);
    QTest::addRow("Line1") << QStringList { "Label1" } << QPoint(424, 60) << int(Qt::LeftButton);
    QTest::addRow("Line3") << QStringList { "Label1" } << QPoint(500, 56) << int(Qt::LeftButton);
    QTest::addRow("background") << QStringList { "Label1" } << QPoint(600, 150) << int(Qt::LeftButton);
    QTest::addRow("right button on Label2") << QStringList { "Label1" } << QPoint(480, 130) << int(Qt::RightButton);
    QTest::addRow("right button on I1") << QStringList { "Label3" } << rightHand << int(Qt::RightButton);
}

void TestMainWindow::clicksThatDoNothing()
{
    QFETCH(QStringList, before);
    QFETCH(QPoint, point);
    QFETCH(int, button);
    clickNames(before);
    const ViewState unchanged = m_controller->state();
    const QImage shown = grabWindow();
    clickAt(point, Qt::MouseButton(button));
    QCOMPARE(m_controller->state(), unchanged);
    QCOMPARE(grabWindow(), shown);
}

void TestMainWindow::exitClosesTheWindow()
{
    clickNames({ "Label6" });
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_controller->state(), ViewState {});
}

void TestMainWindow::shownPageIsItsBitmap()
{
    for (const QString& entry :
        { QStringLiteral("Label1"), QStringLiteral("Label2"), QStringLiteral("Label5"), QStringLiteral("Label7") }) {
        clickNames({ entry });
        const QImage inner = grabWindow().copy(10, 66, 405, 253);
        const PageId page = *m_controller->state().page;
        QCOMPARE(inner, m_images->page(page).convertToFormat(QImage::Format_RGB32));
    }
}

// Over the page, the hand's masked pixels show the page, not a box.
void TestMainWindow::arrowMaskShowsThePage()
{
    clickNames({ "Label3", "I1" });
    QImage expected = m_images->page(PageId::Tk2).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    {
        QPainter painter(&expected);
        painter.drawImage(376, 224, m_images->image(ImageRole::HandRight));
        painter.drawImage(0, 224, m_images->image(ImageRole::HandLeft));
    }
    QCOMPARE(grabWindow().copy(10, 66, 405, 253), expected.convertToFormat(QImage::Format_RGB32));
}

void TestMainWindow::rulesAreRed()
{
    const QImage grab = grabWindow();
    for (const layout::RuleRow& row : layout::Rules) {
        const QLine line = layout::pixelLine(row);
        for (const QPoint end : { line.p1(), line.p2() })
            QVERIFY2(grab.pixel(end) == qRgb(255, 0, 0), row.name.data());
    }
    QCOMPARE(grab.pixel(424, 150), qRgb(255, 0, 0));
    QCOMPARE(grab.pixel(200, 56), qRgb(255, 0, 0));
    QCOMPARE(grab.pixel(200, 57), DesktopFallback.rgb());
}

// Enlarging the window shows more background; shrinking it clips; nothing
// moves either way.
void TestMainWindow::layoutNeverFollowsTheSize()
{
    clickNames({ "Label3" });
    QList<QRect> before;
    const QList<QWidget*> children = m_window->findChildren<QWidget*>();
    for (const QWidget* child : children)
        before.append(child->geometry());

    m_window->resize(800, 500);
    QTRY_COMPARE(m_window->size(), QSize(800, 500));
    const QImage larger = grabWindow();
    QCOMPARE(larger.pixel(700, 450), DesktopFallback.rgb());
    QCOMPARE(larger.pixel(424, 150), qRgb(255, 0, 0));
    m_window->resize(300, 200);
    QTRY_COMPARE(m_window->size(), QSize(300, 200));
    for (qsizetype i = 0; i < children.size(); ++i)
        QCOMPARE(children[i]->geometry(), before[i]);
}

void TestMainWindow::minimisingKeepsTheState()
{
    clickNames({ "Label4", "I5" });
    const ViewState shown = m_controller->state();
    const QImage picture = grabWindow();
    m_window->showMinimized();
    m_window->showNormal();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QCOMPARE(m_controller->state(), shown);
    QCOMPARE(grabWindow(), picture);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
