// The measured cases of the benchmark. Each runs in a process of its own, so that its peak memory
// is its own, and prints one line "seconds<TAB>detail".
#pragma once

#include <QString>
#include <QStringList>

namespace tagloom::bench {

// Runs the case named by the arguments; returns the process exit status.
int runCase(const QStringList &arguments);

} // namespace tagloom::bench
