// The start-up probe is linked into both start-up benchmark programs. It
// notes when the process began, watches for the window's first paint, and
// ends the process as soon as that frame has reached the X server, printing
// the times it noted as one JSON line.
#pragma once

namespace quelvara::bench {

enum class StartupMark { DecodeStart, DecodeEnd, WindowStart, WindowEnd, Count };

// Notes the time of a mark; only the first time of each counts.
void markStartup(StartupMark mark);

} // namespace quelvara::bench
