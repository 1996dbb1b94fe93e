// The one integer program of the program: a linear objective over bounded columns, some of them
// whole numbers, under rows of lower and upper bounds, maximised by a packaged solver within a
// time limit.
#pragma once

#include <utility>
#include <vector>

namespace pelora {

struct IntegerProgram {
    struct Column {
        double lower = 0, upper = 1;
        double objective = 0;
        bool integer = true;
    };
    struct Row {
        double lower, upper;                        // may be -/+infinity
        std::vector<std::pair<int, double>> terms;  // column, coefficient
    };
    std::vector<Column> columns;
    std::vector<Row> rows;
    std::vector<double> start;  // a solution to start from, or empty
};

struct IntegerSolution {
    enum class Status {
        Optimal,    // proven best
        TimeLimit,  // the best found before the time ran out, not proven best
        None,       // no solution found (or none exists)
    } status = Status::None;
    std::vector<double> values;  // per column; empty for None
};

// Whether the solver's library is there; without it every program comes back with no solution.
bool integerProgramSolverPresent();

// The program maximised, stopping after `seconds` with the best solution found by then.
IntegerSolution solveIntegerProgram(const IntegerProgram& program, double seconds);

}  // namespace pelora
