// The click benchmark: the window as the program builds it, clicked with real
// mouse events delivered through its QWindow, as a user would click it. Each
// click is timed from the press until the window has repainted and, on X,
// until the server has the new frame. Prints one JSON line.
//
//   quelvara-click-bench [clicks]
#include "largeallocations.h"
#include "xroundtrip.h"

#include "imagelibrary.h"
#include "mainwindow.h"
#include "menutypeface.h"
#include "picturebox.h"
#include "tables.h"

#include <QApplication>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

using namespace quelvara;
using namespace quelvara::bench;

namespace {

using Clock = std::chrono::steady_clock;

// Allocations of this size or more are page-sized buffers: an 8-bit page
// alone takes 103 224 bytes.
constexpr std::size_t LargeAllocation = 100'000;
constexpr int WarmUpRounds = 20;

// One round clicks every entry that opens a page and every arrow once; each
// arrow is clicked on the page it is visible on.
const std::vector<std::string_view> Round { "Label1", "Label2", "Label5", "Label7", "Label3", "I1", "I2", "I4", "I3",
    "Label4", "I5", "I6", "I8", "I7" };

class PaintCounter final : public QObject {
public:
    using QObject::QObject;
    int paints { 0 };

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

struct Control {
    std::string_view name;
    QPoint centre;
};

double microseconds(Clock::duration duration) { return std::chrono::duration<double, std::micro>(duration).count(); }

// The nearest-rank percentile of sorted samples.
double percentile(const std::vector<double>& sorted, double fraction)
{
    const auto rank = std::size_t(std::ceil(fraction * double(sorted.size())));
    return sorted[std::clamp<std::size_t>(rank, 1, sorted.size()) - 1];
}

[[noreturn]] void fail(const std::string& what)
{
    std::fprintf(stderr, "quelvara-click-bench: %s\n", what.c_str());
    std::exit(1);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const long wanted = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 10'080;
    const std::size_t rounds = std::size_t(std::max<long>(1, (wanted + long(Round.size()) - 1) / long(Round.size())));

    QString error;
    if (!registerMenuTypeface(&error))
        fail(error.toStdString());
    const std::unique_ptr<ImageLibrary> images = ImageLibrary::load(&error);
    if (!images)
        fail(error.toStdString());
    NavigationController controller;
    MainWindow window(*images, controller);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        fail("the window was never shown");
    QWindow* handle = window.windowHandle();

    PaintCounter pagePaints;
    window.pageArea()->view()->installEventFilter(&pagePaints);

    std::vector<Control> controls;
    for (std::string_view name : Round) {
        const auto* widget = window.findChild<QWidget*>(QString::fromLatin1(name.data(), qsizetype(name.size())));
        if (!widget)
            fail("no control named " + std::string(name));
        controls.push_back({ name, widget->mapTo(&window, widget->rect().center()) });
    }

    // The controller the window should follow, clicked alongside it.
    NavigationController expected;
    const std::size_t clicks = rounds * controls.size();
    std::vector<double> samples;
    samples.reserve(clicks);
    std::map<std::string_view, std::vector<double>> byControl;
    for (const Control& control : controls)
        byControl[control.name].reserve(rounds);

    bool onX = false;
    auto click = [&](const Control& control) {
        const int paintsBefore = pagePaints.paints;
        const Clock::time_point start = Clock::now();
        QTest::mouseClick(handle, Qt::LeftButton, {}, control.centre);
        onX = xRoundTrip();
        const Clock::duration took = Clock::now() - start;
        (void)expected.click(control.name);
        if (controller.state() != expected.state())
            fail("the window did not follow a click on " + std::string(control.name));
        if (pagePaints.paints == paintsBefore)
            fail("the page was not repainted after a click on " + std::string(control.name));
        return took;
    };

    for (int round = 0; round < WarmUpRounds; ++round) {
        for (const Control& control : controls)
            click(control);
    }

    const bool counted = canCountAllocations();
    startCountingAllocations(LargeAllocation);
    for (std::size_t round = 0; round < rounds; ++round) {
        for (const Control& control : controls) {
            const double took = microseconds(click(control));
            samples.push_back(took);
            byControl[control.name].push_back(took);
        }
    }
    const AllocationCounts allocations = stopCountingAllocations();

    std::sort(samples.begin(), samples.end());
    double sum = 0;
    for (double sample : samples)
        sum += sample;

    std::printf("{\"platform\": \"%s\", \"qt_version\": \"%s\", \"x_round_trip\": %s, \"clicks\": %zu",
        qPrintable(QGuiApplication::platformName()), qVersion(), onX ? "true" : "false", clicks);
    std::printf(", \"median_us\": %.2f, \"p99_us\": %.2f, \"max_us\": %.2f, \"mean_us\": %.2f",
        percentile(samples, 0.5), percentile(samples, 0.99), samples.back(), sum / double(clicks));
    std::printf(", \"median_us_by_control\": {");
    const char* separator = "";
    for (auto& [name, times] : byControl) {
        std::sort(times.begin(), times.end());
        std::printf("%s\"%.*s\": %.2f", separator, int(name.size()), name.data(), percentile(times, 0.5));
        separator = ", ";
    }
    std::printf("}");
    if (counted) {
        std::printf(", \"allocations_per_click\": %.2f, \"large_allocations\": %llu, \"largest_allocation_bytes\": %zu",
            double(allocations.all) / double(clicks), static_cast<unsigned long long>(allocations.large),
            allocations.largest);
    } else {
        std::printf(
            ", \"allocations_per_click\": null, \"large_allocations\": null, \"largest_allocation_bytes\": null");
    }
    std::printf(", \"large_allocation_from_bytes\": %zu}\n", LargeAllocation);
    std::fflush(stdout);
    return 0;
}
