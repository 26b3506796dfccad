#include "utility5.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstddef>
#include <cstring>
#include <limits>

#include "host_io.hpp"

namespace qelms::gateway {
namespace {

constexpr int arg_list_capacity = 2048;
constexpr int routine_record_capacity = 30;
constexpr int message_field_length = 72;  // every use-error text is this long, blank-padded
constexpr int type_label_length = 15;     // argument names in type and shape errors are cut to this
constexpr int undefined_label_length = 1024;

char arg_list_field[arg_list_capacity];        // "x,ifail " and blanks
char routine_record[routine_record_capacity];  // "7gammaf" and blanks

// A blank-padded text field of fixed length that is built by appending.
class Field {
public:
    explicit Field(int length) : length_(length) { std::fill_n(text_, length_, ' '); }
    Field& operator<<(std::string_view s) {
        for (char c : s)
            if (used_ < length_) text_[used_++] = c;
        return *this;
    }
    std::string_view full() const { return {text_, static_cast<std::size_t>(length_)}; }

private:
    char text_[message_field_length];
    int length_;
    int used_ = 0;
};

std::string_view trimmed(const char* field, int length) {
    return {field, static_cast<std::size_t>(trimmed_length(field, length))};
}

void print_line(std::string_view line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
}

void error_header(std::string_view name) {
    Field header(message_field_length);
    header << "??? Error using ==> " << name << ".m";
    std::string_view line = header.full();
    line = line.substr(0, line.find_last_not_of(' ') + 1);
    print_line(line);
    print_line("");
    std::fflush(stdout);
}

[[noreturn]] void refuse(std::string_view name, int k, int label_length, std::string_view tail) {
    char label[undefined_label_length];
    arg_label(k, label, label_length, name);
    error_header(name);
    Field message(message_field_length);
    message << "RHS argument (" << trimmed(label, label_length) << tail;
    host_error(message.full());
}

// A dimension line: the text and the number in full, whatever its size.
void print_dimension(std::string_view text, std::size_t value) {
    std::printf("%s %zu\n", std::string(text).c_str(), value);
}

// Copies the first min(count, length) characters of a character array into
// `field`. mxGetString gets room for the whole text, because hosts differ on
// a text that does not fit (Octave copies nothing, MATLAB a truncated text);
// when even that fails, nothing is taken from the buffer.
void copy_chars(const mxArray* array, char* field, int length) {
    constexpr std::size_t local_capacity = 1024;
    constexpr std::size_t largest_text = std::numeric_limits<std::ptrdiff_t>::max() - 1;  // mwSize is signed on Octave
    const std::size_t count = element_count(mxGetM(array), mxGetN(array));
    if (count > largest_text) return;
    char local[local_capacity + 1] = {};
    char* buffer = count <= local_capacity ? local : static_cast<char*>(mxCalloc(count + 1, 1));
    if (mxGetString(array, buffer, static_cast<mwSize>(count + 1)) != 0) return;
    std::copy_n(buffer, std::min(count, static_cast<std::size_t>(std::max(length, 0))), field);
}

bool has_nonzero_imaginary(const ArgTables& args, int i) {
    if (!args.im[i]) return false;
    for (std::size_t j = 0; j < args.count[i]; ++j)
        if (!(args.im[i][j] == 0.0)) return true;  // NaN counts as non-zero
    return false;
}

bool is_int32(double x) { return std::trunc(x) == x && x >= -2147483648.0 && x <= 2147483647.0; }

}  // namespace

void store_arg_names(std::string_view arg_list, std::string_view record) {
    std::fill_n(arg_list_field, arg_list_capacity, ' ');
    std::copy_n(arg_list.data(), std::min<std::size_t>(arg_list.size(), arg_list_capacity), arg_list_field);
    std::fill_n(routine_record, routine_record_capacity, ' ');
    std::copy_n(record.data(), std::min<std::size_t>(record.size(), routine_record_capacity), routine_record);
}

void check_arg_counts(std::string_view name, int nlhs, int nrhs, int expected_results, int expected_args) {
    const bool rhs_wrong = nrhs != expected_args;
    if (!rhs_wrong && nlhs == expected_results) return;
    char digits[6];
    const int used = zitoc(rhs_wrong ? expected_args : expected_results, digits, 6);
    Field message(message_field_length);
    message << name << " requires " << std::string_view(digits, std::min(used, 6))
            << (rhs_wrong ? " RHS arguments" : " LHS arguments");
    host_error(message.full());
}

void gather_args(std::string_view name, const mxArray* const prhs[], int count, ArgTables& args) {
    for (int i = 0; i < count; ++i) {
        const mxArray* a = prhs[i];
        args.array[i] = a;
        args.is_string[i] = mxIsChar(a);
        // Only full double matrices have data in the layout read here; other
        // classes (integer, single, logical, sparse, cell) are refused on conversion.
        args.is_double[i] = !args.is_string[i] && mxIsDouble(a) && !mxIsSparse(a);
        // The data before the dimensions: Octave 7 loses a block on every
        // complex argument whose columns are asked for before its data.
        args.re[i] = args.is_double[i] ? mxGetPr(a) : nullptr;
        args.im[i] = args.is_double[i] ? mxGetPi(a) : nullptr;
        args.m[i] = mxGetM(a);
        args.n[i] = mxGetN(a);
        args.count[i] = element_count(args.m[i], args.n[i]);
        if (!args.is_string[i] && args.count[i] == 0) refuse(name, i + 1, undefined_label_length, ") is undefined");
    }
}

void check_dims(std::string_view name, ArgTables& args, int count) {
    for (int i = 0; i < count; ++i) {
        const std::size_t m = args.m[i], n = args.n[i];
        std::size_t& em = args.em[i];
        std::size_t& en = args.en[i];
        bool accepted;
        if (em == 0 && en == 0) {
            accepted = true;
            em = m;
            en = n;
        } else if (en == 0) {
            accepted = m == em;
            if (accepted) en = n;
        } else if (em == 0) {
            accepted = m == 1 || n == 1;
            if (accepted) em = n == 1 ? m : n;
        } else {
            accepted = (m == em && n == en) || (m == 1 && en == 1 && n == em);
        }
        if (accepted) {
            args.count[i] = element_count(m, n);
            continue;
        }
        char label[type_label_length];
        arg_label(i + 1, label, type_label_length, name);
        error_header(name);
        print_dimension("Supplied first dimension :", m);
        print_dimension("Expected first dimension :", em);
        if (n > 1 || en > 1) {
            print_dimension("Supplied second dimension:", n);
            print_dimension("Expected second dimension:", en);
        }
        std::fflush(stdout);
        Field message(message_field_length);
        message << "RHS argument (" << trimmed(label, type_label_length) << ") has incorrect dimension";
        host_error(message.full());
    }
}

void get_real_arg(std::string_view name, const ArgTables& args, int k, double* dest) {
    const int i = k - 1;
    if (!args.is_double[i] || has_nonzero_imaginary(args, i)) refuse(name, k, type_label_length, ") must be REAL");
    std::copy_n(args.re[i], args.count[i], dest);
}

void get_integer_arg(std::string_view name, const ArgTables& args, int k, int* dest, double* work) {
    const int i = k - 1;
    if (!args.is_double[i] || has_nonzero_imaginary(args, i)) refuse(name, k, type_label_length, ") must be INTEGER");
    std::copy_n(args.re[i], args.count[i], work);
    for (std::size_t j = 0; j < args.count[i]; ++j)
        if (!is_int32(work[j])) refuse(name, k, type_label_length, ") must be INTEGER");
    for (std::size_t j = 0; j < args.count[i]; ++j) dest[j] = static_cast<int>(work[j]);
}

void get_complex_arg(std::string_view name, const ArgTables& args, int k, std::complex<double>* dest) {
    const int i = k - 1;
    if (!args.is_double[i]) refuse(name, k, type_label_length, ") must be COMPLEX");
    for (std::size_t j = 0; j < args.count[i]; ++j) dest[j] = {args.re[i][j], args.im[i] ? args.im[i][j] : 0.0};
}

void get_string_arg(std::string_view name, const ArgTables& args, int k, char* field, int length) {
    const int i = k - 1;
    std::fill_n(field, length, ' ');
    if (!args.is_string[i]) refuse(name, k, type_label_length, ") must be STRING");
    copy_chars(args.array[i], field, std::min(length, 1024));
}

void refuse_argument(std::string_view name, int k, std::string_view tail) {
    refuse(name, k, type_label_length, tail);
}

// m*n, saturating: only the largest arrays a host can describe (sparse ones) overflow.
std::size_t element_count(std::size_t m, std::size_t n) {
    std::size_t count;
    return __builtin_mul_overflow(m, n, &count) ? std::numeric_limits<std::size_t>::max() : count;
}

int get_scalar_count(const mxArray* array) {
    // Octave raises its own error for mxGetScalar of an empty or non-numeric
    // array; the data is read before the dimensions, as in gather_args.
    if (mxIsChar(array) || !mxIsDouble(array) || mxIsSparse(array)) return 0;
    const double* re = mxGetPr(array);
    if (!re || mxGetM(array) == 0 || mxGetN(array) == 0) return 0;
    const double x = std::trunc(re[0]);
    return std::isfinite(x) && x >= -2147483648.0 && x <= 2147483647.0 ? static_cast<int>(x) : 0;
}

void create_results(mxArray* plhs[], ResultTables& results, int count) {
    std::fill_n(results.re, max_results, nullptr);
    std::fill_n(results.im, max_results, nullptr);
    for (int i = 0; i < count; ++i) {
        results.count[i] = element_count(results.m[i], results.n[i]);
        plhs[i] = mxCreateDoubleMatrix(static_cast<mwSize>(results.m[i]), static_cast<mwSize>(results.n[i]),
                                       results.complex[i] ? mxCOMPLEX : mxREAL);
        results.re[i] = mxGetPr(plhs[i]);
        results.im[i] = mxGetPi(plhs[i]);
    }
}

void put_real_result(const double* values, const ResultTables& results, int r) {
    std::copy_n(values, results.count[r - 1], results.re[r - 1]);
}

void put_integer_result(const int* values, const ResultTables& results, int r, double* work) {
    const std::size_t count = results.count[r - 1];
    for (std::size_t j = 0; j < count; ++j) work[j] = values[j];
    std::copy_n(work, count, results.re[r - 1]);
}

void put_complex_result(const std::complex<double>* values, const ResultTables& results, int r, double* work) {
    const std::size_t count = results.count[r - 1];
    for (std::size_t j = 0; j < count; ++j) work[j] = values[j].real();
    std::copy_n(work, count, results.re[r - 1]);
    for (std::size_t j = 0; j < count; ++j) work[j] = values[j].imag();
    std::copy_n(work, count, results.im[r - 1]);
}

double* alloc_work(int k) { return static_cast<double*>(mxCalloc(static_cast<mwSize>(std::max(k, 1)), sizeof(double))); }

int get_name_string(const mxArray* array, char* field, int length) {
    if (!mxIsChar(array)) return 1;
    copy_chars(array, field, length);
    return 0;
}

bool blank_padded_equal(std::string_view a, std::string_view b) {
    const std::size_t longest = std::max(a.size(), b.size());
    for (std::size_t i = 0; i < longest; ++i)
        if ((i < a.size() ? a[i] : ' ') != (i < b.size() ? b[i] : ' ')) return false;
    return true;
}

int trimmed_length(const char* field, int length) {
    int l = 0;
    while (l < length && static_cast<unsigned char>(field[l]) > 32) ++l;
    return l;
}

int zitoc(int value, char* field, int length) {
    std::fill_n(field, length, ' ');
    const unsigned v = value < 0 ? 0u : static_cast<unsigned>(value);
    char digits[16];
    const int count = std::snprintf(digits, sizeof digits, "%u", v);
    std::copy_n(digits, std::min(count, length), field);
    if (length < count) {
        print_line("(ZITOC) WARNING : INTEGER LONGER THAN STRING");
        print_line("");
        std::fflush(stdout);
    }
    return count;
}

void arg_label(int k, char* field, int length, std::string_view name) {
    zitoc(k, field, length);
    const int n = static_cast<unsigned char>(routine_record[0]) - 49;
    if (n < 0 || n > routine_record_capacity - 1) return;
    if (!blank_padded_equal({routine_record + 1, static_cast<std::size_t>(n)}, name)) return;
    int start = 0;
    for (int item = 1;; ++item) {
        if (start >= arg_list_capacity) return;
        const char* comma = static_cast<const char*>(std::memchr(arg_list_field + start, ',', arg_list_capacity - start));
        int end;
        if (comma) {
            end = static_cast<int>(comma - arg_list_field);
        } else {
            end = start;
            while (end < arg_list_capacity && arg_list_field[end] != ' ') ++end;
        }
        if (item == k) {
            std::fill_n(field, length, ' ');
            std::copy_n(arg_list_field + start, std::min(end - start, length), field);
            return;
        }
        if (!comma) return;  // fewer than k items: the digits stay
        start = end + 1;
    }
}

}  // namespace qelms::gateway
