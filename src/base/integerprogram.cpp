#include "base/integerprogram.h"

#include <Cbc_C_Interface.h>

#include <memory>
#include <string>

#include "base/library.h"

namespace pelora {

namespace {

// CBC's C interface, from its library loaded at the first integer program: the library and the
// numerical ones it brings cost a start-up some 20 ms, and most runs never solve one. Each
// function is looked up where it is declared, in the order declared.
class Cbc {
public:
    bool complete() const { return m_missing == 0; }

private:
    void* m_library = openSharedLibrary(PELORA_CBC_LIBRARY);
    int m_missing = 0;

    template <typename Function>
    Function find(const char* name) {
        void* found = sharedLibrarySymbol(m_library, name);
        m_missing += found == nullptr ? 1 : 0;
        return reinterpret_cast<Function>(found);
    }

public:
#define PELORA_CBC(name) decltype(&Cbc_##name) name = find<decltype(&Cbc_##name)>("Cbc_" #name)
    PELORA_CBC(newModel);
    PELORA_CBC(deleteModel);
    PELORA_CBC(loadProblem);
    PELORA_CBC(setInteger);
    PELORA_CBC(setMIPStartI);
    PELORA_CBC(setParameter);
    PELORA_CBC(setMaximumSeconds);
    PELORA_CBC(setLogLevel);
    PELORA_CBC(solve);
    PELORA_CBC(bestSolution);
    PELORA_CBC(numberSavedSolutions);
    PELORA_CBC(savedSolution);
    PELORA_CBC(isProvenOptimal);
#undef PELORA_CBC
};

const Cbc& cbc() {
    static const Cbc loaded;
    return loaded;
}

}  // namespace

bool integerProgramSolverPresent() {
    return cbc().complete();
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
    if (!solver.complete()) return solution;  // no solver: no solution, as if none were found
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
