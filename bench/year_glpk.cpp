#include <glpk.h>

#include <cmath>
#include <memory>

#include "year_solvers.h"

namespace pelora::bench {

namespace {

struct Start {
    const IntegerProgram* program;
    bool given = false;
};

// Hands the start to the search as its first solution.
void offerStart(glp_tree* tree, void* info) {
    auto* start = static_cast<Start*>(info);
    if (glp_ios_reason(tree) != GLP_IHEUR || start->given) return;
    start->given = true;
    std::vector<double> values{0};
    values.insert(values.end(), start->program->start.begin(), start->program->start.end());
    glp_ios_heur_sol(tree, values.data());
}

double bound(double value) {
    return std::isinf(value) ? 0 : value;
}

int rowType(double lower, double upper) {
    if (std::isinf(lower) && std::isinf(upper)) return GLP_FR;
    if (std::isinf(lower)) return GLP_UP;
    if (std::isinf(upper)) return GLP_LO;
    return lower == upper ? GLP_FX : GLP_DB;
}

}  // namespace

IntegerSolution solveWithGlpk(const IntegerProgram& program, double seconds) {
    IntegerSolution solution;
    const std::unique_ptr<glp_prob, void (*)(glp_prob*)> lp(glp_create_prob(), glp_delete_prob);
    glp_prob* p = lp.get();
    glp_set_obj_dir(p, GLP_MAX);
    const int columns = static_cast<int>(program.columns.size());
    const int rows = static_cast<int>(program.rows.size());
    if (columns == 0) return {IntegerSolution::Status::Optimal, {}};
    glp_add_cols(p, columns);
    if (rows > 0) glp_add_rows(p, rows);
    for (int c = 1; c <= columns; ++c) {
        const IntegerProgram::Column& column = program.columns[static_cast<std::size_t>(c - 1)];
        glp_set_col_bnds(p, c, column.lower == column.upper ? GLP_FX : GLP_DB, column.lower,
                         column.upper);
        glp_set_obj_coef(p, c, column.objective);
        glp_set_col_kind(p, c, column.integer ? GLP_IV : GLP_CV);
    }
    std::vector<int> ia{0}, ja{0};
    std::vector<double> ar{0};
    for (int r = 1; r <= rows; ++r) {
        const IntegerProgram::Row& row = program.rows[static_cast<std::size_t>(r - 1)];
        glp_set_row_bnds(p, r, rowType(row.lower, row.upper), bound(row.lower), bound(row.upper));
        for (const auto& [column, coefficient] : row.terms) {
            ia.push_back(r);
            ja.push_back(column + 1);
            ar.push_back(coefficient);
        }
    }
    glp_load_matrix(p, static_cast<int>(ia.size()) - 1, ia.data(), ja.data(), ar.data());
    Start start{&program};
    glp_iocp parm;
    glp_init_iocp(&parm);
    parm.presolve = GLP_ON;
    parm.msg_lev = GLP_MSG_OFF;
    parm.tm_lim = static_cast<int>(seconds * 1000);
    if (program.start.size() == program.columns.size()) {
        parm.cb_func = offerStart;
        parm.cb_info = &start;
    }
    const int result = glp_intopt(p, &parm);
    const int status = glp_mip_status(p);
    if ((result != 0 && result != GLP_ETMLIM) || (status != GLP_OPT && status != GLP_FEAS))
        return solution;
    for (int c = 1; c <= columns; ++c)
        solution.values.push_back(glp_mip_col_val(p, c));
    solution.status = status == GLP_OPT && result == 0 ? IntegerSolution::Status::Optimal
                                                       : IntegerSolution::Status::TimeLimit;
    return solution;
}

}  // namespace pelora::bench
