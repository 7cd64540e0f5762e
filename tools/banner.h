#pragma once

#include <QImage>
#include <QString>

namespace quelvara::tools {

// The title strip: a dark red-and-green mottled texture grown from seed, with
// the title and version in large light letters outlined in a dark colour.
QImage renderBanner(
    const QString& title, const QString& version, const QString& fontFamily, quint32 seed, int scale = 1);

} // namespace quelvara::tools
