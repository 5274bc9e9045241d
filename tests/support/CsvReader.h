#pragma once
// A strict RFC 4180 reader for reading exports back: records end in CRLF (the last one may end
// the input instead), fields are separated by commas, a field holding a comma, quote, CR or LF is
// quoted with its quotes doubled. Anything else — a bare CR or LF, a quote inside an unquoted
// field, text after a closing quote, an unclosed quote, records of different lengths — is
// refused with CsvError.

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kinloom::test {

class CsvError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline std::vector<std::vector<std::string>> ReadCsv(std::string_view text) {
    std::vector<std::vector<std::string>> records;
    std::size_t i = 0;
    const auto fail = [&](const std::string& what) {
        throw CsvError(what + " at byte " + std::to_string(i));
    };
    while (i < text.size()) {
        std::vector<std::string> record;
        for (;;) {
            std::string field;
            if (i < text.size() && text[i] == '"') {
                ++i;
                for (;;) {
                    if (i >= text.size()) fail("unclosed quote");
                    if (text[i] == '"') {
                        if (i + 1 < text.size() && text[i + 1] == '"') {
                            field.push_back('"');
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    field.push_back(text[i++]);
                }
            } else {
                while (i < text.size() && text[i] != ',' && text[i] != '\r') {
                    if (text[i] == '"') fail("quote in an unquoted field");
                    if (text[i] == '\n') fail("line feed without carriage return");
                    field.push_back(text[i++]);
                }
            }
            record.push_back(std::move(field));
            if (i >= text.size()) break;
            if (text[i] == ',') {
                ++i;
                continue;
            }
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                i += 2;
                break;
            }
            fail(text[i] == '\r' ? "carriage return without line feed" : "text after a quote");
        }
        if (!records.empty() && record.size() != records.front().size())
            fail("record " + std::to_string(records.size()) + " has " +
                 std::to_string(record.size()) + " fields, the first " +
                 std::to_string(records.front().size()));
        records.push_back(std::move(record));
    }
    return records;
}

}  // namespace kinloom::test
