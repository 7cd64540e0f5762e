// A long, seeded storm of mouse input on the whole window: presses, releases,
// double-clicks and drags with all three buttons at random points, delivered
// through the window system so that it decides which control is under the
// pointer. After every event the window must show exactly what a small
// reference predicts. The reference knows only the control rectangles of the
// layout tables, the click rule and a navigation controller of its own, so it
// shares none of the window's routing.
//
// QUELVARA_STORM_SEED and QUELVARA_STORM_EVENTS override the seed and the
// number of events; a failure names the seed and the events that led to it.
#include "iconimage.h"
#include "imagelibrary.h"
#include "mainwindow.h"
#include "menuentry.h"
#include "menutypeface.h"
#include "picturebox.h"
#include "tables.h"
#include "windowlayout.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>

#include <malloc.h>
#include <unistd.h>

#include <deque>

#if defined(__SANITIZE_ADDRESS__)
// From the address sanitizer's allocator; GCC ships no header for it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

using namespace quelvara;

namespace {

constexpr quint64 DefaultSeed = 20240611;
constexpr qint64 DefaultEvents = 300'000;
// Memory is compared between the end of the first this many events and the
// end of the storm.
constexpr qint64 WarmUpEvents = 10'000;
constexpr qint64 AllowedGrowth = 1024 * 1024;

const QSize ClientArea(614, 330);
// The page area's inner area, inside its frame: the arrows are placed
// relative to its top-left corner and clipped by it.
const QRect PageInner = layout::pixelRect(layout::Picture1)
                            .adjusted(layout::FrameWidth, layout::FrameWidth, -layout::FrameWidth, -layout::FrameWidth);
constexpr std::array<Qt::MouseButton, 3> Buttons { Qt::LeftButton, Qt::RightButton, Qt::MiddleButton };

// A clickable control: one of the seven entries or one of the eight arrows.
struct Control {
    enum class Kind { Entry, Arrow } kind;
    std::size_t index;

    static Control of(EntryId entry) { return { Kind::Entry, indexOf(entry) }; }
    static Control of(ArrowId arrow) { return { Kind::Arrow, indexOf(arrow) }; }
    // Entries first, then arrows.
    static Control numbered(std::size_t number)
    {
        return number < EntryCount ? Control { Kind::Entry, number } : Control { Kind::Arrow, number - EntryCount };
    }
    std::size_t number() const { return kind == Kind::Entry ? index : EntryCount + index; }
    bool operator==(const Control&) const = default;

    QString name() const
    {
        const std::string_view text = kind == Kind::Entry ? nameOf(AllEntries[index]) : nameOf(AllArrows[index]);
        return QString::fromLatin1(text.data(), qsizetype(text.size()));
    }
    QRect rect() const
    {
        if (kind == Kind::Entry)
            return layout::pixelRect(layout::entryRow(AllEntries[index]));
        return layout::pixelRect(layout::arrowPlacement(AllArrows[index])).translated(PageInner.topLeft()) & PageInner;
    }
};

constexpr std::size_t ControlCount = EntryCount + ArrowCount;

// One step of mouse input.
struct Gesture {
    enum class Kind { Press, Release, DoubleClick, Move } kind;
    Qt::MouseButton button;
    QPoint point;

    QString text() const
    {
        static const QHash<Qt::MouseButton, QString> names { { Qt::LeftButton, QStringLiteral("left") },
            { Qt::RightButton, QStringLiteral("right") }, { Qt::MiddleButton, QStringLiteral("middle") } };
        const QString at = QStringLiteral("(%1, %2)").arg(point.x()).arg(point.y());
        switch (kind) {
        case Kind::Press:
            return QStringLiteral("press %1 at %2").arg(names[button], at);
        case Kind::Release:
            return QStringLiteral("release %1 at %2").arg(names[button], at);
        case Kind::DoubleClick:
            return QStringLiteral("double-click %1 at %2").arg(names[button], at);
        case Kind::Move:
            break;
        }
        return QStringLiteral("move to %1").arg(at);
    }
};

// What the window shows, or is expected to show.
struct Shown {
    bool open = true;
    const QImage* picture = nullptr;
    std::array<bool, ArrowCount> arrows {};
    std::array<int, EntryCount> pointSizes {};
    std::array<QRgb, EntryCount> textColours {};

    bool operator==(const Shown&) const = default;

