#include "core/editing/SimExport.h"

#include <charconv>
#include <nlohmann/json.hpp>

#include "core/editing/CharacterFields.h"
#include "core/editing/ReadableFields.h"
#include "core/packages/Utf8.h"

namespace kinloom {

namespace {

SimCell FieldCell(const Character& sim, const CharacterField& field) {
    std::string text = FieldText(sim, field);
    switch (field.Kind) {
        case FieldKind::Int16:
        case FieldKind::UInt16:
        case FieldKind::UInt32: {
            std::int64_t number = 0;
            const char* end = text.data() + text.size();
            auto [ptr, ec] = std::from_chars(text.data(), end, number);
            if (ec == std::errc() && ptr == end) return number;
            break;  // never for the decimal FieldText gives; kept as text rather than lost
        }
        case FieldKind::Flag:
            return text == "true";
        case FieldKind::Four:
        case FieldKind::Two:
            return HexDigits{std::move(text)};
        case FieldKind::Text:
        case FieldKind::Path:
            break;
    }
    return ValidUtf8(text);
}

// The household label the Households page lists the sim's household under; empty for a sim in
// none. The number is stored in 16 bits, the household instance in 32.
std::string HouseholdOf(const LoadedNeighborhood& state, const Character& sim) {
    if (sim.FamilyNumber == 0) return {};
    const Household* household = state.FindHousehold(
        static_cast<std::uint32_t>(static_cast<std::uint16_t>(sim.FamilyNumber)));
    return household ? EncodeUtf8(state.HouseholdLabel(*household)) : std::string();
}

// The window's digits as a JSON number: "5" stays a whole number, "2.5" gets its fraction. Text
// that is no number (never made by the tables) stays text rather than throwing.
nlohmann::ordered_json DecimalJson(const Decimal& value) {
    nlohmann::ordered_json number = nlohmann::ordered_json::parse(value.Digits, nullptr, false);
    return number.is_discarded() || !number.is_number() ? nlohmann::ordered_json(value.Digits)
                                                        : number;
}

nlohmann::ordered_json CellJson(const SimCell& cell) {
    return std::visit(
        [](const auto& value) -> nlohmann::ordered_json {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, HexDigits>)
                return value.Digits;
            else if constexpr (std::is_same_v<T, Decimal>)
                return DecimalJson(value);
            else
                return value;
        },
        cell);
}

// A text a spreadsheet would take for a formula (or, after a tab or CR, trim to one). A lone "-",
// the lists' entry for none, has nothing to calculate and stays as it is.
bool LooksLikeFormula(const std::string& text) {
    if (text.empty() || text == "-") return false;
    switch (text.front()) {
        case '=':
        case '+':
        case '-':
        case '@':
        case '\t':
        case '\r':
            return true;
        default:
            return false;
    }
}

void PutCsvField(std::ostream& out, const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        out << text;
        return;
    }
    out << '"';
    for (char c : text) {
        if (c == '"') out << '"';
        out << c;
    }
    out << '"';
}

void PutCsvCell(std::ostream& out, const SimCell& cell) {
    std::visit(
        [&](const auto& value) {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, std::int64_t>) {
                out << value;
            } else if constexpr (std::is_same_v<T, bool>) {
                out << (value ? "true" : "false");
            } else if constexpr (std::is_same_v<T, Decimal>) {
                out << value.Digits;
            } else if constexpr (std::is_same_v<T, HexDigits>) {
                // Bare, "00001E40" reads as 1E+40 and "00000100" as 100 in a spreadsheet; no
                // spreadsheet reads "0x00001E40" as a number, and the prefix is the usual mark of
                // hex digits for any other tool.
                out << "0x" << value.Digits;
            } else if constexpr (std::is_same_v<T, std::string>) {
                // The apostrophe is what a spreadsheet itself puts before text that must not be
                // calculated; a name like "=HYPERLINK(...)" would otherwise run when opened.
                PutCsvField(out, LooksLikeFormula(value) ? "'" + value : value);
            } else {
                std::string joined;
                for (const std::string& name : value) joined += (joined.empty() ? "" : " ") + name;
                PutCsvField(out, joined);
            }
        },
        cell);
}

}  // namespace

SimTable SimExportTable(const LoadedNeighborhood& state) {
    SimTable table;
    table.Header = {"Label", "Household"};
    for (const CharacterField& f : CharacterFields()) table.Header.push_back(f.Name);
    table.Header.push_back("Storable");
    // After every stored column, so each of those keeps its place for scripts that count.
    for (const ReadableField& r : ReadableFields()) table.Header.push_back(r.Name);
    table.Rows.reserve(state.Sims.size());
    for (const Character* sim : state.Sims) {
        std::vector<SimCell> row;
        row.reserve(table.Header.size());
        row.push_back(EncodeUtf8(SimLabel(*sim, state.Form)));
        row.push_back(HouseholdOf(state, *sim));
        std::vector<std::string> storable;
        for (const CharacterField& f : CharacterFields()) {
            row.push_back(FieldCell(*sim, f));
            if (!WhyNotStorable(*sim, f)) storable.push_back(f.Name);
        }
        row.push_back(std::move(storable));
        for (const ReadableField& r : ReadableFields()) row.push_back(r.Value(*sim));
        table.Rows.push_back(std::move(row));
    }
    return table;
}

bool WriteSimsCsv(const LoadedNeighborhood& state, std::ostream& out) {
    const SimTable table = SimExportTable(state);
    for (std::size_t i = 0; i < table.Header.size(); ++i) {
        if (i > 0) out << ',';
        PutCsvField(out, table.Header[i]);
    }
    out << "\r\n";
    for (const std::vector<SimCell>& row : table.Rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0) out << ',';
            PutCsvCell(out, row[i]);
        }
        out << "\r\n";
    }
    out.flush();
    return static_cast<bool>(out);
}

bool WriteSimsJson(const LoadedNeighborhood& state, std::ostream& out) {
    const SimTable table = SimExportTable(state);
    nlohmann::ordered_json sims = nlohmann::ordered_json::array();
    for (const std::vector<SimCell>& row : table.Rows) {
        nlohmann::ordered_json sim = nlohmann::ordered_json::object();
        for (std::size_t i = 0; i < row.size(); ++i) sim[table.Header[i]] = CellJson(row[i]);
        sims.push_back(std::move(sim));
    }
    // Every text is already well-formed UTF-8; replacing is only what the dump does otherwise
    // than throwing, should a text ever slip through.
    out << sims.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
    out.flush();
    return static_cast<bool>(out);
}

std::string ReadableFieldsJson(const Character& sim) {
    nlohmann::ordered_json readable = nlohmann::ordered_json::object();
    for (const ReadableField& r : ReadableFields()) readable[r.Name] = CellJson(r.Value(sim));
    return readable.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace kinloom
