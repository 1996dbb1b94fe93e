#include "base/integerprogram.h"

#include <Cbc_C_Interface.h>

#include <memory>
#include <string>

#include "base/library.h"

namespace pelora {

namespace {

// CBC's C interface, from its library loaded at the first integer program: the library and the
// numerical ones it brings cost a start-up some 20 ms, and most runs never solve one.
struct Cbc {
    decltype(&Cbc_newModel) newModel = nullptr;
    decltype(&Cbc_deleteModel) deleteModel = nullptr;
    decltype(&Cbc_loadProblem) loadProblem = nullptr;
    decltype(&Cbc_setInteger) setInteger = nullptr;
    decltype(&Cbc_setMIPStartI) setMIPStartI = nullptr;
    decltype(&Cbc_setParameter) setParameter = nullptr;
    decltype(&Cbc_setMaximumSeconds) setMaximumSeconds = nullptr;
    decltype(&Cbc_setLogLevel) setLogLevel = nullptr;
    decltype(&Cbc_solve) solve = nullptr;
    decltype(&Cbc_bestSolution) bestSolution = nullptr;
    decltype(&Cbc_numberSavedSolutions) numberSavedSolutions = nullptr;
    decltype(&Cbc_savedSolution) savedSolution = nullptr;
    decltype(&Cbc_isProvenOptimal) isProvenOptimal = nullptr;
    bool complete = false;
};

template <typename Function>
bool find(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(sharedLibrarySymbol(library, name));
    return function != nullptr;
}

const Cbc& cbc() {
    static const Cbc loaded = [] {
        Cbc c;
        void* library = openSharedLibrary(PELORA_CBC_LIBRARY);
        c.complete = find(library, "Cbc_newModel", c.newModel) &&
                     find(library, "Cbc_deleteModel", c.deleteModel) &&
                     find(library, "Cbc_loadProblem", c.loadProblem) &&
                     find(library, "Cbc_setInteger", c.setInteger) &&
                     find(library, "Cbc_setMIPStartI", c.setMIPStartI) &&
                     find(library, "Cbc_setParameter", c.setParameter) &&
                     find(library, "Cbc_setMaximumSeconds", c.setMaximumSeconds) &&
                     find(library, "Cbc_setLogLevel", c.setLogLevel) &&
                     find(library, "Cbc_solve", c.solve) &&
                     find(library, "Cbc_bestSolution", c.bestSolution) &&
                     find(library, "Cbc_numberSavedSolutions", c.numberSavedSolutions) &&
                     find(library, "Cbc_savedSolution", c.savedSolution) &&
                     find(library, "Cbc_isProvenOptimal", c.isProvenOptimal);
        return c;
    }();
    return loaded;
}

}  // namespace

bool integerProgramSolverPresent() {
    return cbc().complete;
}

IntegerSolution solveIntegerProgram(const IntegerProgram& program, double seconds) {
    IntegerSolution solution;
    const int columns = static_cast<int>(program.columns.size());
    if (columns == 0) {
        solution.status = IntegerSolution::Status::Optimal;
        return solution;
    }
    // The solver takes the matrix by columns.
    std::vector<std::vector<std::pair<int, double>>> byColumn(program.columns.size());
    for (std::size_t r = 0; r < program.rows.size(); ++r) {
        for (const auto& [column, coefficient] : program.rows[r].terms)
            byColumn[static_cast<std::size_t>(column)].emplace_back(static_cast<int>(r),
                                                                    coefficient);
    }
    std::vector<int> starts{0}, indices;
    std::vector<double> values, lower, upper, objective, rowLower, rowUpper;
    for (std::size_t c = 0; c < program.columns.size(); ++c) {
        for (const auto& [row, coefficient] : byColumn[c]) {
            indices.push_back(row);
            values.push_back(coefficient);
        }
        starts.push_back(static_cast<int>(indices.size()));
        lower.push_back(program.columns[c].lower);
        upper.push_back(program.columns[c].upper);
        // Minimised as its opposite: the solver's own maximising loses its way from a start.
        objective.push_back(-program.columns[c].objective);
    }
    for (const IntegerProgram::Row& row : program.rows) {
        rowLower.push_back(row.lower);
        rowUpper.push_back(row.upper);
    }

    const Cbc& solver = cbc();
    if (!solver.complete) return solution;  // no solver: no solution, as if none were found
    const std::unique_ptr<Cbc_Model, void (*)(Cbc_Model*)> model(solver.newModel(),
                                                                 solver.deleteModel);
    solver.loadProblem(model.get(), columns, static_cast<int>(program.rows.size()), starts.data(),
                       indices.data(), values.data(), lower.data(), upper.data(), objective.data(),
                       rowLower.data(), rowUpper.data());
    for (int c = 0; c < columns; ++c) {
        if (program.columns[static_cast<std::size_t>(c)].integer) solver.setInteger(model.get(), c);
    }
    if (program.start.size() == program.columns.size()) {
        std::vector<int> all(program.columns.size());
        for (int c = 0; c < columns; ++c)
            all[static_cast<std::size_t>(c)] = c;
        solver.setMIPStartI(model.get(), columns, all.data(), program.start.data());
    }

    solver.setParameter(model.get(), "sec", std::to_string(seconds).c_str());
    solver.setMaximumSeconds(model.get(), seconds);
    solver.setLogLevel(model.get(), 0);
    // The proposal's rows are all of ones but for the open groups' sizes, and its objective
    // weighs pupils far above ranks. Scaling and preprocessing such a program cost the search
    // most of its time at the limits and found nothing; nor did the feasibility pump.
    solver.setParameter(model.get(), "scaling", "off");
    solver.setParameter(model.get(), "preprocess", "off");
    solver.setParameter(model.get(), "feaspump", "off");
    solver.solve(model.get());

    const double* best = solver.bestSolution(model.get());
    if (best == nullptr)
        best = solver.numberSavedSolutions(model.get()) > 0 ? solver.savedSolution(model.get(), 0)
                                                            : nullptr;
    if (best == nullptr) return solution;
    solution.values.assign(best, best + columns);
    solution.status = solver.isProvenOptimal(model.get()) ? IntegerSolution::Status::Optimal
                                                          : IntegerSolution::Status::TimeLimit;
    return solution;
}

}  // namespace pelora