    QString text(const MainWindow& window) const
    {
        QString page = QStringLiteral("none");
        for (PageId id : AllPages) {
            if (picture == &window.pageImage(id))
                page = QString::fromLatin1(nameOf(id).data());
        }
        QStringList shownArrows;
        for (ArrowId arrow : AllArrows) {
            if (arrows[indexOf(arrow)])
                shownArrows << QString::fromLatin1(nameOf(arrow).data());
        }
        QStringList entries;
        for (EntryId entry : AllEntries) {
            entries << QStringLiteral("%1 %2 pt #%3")
                           .arg(QString::fromLatin1(nameOf(entry).data()))
                           .arg(pointSizes[indexOf(entry)])
                           .arg(textColours[indexOf(entry)] & 0xFFFFFF, 6, 16, QLatin1Char('0'));
        }
        return QStringLiteral("%1, page %2, arrows {%3}, entries {%4}")
            .arg(open ? QStringLiteral("open") : QStringLiteral("closed"), page, shownArrows.join(QStringLiteral(" ")),
                entries.join(QStringLiteral(", ")));
    }
};

Shown seenIn(const MainWindow& window)
{
    Shown shown;
    shown.open = window.isVisible();
    shown.picture = window.pageArea()->view()->picture();
    for (ArrowId arrow : AllArrows)
        shown.arrows[indexOf(arrow)] = window.arrow(arrow)->isVisibleTo(&window);
    for (EntryId entry : AllEntries) {
        const MenuEntry* label = window.entry(entry);
        shown.pointSizes[indexOf(entry)] = label->font().pointSize();
        shown.textColours[indexOf(entry)] = label->textColour().rgb();
    }
    return shown;
}

// The window as the click rule sees it: a click is the left button pressed
// and released over the same control; the second press of a double-click is
// never a click; a hidden arrow is not there, and an arrow is only where the
// page area shows it. Like the window system, the reference gives every button
// pressed while another is held to the control where the first went down (the
// implicit grab). Choosing an entry or following an arrow goes to a
// navigation controller of the reference's own.
class Reference {
public:
    std::optional<Control> controlAt(QPoint point) const
    {
        for (EntryId entry : AllEntries) {
            if (Control::of(entry).rect().contains(point))
                return Control::of(entry);
        }
        for (ArrowId arrow : AllArrows) {
            if (m_navigation.state().isVisible(arrow) && Control::of(arrow).rect().contains(point))
                return Control::of(arrow);
        }
        return std::nullopt;
    }

    // Returns the controls clicked by the gesture.
    std::vector<Control> take(const Gesture& gesture)
    {
        std::vector<Control> clicked;
        switch (gesture.kind) {
        case Gesture::Kind::Press:
            press(gesture.button, gesture.point, false);
            break;
        case Gesture::Kind::Release:
            release(gesture.button, gesture.point, clicked);
            break;
        case Gesture::Kind::DoubleClick:
            press(gesture.button, gesture.point, false);
            release(gesture.button, gesture.point, clicked);
            press(gesture.button, gesture.point, true);
            release(gesture.button, gesture.point, clicked);
            break;
        case Gesture::Kind::Move:
            break;
        }
        return clicked;
    }

    bool isOpen() const { return m_open; }
    void reopen() { m_open = true; }
    std::optional<PageId> page() const { return m_navigation.state().page; }

    Shown expected(const MainWindow& window) const
    {
        const ViewState& state = m_navigation.state();
        Shown shown;
        shown.open = m_open;
        shown.picture = state.page ? &window.pageImage(*state.page) : nullptr;
        shown.arrows = state.arrows;
        const QRgb highlight = window.palette().color(QPalette::Active, QPalette::HighlightedText).rgb();
        for (EntryId entry : AllEntries) {
            const bool selected = state.selectedEntry == entry;
            shown.pointSizes[indexOf(entry)] = selected ? SelectedStyle.pointSize : NormalStyle.pointSize;
            shown.textColours[indexOf(entry)] = selected ? highlight : qRgb(0xFF, 0x00, 0x00);
        }
        return shown;
    }

private:
    void press(Qt::MouseButton button, QPoint point, bool secondOfDoubleClick)
    {
        if (m_held == Qt::NoButton)
            m_grab = m_open ? controlAt(point) : std::nullopt;
        m_held |= button;
        if (button == Qt::LeftButton)
            m_leftPressedOn = secondOfDoubleClick ? std::nullopt : m_grab;
    }

