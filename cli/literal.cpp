#include "literal.hpp"

#include <charconv>
#include <cmath>
#include <complex>
#include <cstdint>
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
    // the token is one number, correctly rounded; from_chars takes no '+', and
    // leaves to strtod the values beyond the range of a double (Inf, 0, subnormals)
    const std::size_t start = s[pos] == '+' ? pos + 1 : pos;
    if (std::from_chars(s.data() + start, s.data() + end, value).ec != std::errc())
        value = std::strtod(std::string(s.substr(pos, end - pos)).c_str(), nullptr);
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

// x as printf's %.17g writes it, or NaN, Inf, -Inf.
void append_real(std::string& out, double x) {
    if (std::isnan(x)) {
        out += "NaN";
    } else if (std::isinf(x)) {
        out += x < 0 ? "-Inf" : "Inf";
    } else if (std::fabs(x) < 2147483648.0 && x == static_cast<double>(static_cast<std::int32_t>(x)) &&
               !(x == 0 && std::signbit(x))) {
        char buffer[16];  // a whole number of 32 bits, such as ifail: its digits alone, as %.17g writes them
        out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::int32_t>(x)).ptr);
    } else {
        char buffer[32];
        out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::general, 17).ptr);
    }
}

void append_element(std::string& out, const mxArray& a, std::size_t k) {
    append_real(out, a.re[k]);
    if (a.im.empty()) return;
    const std::size_t imag = out.size();
    append_real(out, a.im[k]);
    if (out[imag] != '-') out.insert(imag, 1, '+');
    out += 'i';
}

// `values` stored exactly: storage of another size is replaced, so that a
// reused array holds no room beyond its elements for a reader to stray into.
void store_exactly(std::vector<double>& values, std::size_t count) {
    if (values.capacity() == count) values.resize(count);
    else std::vector<double>(count).swap(values);
}

void set_values(mxArray& a, std::size_t m, std::size_t n, const std::complex<double>* values, bool complex) {
    a.m = m;
    a.n = n;
    a.is_char = false;
    a.chars.clear();
    store_exactly(a.re, m * n);
    store_exactly(a.im, complex ? m * n : 0);
    for (std::size_t k = 0; k < m * n; ++k) {
        a.re[k] = values[k].real();
        if (complex) a.im[k] = values[k].imag();
    }
}

}  // namespace

void set_text(mxArray& a, std::string_view text) {
    a.m = text.empty() ? 0 : 1;
    a.n = text.size();
    a.is_char = true;
    a.chars.assign(text);
    store_exactly(a.re, 0);
    store_exactly(a.im, 0);
}

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

bool read_literal(std::string_view text, mxArray& into, std::string& error) {
    if (!text.empty() && text.front() == '\'') {
        std::string chars;
        std::size_t i = 1;
        for (;; ++i) {
            if (i >= text.size()) {
                error = "unterminated string: " + shown(text);
                return false;
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
            return false;
        }
        set_text(into, chars);
        return true;
    }
    if (!text.empty() && text.front() == '[') {
        if (text.back() != ']') {
            error = "unterminated matrix: " + shown(text);
            return false;
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
                if (!finish_word()) return false;
                element_since_separator = element_since_separator || had_word;
                if (ch == ',' && !element_since_separator) {
                    error = "empty element: " + shown(text);
                    return false;
                }
                if (ch == ',' || ch == ';') element_since_separator = false;
                if (ch == ';') rows.emplace_back();
            } else {
                word += ch;
            }
        }
        if (!finish_word()) return false;
        if (rows.size() > 1 && rows.back().empty()) rows.pop_back();
        const std::size_t m = rows.size(), n = rows[0].size();
        for (const auto& row : rows) {
            if (row.size() != n) {
                error = "rows of different lengths: " + shown(text);
                return false;
            }
        }
        if (n == 0) {
            set_values(into, 0, 0, nullptr, false);
            return true;
        }
        std::vector<std::complex<double>> values(m * n);
        for (std::size_t i = 0; i < m; ++i)
            for (std::size_t j = 0; j < n; ++j) values[j * m + i] = rows[i][j];  // column by column
        set_values(into, m, n, values.data(), any_complex);
        return true;
    }
    std::complex<double> v;
    bool c;
    if (!parse_number(text, v, c)) {
        error = "not a literal: " + shown(text);
        return false;
    }
    set_values(into, 1, 1, &v, c);
    return true;
}

std::optional<host::Array> parse_literal(std::string_view text, std::string& error) {
    auto array = std::make_unique<mxArray>();
    if (!read_literal(text, *array, error)) return std::nullopt;
    return array;
}

void split_words(std::string_view line, std::vector<std::string>& words, std::string& error) {
    std::size_t count = 0;
    auto add = [&](std::string_view word) {
        if (count < words.size()) words[count].assign(word);
        else words.emplace_back(word);
        ++count;
    };
    std::size_t start = std::string_view::npos;  // of the word being read
    bool in_quote = false;
    int depth = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char ch = line[i];
        if (!in_quote && depth == 0 && (ch == ' ' || ch == '\t' || ch == '\r')) {
            if (start != std::string_view::npos) add(line.substr(start, i - start));
            start = std::string_view::npos;
            continue;
        }
        if (start == std::string_view::npos) start = i;
        if (ch == '\'') in_quote = !in_quote;  // '' inside a string toggles twice
        else if (!in_quote && ch == '[') ++depth;
        else if (!in_quote && ch == ']') --depth;
    }
    if (in_quote) error = "unterminated string";
    else if (depth != 0) error = "unbalanced brackets";
    if (start != std::string_view::npos) add(line.substr(start));
    words.resize(count);
}

std::vector<std::string> split_words(std::string_view line, std::string& error) {
    std::vector<std::string> words;
    split_words(line, words, error);
    return words;
}

void append_array(std::string& out, const mxArray& a) {
    if (a.is_char) {
        out += '\'';
        for (char ch : a.chars) out.append(ch == '\'' ? 2 : 1, ch);
        out += '\'';
        return;
    }
    if (a.m == 1 && a.n == 1) return append_element(out, a, 0);
    out += '[';
    for (std::size_t i = 0; i < a.m; ++i) {
        if (i > 0) out += ';';
        for (std::size_t j = 0; j < a.n; ++j) {
            if (j > 0) out += ' ';
            append_element(out, a, j * a.m + i);
        }
    }
    out += ']';
}

std::string format_array(const mxArray& a) {
    std::string text;
    append_array(text, a);
    return text;
}

}  // namespace qelms::cli
