// A second solver for the proposal's integer program, to measure against the one the program
// uses. Built only where GLPK is installed; the program itself never links it.
#pragma once

#include "base/integerprogram.h"

namespace pelora::bench {

#ifdef PELORA_BENCH_GLPK
IntegerSolution solveWithGlpk(const IntegerProgram& program, double seconds);
#endif

}  // namespace pelora::bench