    void release(Qt::MouseButton button, QPoint point, std::vector<Control>& clicked)
    {
        m_held &= ~button;
        const std::optional<Control> target
            = button == Qt::LeftButton ? std::exchange(m_leftPressedOn, std::nullopt) : std::nullopt;
        if (m_held == Qt::NoButton)
            m_grab.reset();
        if (!m_open || !target || controlAt(point) != target)
            return;
        clicked.push_back(*target);
        if (target->kind == Control::Kind::Arrow)
            m_navigation.followArrow(AllArrows[target->index]);
        else if (m_navigation.chooseEntry(AllEntries[target->index]) == ClickOutcome::EndRequested)
            m_open = false;
    }

    NavigationController m_navigation;
    Qt::MouseButtons m_held;
    std::optional<Control> m_grab;
    std::optional<Control> m_leftPressedOn;
    bool m_open = true;
};

void deliver(const Gesture& gesture, QWindow* window)
{
    switch (gesture.kind) {
    case Gesture::Kind::Press:
        QTest::mousePress(window, gesture.button, {}, gesture.point);
        break;
    case Gesture::Kind::Release:
        QTest::mouseRelease(window, gesture.button, {}, gesture.point);
        break;
    case Gesture::Kind::DoubleClick:
        QTest::mouseDClick(window, gesture.button, {}, gesture.point);
        break;
    case Gesture::Kind::Move:
        QTest::mouseMove(window, gesture.point);
        break;
    }
}

// The storm's random input: half of its points anywhere in the window, half
// in or just around one of the fifteen control places, shown or not, so the
// edges and the hands get their share. Buttons are pressed only when up and
// released only when down, as with a real mouse.
class StormInput {
public:
    explicit StormInput(quint64 seed)
        : m_random(seed)
    {
    }

    Gesture next()
    {
        const int roll = int(m_random.bounded(100));
        const bool allHeld = m_held == (Qt::LeftButton | Qt::RightButton | Qt::MiddleButton);
        Gesture gesture { Gesture::Kind::Move, Qt::NoButton, {} };
        if (!allHeld && roll < (m_held == Qt::NoButton ? 45 : 15)) {
            gesture = { Gesture::Kind::Press, upButton(),
                m_held == Qt::NoButton || m_random.bounded(2) ? anyPoint() : m_pointer };
            m_held |= gesture.button;
        } else if (!allHeld && roll < (m_held == Qt::NoButton ? 60 : 25)) {
            gesture = { Gesture::Kind::DoubleClick, upButton(), anyPoint() };
        } else if (m_held != Qt::NoButton && roll < 65) {
            // Where the pointer is, a few pixels off, or anywhere else.
            const int where = int(m_random.bounded(4));
            gesture = { Gesture::Kind::Release, heldButton(),
                where < 2        ? m_pointer
                    : where == 2 ? near(m_pointer)
                                 : anyPoint() };
            m_held &= ~gesture.button;
        } else {
            gesture.point = m_random.bounded(2) ? near(m_pointer) : anyPoint();
        }
        m_pointer = gesture.point;
        return gesture;
    }

    Qt::MouseButtons held() const { return m_held; }

private:
    QPoint anyPoint()
    {
        if (m_random.bounded(2))
            return inWindow(
                QPoint(int(m_random.bounded(ClientArea.width())), int(m_random.bounded(ClientArea.height()))));
        const QRect place
            = Control::numbered(std::size_t(m_random.bounded(int(ControlCount)))).rect().adjusted(-2, -2, 2, 2);
        return near(QPoint(int(m_random.bounded(place.left(), place.right() + 1)),
            int(m_random.bounded(place.top(), place.bottom() + 1))));
    }

    QPoint near(QPoint from)
    {
        return inWindow(from + QPoint(int(m_random.bounded(-3, 4)), int(m_random.bounded(-3, 4))));
    }

    // QTest takes the point (0, 0) to mean the window's centre, so the storm
    // never sends it; the next pixel stands in.
    static QPoint inWindow(QPoint point)
    {
        const QPoint inside(
            std::clamp(point.x(), 0, ClientArea.width() - 1), std::clamp(point.y(), 0, ClientArea.height() - 1));
        return inside.isNull() ? QPoint(1, 0) : inside;
    }

