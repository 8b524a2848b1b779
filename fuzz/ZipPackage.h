// Builds a zip archive in memory from named parts, stored without compression, so that a fuzzer
// can mutate the XML of a package rather than its deflate stream and CRCs.
#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>

namespace tagloom::fuzz {

QByteArray zipPackage(const QList<QPair<QByteArray, QByteArray>> &parts);

} // namespace tagloom::fuzz
