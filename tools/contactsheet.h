#pragma once

#include <QString>

namespace quelvara::tools {

// One PNG for review: the ten pages and the banner at twice their size, the
// icons and cursors at four times, each labelled with its file name.
void writeContactSheet(const QString& generatedFolder, const QString& pngPath, const QString& fontFamily);

} // namespace quelvara::tools
