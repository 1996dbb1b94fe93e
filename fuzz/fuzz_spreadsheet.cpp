// Fuzzes the spreadsheet readers: the input as a workbook (.xlsx or .ods), as CSV text, and as a
// roster, which reads either.
#include <cstdint>

#include "formats/roster.h"
#include "formats/spreadsheet.h"
#include "fuzz_support.h"

using namespace pelora;

namespace {

void checkTable(const Table& table) {
    PELORA_CHECK(table.size() <= 10000);
    for (const std::vector<std::string>& row : table)
        PELORA_CHECK(row.size() <= 200);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    if (const std::optional<Table> sheet = readWorkbook(input)) checkTable(*sheet);
    checkTable(readCsv(input));
    const Roster roster = readRoster(input, "");
    PELORA_CHECK(roster.pupils.size() <= MaxStudents);
    PELORA_CHECK(!roster.error || roster.pupils.empty());
    return 0;
}
