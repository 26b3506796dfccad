#include "literal.hpp"

#include <cmath>
#include <complex>
#include <cstdio>
#include <cstdlib>

namespace qelms::cli {
namespace {

bool is_digit(std::string_view s, std::size_t pos) { return pos < s.size() && s[pos] >= '0' && s[pos] <= '9'; }

std::size_t skip_digits(std::string_view s, std::size_t pos) {
    while (is_digit(s, pos)) ++pos;
    return pos;
}

// The end of the real number that starts at `pos`, or `pos` when there is
// none: an optional sign, then Inf, inf, NaN, nan or a decimal number with
// an optional exponent (no hexadecimal, no "infinity", no "nan(...)").
std::size_t real_end(std::string_view s, std::size_t pos) {
    const std::size_t start = pos;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) ++pos;
    for (std::string_view word : {"Inf", "inf", "NaN", "nan"})
        if (s.substr(pos, word.size()) == word) return pos + word.size();
    const std::size_t integer_end = skip_digits(s, pos);
    std::size_t end = integer_end;
    if (end < s.size() && s[end] == '.') end = skip_digits(s, end + 1);
    if (end == pos || (end == pos + 1 && integer_end == pos)) return start;  // no digits at all
    if (end < s.size() && (s[end] == 'e' || s[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < s.size() && (s[exponent] == '+' || s[exponent] == '-')) ++exponent;
        if (is_digit(s, exponent)) end = skip_digits(s, exponent);
    }
    return end;
}

bool parse_real(std::string_view s, std::size_t& pos, double& value) {
    const std::size_t end = real_end(s, pos);
    if (end == pos) return false;
    const std::string token(s.substr(pos, end - pos));
    value = std::strtod(token.c_str(), nullptr);  // the token is one number strtod reads whole
    pos = end;
    return true;
}

bool is_imaginary_unit(std::string_view s, std::size_t pos) { return pos < s.size() && (s[pos] == 'i' || s[pos] == 'j'); }

// One number: a, bi, a+bi or a-bi.
bool parse_number(std::string_view s, std::complex<double>& value, bool& complex) {
    std::size_t pos = 0;
    double a = 0.0;
    complex = false;
    if (s.empty()) return false;
    if (is_imaginary_unit(s, 0) && s.size() == 1) {
        value = {0.0, 1.0};
        complex = true;
        return true;
    }
    if (!parse_real(s, pos, a)) return false;
    if (pos == s.size()) {
        value = a;
        return true;
    }
    if (is_imaginary_unit(s, pos) && pos + 1 == s.size()) {
        value = {0.0, a};
        complex = true;
        return true;
    }
    if (s[pos] != '+' && s[pos] != '-') return false;
    double b = 0.0;
    if (is_imaginary_unit(s, pos + 1)) {  // a+i, a-i
        b = s[pos] == '-' ? -1.0 : 1.0;
        pos += 1;
    } else if (!parse_real(s, pos, b)) {
        return false;
    }
    if (!is_imaginary_unit(s, pos) || pos + 1 != s.size()) return false;
    value = {a, b};
    complex = true;
    return true;
}

std::string real_text(double x) {
    if (std::isnan(x)) return "NaN";
    if (std::isinf(x)) return x < 0 ? "-Inf" : "Inf";
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", x);
    return buffer;
}

std::string element_text(const mxArray& a, std::size_t k) {
    std::string text = real_text(a.re[k]);
    if (a.im.empty()) return text;
    const std::string imag = real_text(a.im[k]);
    return text + (imag[0] == '-' ? "" : "+") + imag + "i";
}

}  // namespace

std::string shown(std::string_view text) {
    std::string out;
    for (char ch : text) {
        const auto code = static_cast<unsigned char>(ch);
        if (code == '\\') {
            out += "\\\\";
        } else if (code >= 0x20 && code < 0x7f) {
            out += ch;
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02x", code);
            out += escape;
        }
    }
    return out;
}

std::optional<host::Array> parse_literal(std::string_view text, std::string& error) {
    if (!text.empty() && text.front() == '\'') {
        std::string chars;
        std::size_t i = 1;
        for (;; ++i) {
            if (i >= text.size()) {
                error = "unterminated string: " + shown(text);
                return std::nullopt;
            }
            if (text[i] == '\'') {
                if (i + 1 < text.size() && text[i + 1] == '\'') {
                    chars += '\'';
                    ++i;
                    continue;
                }
                break;
            }
            chars += text[i];
        }
        if (i + 1 != text.size()) {
            error = "text after the closing apostrophe: " + shown(text);
            return std::nullopt;
        }
        return host::string_array(chars);
    }
    if (!text.empty() && text.front() == '[') {
        if (text.back() != ']') {
            error = "unterminated matrix: " + shown(text);
            return std::nullopt;
        }
        std::vector<std::vector<std::complex<double>>> rows(1);
        bool any_complex = false;
        std::string word;
        auto finish_word = [&]() -> bool {
            if (word.empty()) return true;
            std::complex<double> v;
            bool c;
            if (!parse_number(word, v, c)) {
                error = "not a number: " + shown(word);
                return false;
            }
            any_complex = any_complex || c;
            rows.back().push_back(v);
            word.clear();
            return true;
        };
        bool element_since_separator = false;  // a comma must follow an element of its row
        for (char ch : text.substr(1, text.size() - 2)) {
            if (ch == ' ' || ch == ',' || ch == '\t' || ch == ';') {
                const bool had_word = !word.empty();
                if (!finish_word()) return std::nullopt;
                element_since_separator = element_since_separator || had_word;
                if (ch == ',' && !element_since_separator) {
                    error = "empty element: " + shown(text);
                    return std::nullopt;
                }
                if (ch == ',' || ch == ';') element_since_separator = false;
                if (ch == ';') rows.emplace_back();
            } else {
                word += ch;
            }
        }
        if (!finish_word()) return std::nullopt;
        if (rows.size() > 1 && rows.back().empty()) rows.pop_back();
        const std::size_t m = rows.size(), n = rows[0].size();
        for (const auto& row : rows) {
            if (row.size() != n) {
                error = "rows of different lengths: " + shown(text);
                return std::nullopt;
            }
        }
        if (n == 0) return host::empty_matrix();
        std::vector<std::complex<double>> values(m * n);
        for (std::size_t i = 0; i < m; ++i)
            for (std::size_t j = 0; j < n; ++j) values[j * m + i] = rows[i][j];  // column by column
        if (any_complex) return host::complex_matrix(m, n, values);
        std::vector<double> reals;
        for (const auto& v : values) reals.push_back(v.real());
        return host::real_matrix(m, n, reals);
    }
    std::complex<double> v;
    bool c;
    if (!parse_number(text, v, c)) {
        error = "not a literal: " + shown(text);
        return std::nullopt;
    }
    return c ? host::complex_scalar(v) : host::real_scalar(v.real());
}

std::vector<std::string> split_words(std::string_view line, std::string& error) {
    std::vector<std::string> words;
    std::string word;
    bool in_word = false, in_quote = false;
    int depth = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char ch = line[i];
        if (!in_quote && depth == 0 && (ch == ' ' || ch == '\t' || ch == '\r')) {
            if (in_word) words.push_back(word);
            word.clear();
            in_word = false;
            continue;
        }
        in_word = true;
        word += ch;
        if (ch == '\'') in_quote = !in_quote;  // '' inside a string toggles twice
        else if (!in_quote && ch == '[') ++depth;
        else if (!in_quote && ch == ']') --depth;
    }
    if (in_quote) error = "unterminated string";
    else if (depth != 0) error = "unbalanced brackets";
    if (in_word) words.push_back(word);
    return words;
}

std::string format_array(const mxArray& a) {
    if (a.is_char) {
        std::string text = "'";
        for (char ch : a.chars) text += ch == '\'' ? std::string("''") : std::string(1, ch);
        return text + "'";
    }
    if (a.m == 1 && a.n == 1) return element_text(a, 0);
    std::string text = "[";
    for (std::size_t i = 0; i < a.m; ++i) {
        if (i > 0) text += ';';
        for (std::size_t j = 0; j < a.n; ++j) {
            if (j > 0) text += ' ';
            text += element_text(a, j * a.m + i);
        }
    }
    return text + "]";
}

}  // namespace qelms::cli
