#include "embedded_host.hpp"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace qelms::host {
namespace {

// Memory and matrices that belong to the call in progress.
struct CallArena {
    std::vector<void*> blocks;
    std::vector<Array> created;
    CallArena() {
        blocks.reserve(4);  // enough for most calls
        created.reserve(4);
    }
    ~CallArena() {
        for (void* block : blocks) std::free(block);
    }
};

CallArena* current_call = nullptr;

void print_to_stdout(std::string_view line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

ConsoleWriter console = print_to_stdout;

}  // namespace

Array real_matrix(std::size_t m, std::size_t n, std::vector<double> values) {
    if (values.size() != m * n) throw std::invalid_argument("real_matrix: value count is not m*n");
    auto a = std::make_unique<mxArray>();
    a->m = m;
    a->n = n;
    a->re = std::move(values);
    return a;
}

Array complex_matrix(std::size_t m, std::size_t n, std::vector<std::complex<double>> values) {
    if (values.size() != m * n) throw std::invalid_argument("complex_matrix: value count is not m*n");
    auto a = std::make_unique<mxArray>();
    a->m = m;
    a->n = n;
    for (const auto& v : values) {
        a->re.push_back(v.real());
        a->im.push_back(v.imag());
    }
    return a;
}

namespace {

// Gives `a` the size `dims`, trailing singletons dropped down to two dimensions.
void set_size(mxArray& a, std::vector<std::size_t> dims) {
    while (dims.size() > 2 && dims.back() == 1) dims.pop_back();
    dims.resize(std::max<std::size_t>(dims.size(), 2), 1);
    a.m = dims[0];
    a.n = 1;
    for (std::size_t k = 1; k < dims.size(); ++k) a.n *= dims[k];
    if (dims.size() > 2) a.dims = std::move(dims);
    else a.dims.clear();
}

}  // namespace

Array real_array(std::vector<std::size_t> dims, std::vector<double> values) {
    const std::size_t count = values.size();
    auto a = real_matrix(1, count, std::move(values));
    set_size(*a, std::move(dims));
    if (a->m * a->n != a->re.size()) throw std::invalid_argument("real_array: value count is not the element count");
    return a;
}

Array complex_array(std::vector<std::size_t> dims, std::vector<std::complex<double>> values) {
    const std::size_t count = values.size();
    auto a = complex_matrix(1, count, std::move(values));
    set_size(*a, std::move(dims));
    if (a->m * a->n != a->re.size()) throw std::invalid_argument("complex_array: value count is not the element count");
    return a;
}

Array real_scalar(double value) { return real_matrix(1, 1, {value}); }
Array complex_scalar(std::complex<double> value) { return complex_matrix(1, 1, {value}); }
Array empty_matrix() { return real_matrix(0, 0, {}); }

Array string_array(std::string_view text) {
    auto a = std::make_unique<mxArray>();
    a->is_char = true;
    a->m = text.empty() ? 0 : 1;
    a->n = text.size();
    a->chars = std::string(text);
    return a;
}

CallResult call(const std::vector<const mxArray*>& args, int nlhs) { return call_entry(mexFunction, args, nlhs); }

CallResult call_entry(const Entry& entry, const std::vector<const mxArray*>& args, int nlhs) {
    CallArena arena;
    CallArena* outer = current_call;
    current_call = &arena;
    CallResult result;
    result.results.reserve(static_cast<std::size_t>(nlhs > 0 ? nlhs : 0));
    std::vector<mxArray*> plhs(static_cast<std::size_t>(nlhs > 0 ? nlhs : 0) + 1, nullptr);
    try {
        entry(nlhs, plhs.data(), static_cast<int>(args.size()), const_cast<const mxArray**>(args.data()));
        result.ok = true;
    } catch (const HostError& e) {
        result.error = e.text;
        result.error_identifier = e.identifier;
    }
    current_call = outer;
    if (result.ok) {
        for (int i = 0; i < nlhs; ++i) {
            for (Array& owned : arena.created) {
                if (owned.get() == plhs[static_cast<std::size_t>(i)]) {
                    result.results.push_back(std::move(owned));
                    break;
                }
            }
        }
    }
    return result;
}

ConsoleWriter set_console(ConsoleWriter writer) {
    ConsoleWriter previous = std::move(console);
    console = writer ? std::move(writer) : ConsoleWriter(print_to_stdout);
    return previous;
}

}  // namespace qelms::host

