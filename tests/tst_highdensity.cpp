// The window on a screen of twice the density (run with QT_SCALE_FACTOR=2):
// the same layout at exactly twice the size, with the pages and the banner
// drawn from their twice-resolution bitmaps rather than enlarged.
#include "imagelibrary.h"
#include "mainwindow.h"
#include "menutypeface.h"
#include "picturebox.h"
#include "windowlayout.h"

#include <QApplication>
#include <QTest>

using namespace quelvara;

class TestHighDensity : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void loaderTakesTheDenseBitmaps();
    void pageAndBannerArePixelForPixel();
    void layoutScalesExactly();
    void iconsStayPixelArt();

private:
    QImage grab() const;

    std::unique_ptr<ImageLibrary> m_images;
    std::unique_ptr<NavigationController> m_controller;
    std::unique_ptr<MainWindow> m_window;
};

void TestHighDensity::initTestCase()
{
    QCOMPARE(qApp->devicePixelRatio(), 2.0);
    QString error;
    QVERIFY2(registerMenuTypeface(&error), qPrintable(error));
    m_images = ImageLibrary::load(&error);
    QVERIFY2(m_images, qPrintable(error));
    m_controller = std::make_unique<NavigationController>();
    m_window = std::make_unique<MainWindow>(*m_images, *m_controller);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

QImage TestHighDensity::grab() const { return m_window->grab().toImage().convertToFormat(QImage::Format_RGB32); }

void TestHighDensity::loaderTakesTheDenseBitmaps()
{
    QCOMPARE(m_images->scale(), 2);
    for (PageId page : AllPages) {
        QCOMPARE(m_images->page(page).size(), QSize(810, 506));
        QCOMPARE(m_images->page(page).deviceIndependentSize(), QSizeF(405, 253));
    }
    QCOMPARE(m_images->image(ImageRole::Banner).size(), QSize(810, 74));
    QCOMPARE(m_images->image(ImageRole::HandRight).size(), QSize(32, 32));
}

void TestHighDensity::pageAndBannerArePixelForPixel()
{
    QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {}, QPoint(532, 92)); // Label1
    QCOMPARE(m_controller->state().page, std::optional(PageId::Vlas));
    const QImage shown = grab();
    QCOMPARE(shown.size(), QSize(1228, 660));
    QCOMPARE(shown.copy(20, 132, 810, 506), m_images->page(PageId::Vlas).convertToFormat(QImage::Format_RGB32));
    QCOMPARE(shown.copy(20, 20, 810, 74), m_images->image(ImageRole::Banner).convertToFormat(QImage::Format_RGB32));
}

// Every rule covers exactly its pixels doubled; the frames stay 2 px, now 4
// device pixels, wide.
void TestHighDensity::layoutScalesExactly()
{
    QCOMPARE(m_window->size(), QSize(614, 330));
    const QImage shown = grab();
    const QRgb red = qRgb(255, 0, 0);
    for (const layout::RuleRow& row : layout::Rules) {
        const QLine line = layout::pixelLine(row);
        const QRect covered(line.p1() * 2, (line.p2() * 2) + QPoint(1, 1));
        for (const QPoint corner :
            { covered.topLeft(), covered.bottomRight(), covered.topRight(), covered.bottomLeft() })
            QVERIFY2(shown.pixel(corner) == red, row.name.data());
        // Just beside the rule, across its width, is no longer the rule.
        const bool across = covered.height() == 2;
        const QPoint middle = covered.center();
        const QPoint before = across ? QPoint(middle.x(), covered.top() - 1) : QPoint(covered.left() - 1, middle.y());
        const QPoint after
            = across ? QPoint(middle.x(), covered.bottom() + 1) : QPoint(covered.right() + 1, middle.y());
        for (const QPoint beside : { before, after }) {
            if (shown.rect().contains(beside))
                QVERIFY2(shown.pixel(beside) != red, row.name.data());
        }
    }
    // The page area's inner area starts 2 px, 4 device pixels, inside its
    // frame, and the frame's pixels are not the page's.
    const QRect frame = layout::pixelRect(layout::Picture1);
    QCOMPARE(shown.pixel(frame.left() * 2 + 4, frame.top() * 2 + 4), qRgb(0, 0, 0));
    QVERIFY(shown.pixel(frame.left() * 2 + 3, frame.top() * 2 + 3) != qRgb(0, 0, 0)
        || m_window->palette().color(QPalette::Shadow) == Qt::black);
    for (EntryId entry : AllEntries) {
        const QRect label = layout::pixelRect(layout::entryRow(entry));
        QCOMPARE(shown.pixel(label.topLeft() * 2), qRgb(0, 0, 0));
        QCOMPARE(shown.pixel(label.bottomRight() * 2 + QPoint(1, 1)), qRgb(0, 0, 0));
    }
}

// A hand is its 32 × 32 pixels, each drawn as a 2 × 2 square.
void TestHighDensity::iconsStayPixelArt()
{
    QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {}, QPoint(524, 164)); // Label3
    const QImage shown = grab();
    const QImage hand = m_images->image(ImageRole::HandRight);
    for (int y = 0; y < 29; ++y) {
        for (int x = 0; x < 29; ++x) {
            const QRgb pixel = hand.pixel(x, y);
            if (qAlpha(pixel) != 255)
                continue;
            const QPoint device((10 + 376 + x) * 2, (66 + 224 + y) * 2);
            for (const QPoint offset : { QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1) })
                QCOMPARE(shown.pixel(device + offset), pixel | 0xFF000000u);
        }
    }
}

QTEST_MAIN(TestHighDensity)
#include "tst_highdensity.moc"
