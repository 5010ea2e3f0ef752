#ifndef PROGRAMADEBENCHMARK_H
#define PROGRAMADEBENCHMARK_H

#include <functional>

#include "relatordetempos.h"

// The main() of a canvas benchmark: an offscreen QApplication unless a platform is set, Google
// Benchmark's arguments, then `conferir` (a picture check that must pass before anything is timed),
// every benchmark, and `relatar` with their times to print the ratios the goals are stated in.
// Returns the program's exit code: 1 for unknown arguments or a failed check.
int executarBenchmarks(int argc, char** argv, const std::function<bool()>& conferir,
                       const std::function<void(const RelatorDeTempos&)>& relatar);

#endif
