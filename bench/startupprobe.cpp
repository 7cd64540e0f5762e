#include "startupprobe.h"

#include "xroundtrip.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <sys/resource.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace quelvara::bench {

namespace {

using Clock = std::chrono::steady_clock;

struct Moment {
    Clock::time_point time {};
    long peakMemoryKib { 0 };
};

long peakMemoryKib()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

Moment now() { return { Clock::now(), peakMemoryKib() }; }

Moment processStart;
Moment applicationReady;
std::array<std::optional<Moment>, std::size_t(StartupMark::Count)> marks;

// Runs once the libraries are loaded, before the program's own static
// initialisation.
__attribute__((constructor(101))) void noteProcessStart() { processStart = now(); }

double millisecondsBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

void printNumber(const char* name, std::optional<double> value)
{
    if (value)
        std::printf(", \"%s\": %.3f", name, *value);
    else
        std::printf(", \"%s\": null", name);
}

void printMemory(const char* name, std::optional<Moment> moment)
{
    if (moment)
        std::printf(", \"%s\": %ld", name, moment->peakMemoryKib);
    else
        std::printf(", \"%s\": null", name);
}

// Prints the times and ends the process at once: both programs stop in the
// same way, without tearing the window and the application down.
[[noreturn]] void finish(Moment firstPaint)
{
    const bool onX = xRoundTrip();
    const Moment onServer = now();
    auto at = [](StartupMark mark) { return marks[std::size_t(mark)]; };
    auto between = [](std::optional<Moment> from, std::optional<Moment> to) {
        return from && to ? std::optional(millisecondsBetween(from->time, to->time)) : std::nullopt;
    };
    const std::optional<Moment> windowEnd = at(StartupMark::WindowEnd);

    std::printf("{\"qt_version\": \"%s\", \"x_round_trip\": %s", qVersion(), onX ? "true" : "false");
    printNumber("to_application_ms", millisecondsBetween(processStart.time, applicationReady.time));
    printNumber("to_decode_ms", between(applicationReady, at(StartupMark::DecodeStart)));
    printNumber("decode_ms", between(at(StartupMark::DecodeStart), at(StartupMark::DecodeEnd)));
    printNumber("decode_to_window_ms", between(at(StartupMark::DecodeEnd), at(StartupMark::WindowStart)));
    printNumber("window_ms", between(at(StartupMark::WindowStart), windowEnd));
    printNumber("show_ms", between(windowEnd, firstPaint));
    printNumber("first_paint_ms", millisecondsBetween(firstPaint.time, onServer.time));
    printNumber("total_ms", millisecondsBetween(processStart.time, onServer.time));
    // The peak memory so far at each moment, in KiB.
    printMemory("peak_kib_at_start", processStart);
    printMemory("peak_kib_with_application", applicationReady);
    printMemory("peak_kib_before_decode", at(StartupMark::DecodeStart));
    printMemory("peak_kib_after_decode", at(StartupMark::DecodeEnd));
    printMemory("peak_kib_before_window", at(StartupMark::WindowStart));
    printMemory("peak_kib_after_window", windowEnd);
    printMemory("peak_kib_at_first_paint", firstPaint);
    printMemory("peak_kib_on_server", onServer);
    std::printf("}\n");
    std::fflush(stdout);
    std::_Exit(0);
}

class FirstPaintObserver final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!m_seen && event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget*>(watched)->isWindow()) {
            m_seen = true;
            const Moment firstPaint = now();
            // The whole window is painted and flushed before the event loop
            // comes back to this timer.
            QTimer::singleShot(0, [firstPaint] { finish(firstPaint); });
        }
        return false;
    }

private:
    bool m_seen { false };
};

void watchForFirstPaint()
{
    applicationReady = now();
    QCoreApplication::instance()->installEventFilter(new FirstPaintObserver(QCoreApplication::instance()));
}

// Runs as soon as the application object exists.
Q_COREAPP_STARTUP_FUNCTION(watchForFirstPaint)

} // namespace

void markStartup(StartupMark mark)
{
    std::optional<Moment>& slot = marks[std::size_t(mark)];
    if (!slot)
        slot = now();
}

} // namespace quelvara::bench
