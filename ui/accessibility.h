// What the window shows a screen reader, through Qt's accessibility layer:
// the menu entries and the visible arrows as buttons that can be pressed, and
// the page area named after the page shown, with the page's whole text as its
// description. Decorative icons, rules and the banner are left out.
#pragma once

namespace quelvara {

// Installs the factory that gives the window's own widgets their accessible
// interfaces. Call once, after the application object exists.
void installAccessibility();

} // namespace quelvara