    // Mostly the left button, which is the one that clicks.
    Qt::MouseButton upButton()
    {
        for (;;) {
            const int roll = int(m_random.bounded(10));
            const Qt::MouseButton button = roll < 8 ? Qt::LeftButton : roll == 8 ? Qt::RightButton : Qt::MiddleButton;
            if (!(m_held & button))
                return button;
        }
    }

    Qt::MouseButton heldButton()
    {
        for (;;) {
            const Qt::MouseButton button = Buttons[std::size_t(m_random.bounded(int(Buttons.size())))];
            if (m_held & button)
                return button;
        }
    }

    QRandomGenerator m_random;
    Qt::MouseButtons m_held;
    QPoint m_pointer { ClientArea.width() / 2, ClientArea.height() / 2 };
};

// Bytes allocated and not yet freed.
qint64 heapInUse()
{
#if defined(__SANITIZE_ADDRESS__)
    return qint64(__sanitizer_get_current_allocated_bytes());
#else
    const struct mallinfo2 info = mallinfo2();
    return qint64(info.uordblks + info.hblkhd);
#endif
}

qint64 residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * sysconf(_SC_PAGESIZE) : -1;
}

qint64 environmentNumber(const char* name, qint64 fallback)
{
    bool ok = false;
    const qint64 value = qEnvironmentVariable(name).toLongLong(&ok, 0);
    return ok ? value : fallback;
}

// "press left 524 164; release left 416 295; double-click middle 10 20; move 3 4"
std::vector<Gesture> parseGestures(const QString& script)
{
    static const QHash<QString, Gesture::Kind> kinds { { QStringLiteral("press"), Gesture::Kind::Press },
        { QStringLiteral("release"), Gesture::Kind::Release },
        { QStringLiteral("double-click"), Gesture::Kind::DoubleClick },
        { QStringLiteral("move"), Gesture::Kind::Move } };
    static const QHash<QString, Qt::MouseButton> buttons { { QStringLiteral("left"), Qt::LeftButton },
        { QStringLiteral("right"), Qt::RightButton }, { QStringLiteral("middle"), Qt::MiddleButton } };
    std::vector<Gesture> gestures;
    for (const QString& step : script.split(u';', Qt::SkipEmptyParts)) {
        QStringList words = step.split(u' ', Qt::SkipEmptyParts);
        Gesture gesture { kinds.value(words.takeFirst()), Qt::NoButton, {} };
        if (gesture.kind != Gesture::Kind::Move)
            gesture.button = buttons.value(words.takeFirst());
        gesture.point = QPoint(words.value(0).toInt(), words.value(1).toInt());
        gestures.push_back(gesture);
    }
    return gestures;
}

} // namespace

class TestClickStorm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void referenceHitsTheDesignedPixels_data();
    void referenceHitsTheDesignedPixels();
    void gestures_data();
    void gestures();
    void storm();

private:
    std::unique_ptr<ImageLibrary> m_images;
};

void TestClickStorm::initTestCase()
{
    QString error;
    QVERIFY2(registerMenuTypeface(&error), qPrintable(error));
    m_images = ImageLibrary::load(&error);
    QVERIFY2(m_images, qPrintable(error));
}

// The reference's own idea of where the controls are, pinned at their
// corners and just outside them.
void TestClickStorm::referenceHitsTheDesignedPixels_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QString>("control");
    const QString tk1 = QStringLiteral("press left 524 164; release left 524 164");
    const QString tk2 = tk1 + QStringLiteral("; press left 400 300; release left 400 300");
    const QString az3 = QStringLiteral("press left 524 204; release left 524 204; press left 400 300; release left "
                                       "400 300; press left 400 300; release left 400 300");
    QTest::addRow("Label5 top left") << "" << QPoint(472, 16) << "Label5";
    QTest::addRow("Label5 bottom right") << "" << QPoint(560, 40) << "Label5";
    QTest::addRow("left of Label5") << "" << QPoint(471, 16) << "";
    QTest::addRow("below Label5") << "" << QPoint(560, 41) << "";
    QTest::addRow("Label6 bottom right") << "" << QPoint(528, 320) << "Label6";
    QTest::addRow("right of Label6") << "" << QPoint(529, 320) << "";
    QTest::addRow("hidden I1") << "" << QPoint(400, 300) << "";
    QTest::addRow("I1 top left") << tk1 << QPoint(386, 290) << "I1";
    QTest::addRow("I1 bottom right, cut by the page") << tk1 << QPoint(414, 318) << "I1";
    QTest::addRow("right of I1, on the frame") << tk1 << QPoint(415, 318) << "";
    QTest::addRow("below I1, on the frame") << tk1 << QPoint(414, 319) << "";
    QTest::addRow("above I1") << tk1 << QPoint(386, 289) << "";
    QTest::addRow("I2 where I1 was") << tk2 << QPoint(400, 300) << "I2";
    QTest::addRow("I3 top left") << tk2 << QPoint(10, 290) << "I3";
    QTest::addRow("left of I3") << tk2 << QPoint(9, 290) << "";
    QTest::addRow("I8 bottom right") << az3 << QPoint(41, 318) << "I8";
}

