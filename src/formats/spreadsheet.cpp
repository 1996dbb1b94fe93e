#include "formats/spreadsheet.h"

#include <expat.h>
#include <zip.h>

#include <charconv>
#include <cmath>
#include <functional>
#include <map>
#include <string_view>

#include "base/codec.h"

namespace pelora {

namespace {

// What is read of a file that may come from anywhere: a member of the archive unpacked to at most
// this many bytes, and a sheet to at most these many rows and columns.
constexpr std::size_t kLargestMember = std::size_t{16} << 20;
constexpr std::size_t kMostRows = 10000;
constexpr std::size_t kMostColumns = 200;

// The members of a zip archive held in memory, which must outlive it.
class Archive {
public:
    explicit Archive(const std::string& bytes) {
        zip_error_t error;
        zip_error_init(&error);
        zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
        if (source != nullptr) {
            m_zip = zip_open_from_source(source, ZIP_RDONLY, &error);
            if (m_zip == nullptr) zip_source_free(source);
        }
        zip_error_fini(&error);
    }
    ~Archive() {
        if (m_zip != nullptr) zip_discard(m_zip);
    }
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;

    std::optional<std::string> member(const std::string& name) const {
        if (m_zip == nullptr) return std::nullopt;
        const zip_int64_t index = zip_name_locate(m_zip, name.c_str(), 0);
        if (index < 0) return std::nullopt;
        zip_file_t* file = zip_fopen_index(m_zip, static_cast<zip_uint64_t>(index), 0);
        if (file == nullptr) return std::nullopt;
        std::string bytes;
        char buffer[1 << 16];
        zip_int64_t got = 0;
        while ((got = zip_fread(file, buffer, sizeof buffer)) > 0) {
            bytes.append(buffer, static_cast<std::size_t>(got));
            if (bytes.size() > kLargestMember) {
                got = -1;
                break;
            }
        }
        zip_fclose(file);
        if (got < 0) return std::nullopt;
        return bytes;
    }

private:
    zip_t* m_zip = nullptr;
};

// An XML document read element by element, each name without its namespace ("table:table-row"
// and "table-row" alike), the attributes by their names too.
using Attributes = std::map<std::string, std::string, std::less<>>;
struct XmlReader {
    std::function<void(std::string_view name, const Attributes& attributes)> start;
    std::function<void(std::string_view name)> end;
    std::function<void(std::string_view text)> text;
};

std::string_view localName(const char* name) {
    const std::string_view whole(name);
    const std::size_t bar = whole.rfind('|');
    return bar == std::string_view::npos ? whole : whole.substr(bar + 1);
}

bool readXml(const std::string& document, XmlReader& reader) {
    XML_Parser parser = XML_ParserCreateNS(nullptr, '|');
    if (parser == nullptr) return false;
    XML_SetUserData(parser, &reader);
    XML_SetElementHandler(
        parser,
        [](void* data, const XML_Char* name, const XML_Char** attributes) {
            auto* r = static_cast<XmlReader*>(data);
            if (!r->start) return;
            Attributes all;
            for (const XML_Char** a = attributes; a[0] != nullptr; a += 2)
                all.emplace(localName(a[0]), a[1]);
            r->start(localName(name), all);
        },
        [](void* data, const XML_Char* name) {
            auto* r = static_cast<XmlReader*>(data);
            if (r->end) r->end(localName(name));
        });
    XML_SetCharacterDataHandler(parser, [](void* data, const XML_Char* text, int length) {
        auto* r = static_cast<XmlReader*>(data);
        if (r->text) r->text(std::string_view(text, static_cast<std::size_t>(length)));
    });
    const bool whole = XML_Parse(parser, document.data(), static_cast<int>(document.size()),
                                 XML_TRUE) == XML_STATUS_OK;
    XML_ParserFree(parser);
    return whole;
}

std::string attribute(const Attributes& attributes, std::string_view name) {
    const auto found = attributes.find(name);
    return found == attributes.end() ? std::string() : found->second;
}

// A count from an attribute: 1 where there is none or it is no number.
std::size_t repeats(const Attributes& attributes, std::string_view name) {
    const std::string text = attribute(attributes, name);
    std::size_t count = 1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    return error == std::errc() && count > 0 ? count : 1;
}

// A number cell's stored value: a whole number as its digits, anything else as stored.
std::string numberText(const std::string& value) {
    double number = 0;
    const char* last = value.data() + value.size();
    const auto [end, error] = std::from_chars(value.data(), last, number);
    if (error != std::errc() || end != last || !std::isfinite(number)) return value;
    if (std::fabs(number) < 1e15 && number == std::floor(number))
        return std::to_string(static_cast<long long>(number));
    return value;
}

void put(Table& table, std::size_t row, std::size_t column, const std::string& text) {
    if (text.empty() || row >= kMostRows || column >= kMostColumns) return;
    if (table.size() <= row) table.resize(row + 1);
    if (table[row].size() <= column) table[row].resize(column + 1);
    table[row][column] = text;
}

// The column of a cell reference ("C12" is column 2), or nothing where it has no letters.
std::optional<std::size_t> columnOf(const std::string& reference) {
    std::size_t column = 0;
    std::size_t letters = 0;
    for (char c : reference) {
        if (c < 'A' || c > 'Z') break;
        column = column * 26 + static_cast<std::size_t>(c - 'A' + 1);
        if (++letters > 3) return std::nullopt;
    }
    if (letters == 0) return std::nullopt;
    return column - 1;
}

std::optional<std::size_t> rowOf(const std::string& number) {
    std::size_t row = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), row);
    if (error != std::errc() || row == 0) return std::nullopt;
    return row - 1;
}

