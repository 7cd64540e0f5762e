#include "mainwindow.h"

#include "clickrouter.h"
#include "colourresolver.h"
#include "iconimage.h"
#include "imagelibrary.h"
#include "menuentry.h"
#include "menutypeface.h"
#include "picturebox.h"
#include "tables.h"
#include "windowlayout.h"

#include <QAccessible>
#include <QCursor>
#include <QIcon>
#include <QPainter>

namespace quelvara {

namespace {

QString qtString(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// On a dense screen the cursor is the same pixel art with every pixel
// doubled, never smoothed.
QCursor cursorOf(const ImageLibrary& images, ImageRole role)
{
    const QPoint hotspot = images.hotspot(role);
    QImage image = images.image(role);
    if (images.scale() > 1) {
        image = image.scaled(image.size() * images.scale(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
        image.setDevicePixelRatio(images.scale());
    }
    return QCursor(QPixmap::fromImage(image), hotspot.x(), hotspot.y());
}

} // namespace

MainWindow::MainWindow(const ImageLibrary& images, NavigationController& controller, QWidget* parent)
    : QWidget(parent,
        Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
            | Qt::WindowCloseButtonHint)
    , m_images(images)
    , m_controller(controller)
    , m_router(new ClickRouter(this))
{
    using namespace layout;

    setObjectName(QStringLiteral("A"));
    setWindowTitle(qtString(Window.title));
    QIcon book;
    book.addPixmap(QPixmap::fromImage(images.image(Window.icon)));
    book.addPixmap(QPixmap::fromImage(images.smallBook()));
    setWindowIcon(book);
    setCursor(cursorOf(images, Window.cursor));
    // The border stays sizable; the layout never follows the size.
    setGeometry(px(Window.left), px(Window.top), px(Window.clientWidth), px(Window.clientHeight));

    QPalette background = palette();
    background.setColor(QPalette::Window, resolveColour(Window.background, palette()));
    setPalette(background);
    setAutoFillBackground(true);

    m_banner = new PictureBox(this);
    m_banner->setObjectName(qtString(Picture2.name));
    m_banner->setGeometry(pixelRect(Picture2));
    m_banner->view()->setPicture(&images.image(ImageRole::Banner));

    m_pageArea = new PictureBox(this);
    m_pageArea->setObjectName(qtString(Picture1.name));
    m_pageArea->setGeometry(pixelRect(Picture1));
    m_pageArea->view()->setBackground(resolveColour(*Picture1.background, palette()));

    for (const ArrowPlacement& row : Arrows) {
        const ImageRole hand
            = pictureOf(row.arrow) == HandPicture::PointingRight ? ImageRole::HandRight : ImageRole::HandLeft;
        auto* arrow = new IconImage(QPixmap::fromImage(images.image(hand)), m_pageArea->view());
        arrow->setObjectName(qtString(nameOf(row.arrow)));
        arrow->setGeometry(pixelRect(row));
        arrow->hide();
        m_router->watch(arrow, [this, id = row.arrow] { arrowClicked(id); });
        m_arrows[indexOf(row.arrow)] = arrow;
    }

    for (const IconRow& row : Icons) {
        auto* icon = new IconImage(QPixmap::fromImage(images.image(row.picture)), this);
        icon->setObjectName(qtString(row.name));
        icon->setGeometry(pixelRect(row));
    }

    for (const EntryRow& row : Entries) {
        auto* entry = new MenuEntry(qtString(captionOf(row.entry)), resolveColour(row.background, palette()), this);
        entry->setObjectName(qtString(nameOf(row.entry)));
        entry->setGeometry(pixelRect(row));
        if (row.cursor != Window.cursor)
            entry->setCursor(cursorOf(images, row.cursor));
        m_router->watch(entry, [this, id = row.entry] { entryClicked(id); });
        m_entries[indexOf(row.entry)] = entry;
    }
    showPageAndArrows();
    showEntryStyles();
}

MainWindow::~MainWindow() = default;

const QImage& MainWindow::pageImage(PageId page) const { return m_images.page(page); }

void MainWindow::entryClicked(EntryId entry)
{
    switch (m_controller.chooseEntry(entry)) {
    case ClickOutcome::EndRequested:
        close();
        return;
    case ClickOutcome::EntryChosen:
        showPageAndArrows();
        showEntryStyles();
        return;
    case ClickOutcome::ArrowFollowed:
    case ClickOutcome::NothingHandled:
        return;
    }
}

void MainWindow::arrowClicked(ArrowId arrow)
{
    m_controller.followArrow(arrow);
    showPageAndArrows();
}

// Assigns the whole governed state; the window repaints once, after the click
// has been handled, so no mixed state is ever on the screen.
void MainWindow::showPageAndArrows()
{
    const ViewState& state = m_controller.state();
    PictureView* view = m_pageArea->view();
    // The decoded pages are ready to draw, so a click only points the page
    // area at another one.
    const QImage* picture = state.page ? &m_images.page(*state.page) : nullptr;
    const bool pageChanged = picture != view->picture();
    view->setPicture(picture);
    for (ArrowId arrow : AllArrows)
        m_arrows[indexOf(arrow)]->setVisible(state.isVisible(arrow));

    // A screen reader announces the new page by its name and text.
    if (pageChanged) {
        QAccessibleEvent named(view, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&named);
        QAccessibleEvent described(view, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&described);
    }
}

void MainWindow::showEntryStyles()
{
    const ViewState& state = m_controller.state();
    for (EntryId entry : AllEntries) {
        const EntryStyle style = state.styleOf(entry);
        m_entries[indexOf(entry)]->setLook(menuFont(style.pointSize), resolveColour(style.textColour, palette()));
    }
}

// The rules are all straight across or straight down, so each is drawn as
// the rectangle of pixels it covers, end points included; at any scale it
// then covers exactly the scaled pixels.
void MainWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor colour = resolveColour(layout::RuleColour, palette());
    for (const layout::RuleRow& row : layout::Rules) {
        const QLine line = layout::pixelLine(row);
        painter.fillRect(QRect(line.p1(), line.p2()).normalized(), colour);
    }
}

} // namespace quelvara