void TestClickStorm::referenceHitsTheDesignedPixels()
{
    QFETCH(QString, before);
    QFETCH(QPoint, point);
    QFETCH(QString, control);
    Reference reference;
    for (const Gesture& gesture : parseGestures(before))
        reference.take(gesture);
    const std::optional<Control> found = reference.controlAt(point);
    QCOMPARE(found ? found->name() : QString(), control);
}

// Gestures where the window system's view and the click rule meet, played
// on the window and on the reference; both must end on the page named.
void TestClickStorm::gestures_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("page");
    const QString tk1 = QStringLiteral("press left 524 164; release left 524 164; ");
    QTest::addRow("pressed on one entry, released on another")
        << "press left 532 92; move 528 132; release left 528 132"
        << "";
    QTest::addRow("pressed off an entry, released on it") << "press left 440 150; release left 528 132"
                                                          << "";
    QTest::addRow("right double-click on an entry") << "double-click right 528 132"
                                                    << "";
    QTest::addRow("left click on an entry while the right button is held on the page")
        << "press right 200 150; press left 528 132; release left 528 132; release right 200 150"
        << "";
    QTest::addRow("left click on an entry while the right button is held on it")
        << "press right 528 132; press left 528 132; release left 528 132; release right 528 132"
        << "Hd";
    QTest::addRow("middle double-click while the left button is held on an entry")
        << "press left 524 164; double-click middle 524 164; release left 524 164"
        << "Tk1";
    QTest::addRow("double-click on the right hand") << tk1 + "double-click left 400 300"
                                                    << "Tk2";
    QTest::addRow("drag off the right hand and back") << tk1
            + "press left 400 300; move 200 150; move 401 301; "
              "release left 401 301"
                                                      << "Tk2";
    QTest::addRow("released on the visible edge of the right hand") << tk1 + "press left 400 300; release left 414 318"
                                                                    << "Tk2";
    QTest::addRow("released on the frame beside the right hand") << tk1 + "press left 413 294; release left 416 295"
                                                                 << "Tk1";
    QTest::addRow("released on the frame below the right hand") << tk1 + "press left 400 310; release left 400 320"
                                                                << "Tk1";
}

void TestClickStorm::gestures()
{
    QFETCH(QString, script);
    QFETCH(QString, page);
    NavigationController controller;
    MainWindow window(*m_images, controller);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    Reference reference;
    for (const Gesture& gesture : parseGestures(script)) {
        reference.take(gesture);
        deliver(gesture, window.windowHandle());
        QCOMPARE(seenIn(window).text(window), reference.expected(window).text(window));
    }
    const std::optional<PageId> shown = reference.page();
    QCOMPARE(shown ? QString::fromLatin1(nameOf(*shown).data()) : QString(), page);
}