// --- Excel workbooks -----------------------------------------------------------------------------

// The path of the first sheet: the workbook names it by a relation, the relations by a target.
std::optional<std::string> firstSheetPath(const Archive& archive) {
    const std::optional<std::string> workbook = archive.member("xl/workbook.xml");
    const std::optional<std::string> relations = archive.member("xl/_rels/workbook.xml.rels");
    if (!workbook || !relations) return std::nullopt;
    std::string relation;
    XmlReader sheets;
    sheets.start = [&relation](std::string_view name, const Attributes& a) {
        if (name == "sheet" && relation.empty()) relation = attribute(a, "id");
    };
    if (!readXml(*workbook, sheets) || relation.empty()) return std::nullopt;
    std::string target;
    XmlReader targets;
    targets.start = [&](std::string_view name, const Attributes& a) {
        if (name == "Relationship" && attribute(a, "Id") == relation)
            target = attribute(a, "Target");
    };
    if (!readXml(*relations, targets) || target.empty()) return std::nullopt;
    return target.front() == '/' ? target.substr(1) : "xl/" + target;
}

// The shared strings, each the text of its runs, without the phonetic guides.
std::vector<std::string> sharedStrings(const Archive& archive) {
    std::vector<std::string> strings;
    const std::optional<std::string> document = archive.member("xl/sharedStrings.xml");
    if (!document) return strings;
    std::string current;
    int inText = 0, inGuide = 0;
    XmlReader reader;
    reader.start = [&](std::string_view name, const Attributes&) {
        if (name == "si") current.clear();
        if (name == "t") ++inText;
        if (name == "rPh") ++inGuide;
    };
    reader.end = [&](std::string_view name) {
        if (name == "t") --inText;
        if (name == "rPh") --inGuide;
        if (name == "si") strings.push_back(utf8AsWritten(current));
    };
    reader.text = [&](std::string_view text) {
        if (inText > 0 && inGuide == 0) current += text;
    };
    readXml(*document, reader);
    return strings;
}

std::optional<Table> readXlsx(const Archive& archive) {
    const std::optional<std::string> path = firstSheetPath(archive);
    const std::optional<std::string> sheet = path ? archive.member(*path) : std::nullopt;
    if (!sheet) return std::nullopt;
    const std::vector<std::string> strings = sharedStrings(archive);

    Table table;
    std::size_t row = 0, column = 0;
    bool anyRow = false;
    std::string type, value, inlineText;
    int inValue = 0, inInline = 0;
    XmlReader reader;
    reader.start = [&](std::string_view name, const Attributes& a) {
        if (name == "row") {
            row = rowOf(attribute(a, "r")).value_or(anyRow ? row + 1 : 0);
            anyRow = true;
            column = 0;
        } else if (name == "c") {
            column = columnOf(attribute(a, "r")).value_or(column);
            type = attribute(a, "t");
            value.clear();
            inlineText.clear();
        } else if (name == "v") {
            ++inValue;
        } else if (name == "t") {
            ++inInline;
        }
    };
    reader.end = [&](std::string_view name) {
        if (name == "v") {
            --inValue;
        } else if (name == "t") {
            --inInline;
        } else if (name == "c") {
            std::string text;
            if (type == "s") {
                std::size_t index = 0;
                const auto [end, error] =
                    std::from_chars(value.data(), value.data() + value.size(), index);
                if (error == std::errc() && index < strings.size()) text = strings[index];
            } else if (type == "inlineStr") {
                text = utf8AsWritten(inlineText);
            } else if (type == "str" || type == "e" || type == "b") {
                text = utf8AsWritten(value);
            } else {
                text = numberText(value);
            }
            put(table, row, column, text);
            ++column;
        }
    };
    reader.text = [&](std::string_view text) {
        if (inValue > 0) value += text;
        if (inInline > 0) inlineText += text;
    };
    if (!readXml(*sheet, reader)) return std::nullopt;
    return table;
}

// --- OpenDocument spreadsheets -------------------------------------------------------------------

