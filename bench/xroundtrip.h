#pragma once

namespace quelvara::bench {

// Waits until the X server has handled every request sent so far: flushes
// the connection and waits for the answer to a question. Returns false, and
// does nothing, when the application does not run on X.
bool xRoundTrip();

} // namespace quelvara::bench