void TestClickStorm::storm()
{
    const quint64 seed = quint64(environmentNumber("QUELVARA_STORM_SEED", qint64(DefaultSeed)));
    const qint64 events = environmentNumber("QUELVARA_STORM_EVENTS", DefaultEvents);
    const qint64 warmUp = std::min(WarmUpEvents, events / 2);
    const QString rerun = QStringLiteral("QUELVARA_STORM_SEED=%1 QUELVARA_STORM_EVENTS=%2").arg(seed).arg(events);

    NavigationController controller;
    MainWindow window(*m_images, controller);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.windowHandle()->size(), ClientArea);

    StormInput input(seed);
    Reference reference;
    std::deque<QString> recent;
    std::array<qint64, ControlCount> clicks {};
    std::array<bool, PageCount> pagesShown {};
    std::array<qint64, 4> gestures {};
    qint64 reopened = 0;
    qint64 heapAfterWarmUp = 0;
    qint64 residentAfterWarmUp = 0;
    QElapsedTimer clock;
    clock.start();

    for (qint64 event = 0; event < events; ++event) {
        const Gesture gesture = input.next();
        for (const Control& control : reference.take(gesture))
            ++clicks[control.number()];
        deliver(gesture, window.windowHandle());
        ++gestures[std::size_t(gesture.kind)];

        recent.push_back(QStringLiteral("#%1 %2").arg(event).arg(gesture.text()));
        if (recent.size() > 16)
            recent.pop_front();
        const Shown expected = reference.expected(window);
        const Shown seen = seenIn(window);
        if (seen != expected) {
            QStringList lines { QStringLiteral("after event #%1 of the storm with seed %2").arg(event).arg(seed),
                QStringLiteral("  expected: ") + expected.text(window),
                QStringLiteral("  shown:    ") + seen.text(window), QStringLiteral("  the last events:") };
            for (const QString& line : recent)
                lines << QStringLiteral("    ") + line;
            lines << QStringLiteral("  run it again with ") + rerun;
            QFAIL(qPrintable(lines.join(u'\n')));
        }

        if (const std::optional<PageId> page = reference.page())
            pagesShown[indexOf(*page)] = true;
        // Exit closed the window, as it should; open it again to go on.
        if (!reference.isOpen()) {
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            reference.reopen();
            ++reopened;
        }
        if (event + 1 == warmUp) {
            heapAfterWarmUp = heapInUse();
            residentAfterWarmUp = residentBytes();
        }
    }
    for (Qt::MouseButton button : Buttons) {
        if (input.held() & button)
            QTest::mouseRelease(window.windowHandle(), button, {}, QPoint(1, 0));
    }

    const qint64 heapGrowth = heapInUse() - heapAfterWarmUp;
    const qint64 residentGrowth = residentBytes() - residentAfterWarmUp;
    QStringList clicked;
    for (std::size_t number = 0; number < ControlCount; ++number)
        clicked << QStringLiteral("%1 %2").arg(Control::numbered(number).name()).arg(clicks[number]);
    qInfo("%lld events with seed %llu in %.1f s: %lld presses, %lld releases, %lld double-clicks, %lld moves and "
          "drags; Exit closed the window %lld times",
        events, seed, double(clock.elapsed()) / 1000, gestures[0], gestures[1], gestures[2], gestures[3], reopened);
    qInfo("clicks: %s", qPrintable(clicked.join(QStringLiteral(", "))));
    qInfo("from the end of the first %lld events to the end, the heap in use grew by %lld bytes and resident "
          "memory by %lld bytes",
        warmUp, heapGrowth, residentGrowth);

    // A storm that never reached a control or a page would prove little.
    for (std::size_t number = 0; number < ControlCount; ++number) {
        QVERIFY2(clicks[number] > 0,
            qPrintable(QStringLiteral("no click landed on %1 in %2").arg(Control::numbered(number).name(), rerun)));
    }
    for (PageId page : AllPages) {
        QVERIFY2(pagesShown[indexOf(page)],
            qPrintable(QStringLiteral("page %1 was never shown in %2").arg(QLatin1String(nameOf(page).data()), rerun)));
    }

    // Showing the window again after Exit costs the offscreen platform about
    // 200 bytes each time; the allowance covers that many times over.
    const QString between = QStringLiteral("from the end of the first %1 events to the end of the storm, more than the "
                                           "%2 allowed; %3")
                                .arg(warmUp)
                                .arg(AllowedGrowth)
                                .arg(rerun);
    QVERIFY2(heapGrowth < AllowedGrowth,
        qPrintable(QStringLiteral("the heap in use grew by %1 bytes ").arg(heapGrowth) + between));
#if !defined(__SANITIZE_ADDRESS__)
    // Under the address sanitizer freed memory waits in quarantine, so there
    // only the heap tells.
    QVERIFY2(residentGrowth < AllowedGrowth,
        qPrintable(QStringLiteral("resident memory grew by %1 bytes ").arg(residentGrowth) + between));
#endif
}

QTEST_MAIN(TestClickStorm)
#include "tst_clickstorm.moc"
