#include "base/integerprogram.h"

#include <Cbc_C_Interface.h>

#include <memory>
#include <string>

namespace pelora {

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

    const std::unique_ptr<Cbc_Model, void (*)(Cbc_Model*)> model(Cbc_newModel(), Cbc_deleteModel);
    Cbc_loadProblem(model.get(), columns, static_cast<int>(program.rows.size()), starts.data(),
                    indices.data(), values.data(), lower.data(), upper.data(), objective.data(),
                    rowLower.data(), rowUpper.data());
    for (int c = 0; c < columns; ++c) {
        if (program.columns[static_cast<std::size_t>(c)].integer) Cbc_setInteger(model.get(), c);
    }
    if (program.start.size() == program.columns.size()) {
        std::vector<int> all(program.columns.size());
        for (int c = 0; c < columns; ++c)
            all[static_cast<std::size_t>(c)] = c;
        Cbc_setMIPStartI(model.get(), columns, all.data(), program.start.data());
    }

    Cbc_setParameter(model.get(), "sec", std::to_string(seconds).c_str());
    Cbc_setMaximumSeconds(model.get(), seconds);
    Cbc_setLogLevel(model.get(), 0);
    // The proposal's rows are all of ones but for the open groups' sizes, and its objective
    // weighs pupils far above ranks. Scaling and preprocessing such a program cost the search
    // most of its time at the limits and found nothing; nor did the feasibility pump.
    Cbc_setParameter(model.get(), "scaling", "off");
    Cbc_setParameter(model.get(), "preprocess", "off");
    Cbc_setParameter(model.get(), "feaspump", "off");
    Cbc_solve(model.get());

    const double* best = Cbc_bestSolution(model.get());
    if (best == nullptr)
        best =
            Cbc_numberSavedSolutions(model.get()) > 0 ? Cbc_savedSolution(model.get(), 0) : nullptr;
    if (best == nullptr) return solution;
    solution.values.assign(best, best + columns);
    solution.status = Cbc_isProvenOptimal(model.get()) ? IntegerSolution::Status::Optimal
                                                       : IntegerSolution::Status::TimeLimit;
    return solution;
}

}  // namespace pelora
