#include "message_format.hpp"

#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>

namespace qelms {
namespace {

// Writes characters into consecutive records of `records`.
class RecordWriter {
public:
    explicit RecordWriter(std::span<MessageRecord> records) : records_(records) { next_record(); }

    void append(std::string_view text) {
        for (char c : text) {
            if (column_ < record_length) records_[current_][column_] = c;
            ++column_;
        }
    }
    void next_record() {
        ++current_;
        if (current_ >= static_cast<int>(records_.size()))
            throw std::logic_error("message template needs more records than given");
        records_[current_].fill(' ');
        column_ = 0;
    }
    int count() const { return current_ + 1; }

private:
    std::span<MessageRecord> records_;
    int current_ = -1;
    int column_ = 0;
};

std::string right_justified(std::string text, int width) {
    if (static_cast<int>(text.size()) > width) return std::string(width, '*');
    return std::string(width - text.size(), ' ') + text;
}

// Dw.d: d digits after the point; with scale 0 the form is 0.ddddd, with
// scale 1 (1P) it is d.ddddd; then D, the exponent sign and two digits (an
// exponent of three digits drops the letter D, as Fortran does).
std::string exponent_form(double value, int width, int digits, int scale) {
    if (!std::isfinite(value)) return right_justified(std::isnan(value) ? "NaN" : value < 0 ? "-Infinity" : "Infinity", width);
    char buffer[64];
    // significant digits shown: `digits` without 1P, digits + 1 with it
    const int significant = digits + scale;
    std::snprintf(buffer, sizeof buffer, "%.*e", significant - 1, std::fabs(value));
    std::string text(buffer);
    const auto e_pos = text.find('e');
    std::string mantissa = text.substr(0, e_pos);  // d.dddd
    int exponent = std::stoi(text.substr(e_pos + 1));
    std::string all_digits;
    for (char c : mantissa)
        if (c != '.') all_digits += c;
    std::string body;
    if (value == 0.0) {
        exponent = 0;
        body = "0." + std::string(digits, '0');
    } else if (scale == 0) {
        body = "0." + all_digits;
        exponent += 1;
    } else {
        body = all_digits.substr(0, 1) + "." + all_digits.substr(1);
    }
    char exp_text[16];
    if (std::abs(exponent) <= 99)
        std::snprintf(exp_text, sizeof exp_text, "D%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    else
        std::snprintf(exp_text, sizeof exp_text, "%c%03d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return right_justified((std::signbit(value) && value != 0.0 ? "-" : "") + body + exp_text, width);
}

template <typename T>
const T& field_value(const FieldValue* values, std::size_t count, std::size_t index) {
    if (index >= count) throw std::logic_error("message template has more fields than values");
    const T* value = std::get_if<T>(&values[index]);
    if (!value) throw std::logic_error("message template field and value differ in type");
    return *value;
}

int leading_number(std::string_view item, std::size_t& pos) {
    int n = 0;
    while (pos < item.size() && item[pos] >= '0' && item[pos] <= '9') n = n * 10 + (item[pos++] - '0');
    return n;
}

}  // namespace

int format_message(std::string_view tmpl, std::initializer_list<FieldValue> values,
                   std::span<MessageRecord> records) {
    if (tmpl.size() < 2 || tmpl.front() != '(' || tmpl.back() != ')')
        throw std::logic_error("message template must be parenthesised");
    const std::string_view body = tmpl.substr(1, tmpl.size() - 2);
    RecordWriter out(records);
    std::size_t next_value = 0;
    int scale = 0;
    std::size_t pos = 0;
    while (pos < body.size()) {
        if (body[pos] == ',') {
            ++pos;
            continue;
        }
        if (body[pos] == '\'') {  // literal; '' stands for one apostrophe
            std::string literal;
            ++pos;
            while (pos < body.size()) {
                if (body[pos] == '\'') {
                    if (pos + 1 < body.size() && body[pos + 1] == '\'') {
                        literal += '\'';
                        pos += 2;
                        continue;
                    }
                    break;
                }
                literal += body[pos++];
            }
            ++pos;  // closing apostrophe
            out.append(literal);
            continue;
        }
        if (body[pos] == '/') {
            out.next_record();
            ++pos;
            continue;
        }
        const std::size_t end = body.find(',', pos);
        const std::string_view item = body.substr(pos, end == std::string_view::npos ? body.size() - pos : end - pos);
        pos += item.size();
        std::size_t i = 0;
        const int count = leading_number(item, i);
        const std::string_view code = item.substr(i);
        if (code == "X") {
            out.append(std::string(count, ' '));
        } else if (code == "P") {
            scale = count;
        } else if (code == "A") {
            out.append(field_value<std::string_view>(values.begin(), values.size(), next_value++));
        } else if (code.size() > 1 && code[0] == 'I') {
            std::size_t j = 1;
            const int width = leading_number(code, j);
            out.append(right_justified(std::to_string(field_value<int>(values.begin(), values.size(), next_value++)), width));
        } else if (code.size() > 1 && code[0] == 'D') {
            std::size_t j = 1;
            const int width = leading_number(code, j);
            if (j >= code.size() || code[j] != '.') throw std::logic_error("message template: bad D field");
            ++j;
            const int digits = leading_number(code, j);
            out.append(exponent_form(field_value<double>(values.begin(), values.size(), next_value++), width, digits, scale));
        } else {
            throw std::logic_error("message template: unknown item " + std::string(item));
        }
    }
    return out.count();
}

Message make_message(std::string_view tmpl, std::initializer_list<FieldValue> values) {
    Message message;
    message.count = format_message(tmpl, values, message.records);
    return message;
}

std::string record_text(const MessageRecord& record) {
    std::string text(record.begin(), record.end());
    const auto last = text.find_last_not_of(' ');
    return last == std::string::npos ? std::string() : text.substr(0, last + 1);
}

}  // namespace qelms
