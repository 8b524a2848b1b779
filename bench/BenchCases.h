// The measured cases of the benchmark. Each runs in a process of its own, so that its peak memory
// is its own, and prints one line "seconds<TAB>detail".
#pragma once

namespace tagloom::bench {

// Runs the case named by argv[0] with its arguments; returns the process exit status.
int runCase(int argc, char *argv[]);

} // namespace tagloom::bench
