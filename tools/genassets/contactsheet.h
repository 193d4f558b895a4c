#pragma once

#include <QImage>
#include <QString>

namespace genassets {

// One picture for reviewing the lot: every file read back from assetDir, enlarged, with its
// name, then the pictures put together as the window shows them.
QImage contactSheet(const QString& assetDir);

} // namespace genassets
