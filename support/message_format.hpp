// Message records formatted from Fortran-style templates: literals in
// apostrophes, nX blanks, '/' record breaks, A, Iw and Dw.d fields, and 1P.
#pragma once

#include <array>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace qelms {

constexpr int record_length = 80;
using MessageRecord = std::array<char, record_length>;

// A routine's message: up to three records and the number in use.
struct Message {
    std::array<MessageRecord, 3> records{};
    int count = 0;
};

// A value that fills one A, I or D field of a template.
using FieldValue = std::variant<std::string_view, int, double>;

// Formats `tmpl` with `values` (in field order) into `records`, each blanked
// first; returns the number of records written. Throws std::logic_error on a
// template the notation does not cover or on too few values or records.
int format_message(std::string_view tmpl, std::initializer_list<FieldValue> values,
                   std::span<MessageRecord> records);

// Convenience: formats into a fresh Message.
Message make_message(std::string_view tmpl, std::initializer_list<FieldValue> values = {});

// The text of a record with trailing blanks removed.
std::string record_text(const MessageRecord& record);

}  // namespace qelms