using namespace qelms::host;

bool mxIsChar(const mxArray* array) { return array->is_char; }
bool mxIsDouble(const mxArray* array) { return !array->is_char; }
bool mxIsSparse(const mxArray*) { return false; }

// As Octave does it, the stricter of the hosts: a text that does not fit
// whole with its NUL copies nothing at all, not even the NUL.
int mxGetString(const mxArray* array, char* buffer, mwSize buffer_length) {
    if (!array->is_char || array->chars.size() >= buffer_length) return 1;
    std::memcpy(buffer, array->chars.data(), array->chars.size());
    buffer[array->chars.size()] = '\0';
    return 0;
}

std::size_t mxGetM(const mxArray* array) { return array->m; }
std::size_t mxGetN(const mxArray* array) { return array->n; }

double* mxGetPr(const mxArray* array) {
    return array->is_char || array->re.empty() ? nullptr : const_cast<double*>(array->re.data());
}

double* mxGetPi(const mxArray* array) {
    return array->is_char || array->im.empty() ? nullptr : const_cast<double*>(array->im.data());
}

mxArray* mxCreateDoubleMatrix(mwSize m, mwSize n, mxComplexity complexity) {
    auto a = std::make_unique<mxArray>();
    a->m = m;
    a->n = n;
    a->re.assign(m * n, 0.0);
    if (complexity == mxCOMPLEX) a->im.assign(m * n, 0.0);
    mxArray* raw = a.get();
    if (!current_call) throw std::logic_error("mxCreateDoubleMatrix outside a call");
    current_call->created.push_back(std::move(a));
    return raw;
}

mwSize mxGetNumberOfDimensions(const mxArray* array) { return array->dims.empty() ? 2 : array->dims.size(); }

const mwSize* mxGetDimensions(const mxArray* array) {
    auto* a = const_cast<mxArray*>(array);
    if (a->dims.size() <= 2) a->dims = {a->m, a->n};
    return a->dims.data();
}

mxArray* mxCreateNumericArray(mwSize ndims, const mwSize* dims, mxClassID, mxComplexity complexity) {
    mwSize count = 1;
    for (mwSize k = 0; k < ndims; ++k) count *= dims[k];
    mxArray* a = mxCreateDoubleMatrix(1, count, complexity);
    set_size(*a, std::vector<std::size_t>(dims, dims + ndims));
    return a;
}

double mxGetScalar(const mxArray* array) {
    if (array->is_char) return array->chars.empty() ? 0.0 : static_cast<unsigned char>(array->chars[0]);
    return array->re.empty() ? 0.0 : array->re[0];
}

void* mxCalloc(mwSize count, mwSize size) {
    void* block = std::calloc(count == 0 ? 1 : count, size == 0 ? 1 : size);
    if (!block) mexErrMsgTxt("Out of memory.");
    if (!current_call) throw std::logic_error("mxCalloc outside a call");
    current_call->blocks.push_back(block);
    return block;
}

// Understands `disp 'TEXT' ` with apostrophes doubled inside TEXT; anything
// else is refused with a non-zero status.
int mexEvalString(const char* command) {
    std::string_view c(command);
    constexpr std::string_view prefix = "disp '";
    if (c.substr(0, prefix.size()) != prefix) return 1;
    std::string text;
    std::size_t i = prefix.size();
    for (;; ++i) {
        if (i >= c.size()) return 1;  // no closing apostrophe
        if (c[i] == '\'') {
            if (i + 1 < c.size() && c[i + 1] == '\'') {
                text += '\'';
                ++i;
                continue;
            }
            break;
        }
        text += c[i];
    }
    if (c.find_first_not_of(" ;", i + 1) != std::string_view::npos) return 1;
    console(text);
    return 0;
}

void mexErrMsgTxt(const char* text) { throw HostError{text, ""}; }

void mexErrMsgIdAndTxt(const char* identifier, const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    std::va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    std::vsnprintf(text.data(), text.size() + 1, format, args);
    va_end(args);
    throw HostError{text, identifier};
}
