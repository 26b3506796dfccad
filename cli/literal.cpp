#include "literal.hpp"

#include <cerrno>
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstdlib>

namespace qelms::cli {
namespace {

bool parse_real(std::string_view s, std::size_t& pos, double& value) {
    const std::string rest(s.substr(pos));
    char* end = nullptr;
    errno = 0;
    value = std::strtod(rest.c_str(), &end);
    if (end == rest.c_str()) return false;
    pos += static_cast<std::size_t>(end - rest.c_str());
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

std::optional<host::Array> parse_literal(std::string_view text, std::string& error) {
    if (!text.empty() && text.front() == '\'') {
        std::string chars;
        std::size_t i = 1;
        for (;; ++i) {
            if (i >= text.size()) {
                error = "unterminated string: " + std::string(text);
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
            error = "text after the closing apostrophe: " + std::string(text);
            return std::nullopt;
        }
        return host::string_array(chars);
    }
    if (!text.empty() && text.front() == '[') {
        if (text.back() != ']') {
            error = "unterminated matrix: " + std::string(text);
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
                error = "not a number: " + word;
                return false;
            }
            any_complex = any_complex || c;
            rows.back().push_back(v);
            word.clear();
            return true;
        };
        for (char ch : text.substr(1, text.size() - 2)) {
            if (ch == ' ' || ch == ',' || ch == '\t' || ch == ';') {
                if (!finish_word()) return std::nullopt;
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
                error = "rows of different lengths: " + std::string(text);
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
        error = "not a literal: " + std::string(text);
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