std::optional<Table> readOds(const Archive& archive) {
    const std::optional<std::string> content = archive.member("content.xml");
    if (!content) return std::nullopt;

    Table table;
    enum class Where { Before, InTable, After } where = Where::Before;
    int depth = 0;  // of elements within the first table
    std::size_t row = 0, column = 0;
    std::size_t rowRepeats = 1, cellRepeats = 1;
    bool rowHasText = false;
    std::string valueType, value, text;
    int paragraphs = 0, inParagraph = 0, inNote = 0;

    XmlReader reader;
    reader.start = [&](std::string_view name, const Attributes& a) {
        if (where == Where::Before && name == "table") {
            where = Where::InTable;
            depth = 0;
            return;
        }
        if (where != Where::InTable) return;
        ++depth;
        if (name == "table-row") {
            rowRepeats = repeats(a, "number-rows-repeated");
            column = 0;
            rowHasText = false;
        } else if (name == "table-cell" || name == "covered-table-cell") {
            cellRepeats = repeats(a, "number-columns-repeated");
            valueType = attribute(a, "value-type");
            value = valueType == "boolean" ? attribute(a, "boolean-value")
                    : valueType == "date"  ? attribute(a, "date-value")
                                           : attribute(a, "value");
            text.clear();
            paragraphs = 0;
        } else if (name == "annotation") {
            ++inNote;
        } else if (inNote == 0 && name == "p") {
            if (paragraphs++ > 0) text += '\n';
            ++inParagraph;
        } else if (inParagraph > 0 && name == "s") {
            text.append(std::min<std::size_t>(repeats(a, "c"), 100), ' ');
        } else if (inParagraph > 0 && name == "tab") {
            text += '\t';
        } else if (inParagraph > 0 && name == "line-break") {
            text += '\n';
        }
    };
    reader.end = [&](std::string_view name) {
        if (where != Where::InTable) return;
        if (depth-- == 0) {
            where = Where::After;  // the first table only
            return;
        }
        if (name == "annotation") {
            --inNote;
        } else if (inNote == 0 && name == "p") {
            --inParagraph;
        } else if (name == "table-cell" || name == "covered-table-cell") {
            const bool number =
                valueType == "float" || valueType == "percentage" || valueType == "currency";
            const std::string shown = number ? numberText(value)
                                      : valueType == "boolean" || valueType == "date"
                                          ? value
                                          : utf8AsWritten(text);
            // A run of empty cells to the row's end is how a sheet says "nothing more".
            if (!shown.empty()) {
                for (std::size_t k = 0; k < cellRepeats && column + k < kMostColumns; ++k)
                    put(table, row, column + k, shown);
                rowHasText = true;
            }
            column = std::min(column + std::min(cellRepeats, kMostColumns), kMostColumns);
        } else if (name == "table-row") {
            if (rowHasText && row < table.size()) {
                // A row written once for several identical rows stands for each of them.
                const std::vector<std::string> same = table[row];
                for (std::size_t k = 1; k < rowRepeats && row + k < kMostRows; ++k) {
                    if (table.size() <= row + k) table.resize(row + k + 1);
                    table[row + k] = same;
                }
            }
            row = std::min(row + std::min(rowRepeats, kMostRows), kMostRows);
        }
    };
    reader.text = [&](std::string_view data) {
        if (where == Where::InTable && inParagraph > 0 && inNote == 0) text += data;
    };
    if (!readXml(*content, reader) || where == Where::Before) return std::nullopt;
    return table;
}

}  // namespace

bool isArchive(const std::string& bytes) {
    return bytes.rfind("PK\x03\x04", 0) == 0;
}

std::optional<Table> readWorkbook(const std::string& bytes) {
    const Archive archive(bytes);
    if (archive.member("xl/workbook.xml")) return readXlsx(archive);
    if (archive.member("content.xml")) return readOds(archive);
    return std::nullopt;
}

Table readCsv(const std::string& text) {
    char separator = ';';
    {
        std::size_t semicolons = 0, commas = 0;
        bool quoted = false, anything = false;
        for (char c : text) {
            if (c == '"') quoted = !quoted;
            if (!quoted && (c == '\r' || c == '\n')) {
                if (anything) break;
                continue;
            }
            if (c != ' ' && c != '\t') anything = true;
            if (!quoted && c == ';') ++semicolons;
            if (!quoted && c == ',') ++commas;
        }
        if (commas > semicolons) separator = ',';
    }

    Table rows;
    std::vector<std::string> row;
    std::string field;
    bool quoted = false, wasQuoted = false;
    auto endField = [&] {
        // As in a workbook, the columns after the 200th are not read.
        if (row.size() < kMostColumns) row.push_back(std::move(field));
        field.clear();
        wasQuoted = false;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c != '"') {
                field += c;
            } else if (i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == '"' && field.empty() && !wasQuoted) {
            quoted = wasQuoted = true;
        } else if (c == separator) {
            endField();
        } else if (c == '\r' || c == '\n') {
            endField();
            rows.push_back(std::move(row));
            row.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            field += c;
        }
        if (rows.size() >= kMostRows) return rows;
    }
    if (!field.empty() || !row.empty() || wasQuoted) {
        endField();
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace pelora
