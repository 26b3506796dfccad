// The array companion's elements on several threads: the engine's order of
// the second, loud evaluations, the thread setting, and qelmsv's values,
// messages and stops the same for every thread count. Run under
// ThreadSanitizer by the test command.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "element_engine.hpp"
#include "test_support.hpp"

namespace {

namespace gw = qelms::gateway;
namespace host = qelms::host;
using qelms::test::ThreadSetting;

TEST(ElementThreads, ThreadLimitFromTheSetting) {
    struct Case {
        const char* setting;
        unsigned cores;
        std::optional<unsigned> limit;
    };
    const Case cases[] = {
        {nullptr, 8, 8},    {"1", 8, 1},     {"3", 8, 3},       {"16", 4, 4},   {"0004", 8, 4},
        {"99999999999999999999999", 2, 2},   {"0", 8, std::nullopt},            {"", 8, std::nullopt},
        {"-2", 8, std::nullopt},             {"+2", 8, std::nullopt},           {" 2", 8, std::nullopt},
        {"2x", 8, std::nullopt},             {"abc", 8, std::nullopt},          {"000", 8, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(gw::thread_limit(c.setting, c.cores), c.limit) << (c.setting ? c.setting : "unset");
}

// What the engine did with each element.
struct Trace {
    std::vector<std::atomic<int>> quiet;
    std::vector<std::size_t> loud;  // in the order of the loud evaluations
    explicit Trace(std::size_t count) : quiet(count) {}
};

TEST(ElementThreads, QuietlyOnEveryThreadThenLoudInElementOrder) {
    constexpr std::size_t count = 10007;
    for (unsigned threads : {1u, 2u, 4u, 7u}) {
        Trace trace(count);
        std::vector<char> again_storage(count);
        bool* again = reinterpret_cast<bool*>(again_storage.data());
        std::atomic<bool> worker_in_range{true};
        gw::evaluate_elements(
            count, threads, again,
            [&](std::size_t j, unsigned worker) {
                if (worker >= threads) worker_in_range = false;
                ++trace.quiet[j];
                if (j % 1000 == 999) throw std::runtime_error("thrown again by loud");
                return j % 7 == 3;
            },
            [&](std::size_t j) { trace.loud.push_back(j); });
        EXPECT_TRUE(worker_in_range);
        std::vector<std::size_t> expected_loud;
        for (std::size_t j = 0; j < count; ++j) {
            EXPECT_EQ(trace.quiet[j], threads == 1 ? 0 : 1) << "element " << j << ", " << threads << " threads";
            if (threads == 1 || j % 7 == 3 || j % 1000 == 999) expected_loud.push_back(j);
        }
        EXPECT_EQ(trace.loud, expected_loud) << threads << " threads";
    }
}

TEST(ElementThreads, ALoudFailureEndsTheEvaluationInElementOrder) {
    constexpr std::size_t count = 5000;
    std::vector<char> again_storage(count);
    std::vector<std::size_t> loud;
    EXPECT_THROW(gw::evaluate_elements(
                     count, 4, reinterpret_cast<bool*>(again_storage.data()),
                     [](std::size_t j, unsigned) { return j % 100 == 0; },
                     [&](std::size_t j) {
                         loud.push_back(j);
                         if (j == 300) throw std::runtime_error("stop");
                     }),
                 std::runtime_error);
    EXPECT_EQ(loud, (std::vector<std::size_t>{0, 100, 200, 300}));
}

bool same_bits(const std::vector<double>& a, const std::vector<double>& b) {
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0);
}

bool same(const qelms::test::Captured& a, const qelms::test::Captured& b) {
    if (a.result.ok != b.result.ok || a.result.error != b.result.error || a.console != b.console ||
        a.standard_output != b.standard_output || a.result.results.size() != b.result.results.size())
        return false;
    for (std::size_t r = 0; r < a.result.results.size(); ++r) {
        const mxArray &x = *a.result.results[r], &y = *b.result.results[r];
        if (x.dims != y.dims || !same_bits(x.re, y.re) || !same_bits(x.im, y.im)) return false;
    }
    return true;
}

TEST(ElementThreads, ValuesMessagesAndStopsTheSameForEveryThreadCount) {
    // arrays large enough for several threads, failing elements scattered
    std::vector<double> x(30011);
    for (std::size_t j = 0; j < x.size(); ++j) x[j] = j % 997 == 5 ? -double(j % 13) : 0.01 + 1e-3 * double(j);
    std::vector<std::complex<double>> z(401);
    for (std::size_t j = 0; j < z.size(); ++j) z[j] = {j % 37 == 1 ? 0.0 : 0.1 * double(j) - 20, 0.05 * double(j % 50)};
    const auto gammaf = host::string_array("gammaf"), zbeslk = host::string_array("zbeslk");
    const auto xs = host::real_array({1, x.size()}, x), zs = host::complex_array({z.size(), 1}, z);
    const auto fnu = host::real_scalar(0.75), n = host::real_scalar(3), scale = host::string_array("U");
    for (double ifail : {1.0, -1.0, 0.0}) {
        const auto f = host::real_scalar(ifail);
        const std::vector<std::vector<const mxArray*>> calls = {
            {gammaf.get(), xs.get(), f.get()},
            {zbeslk.get(), fnu.get(), zs.get(), n.get(), scale.get(), f.get()},
        };
        for (const auto& args : calls) {
            const int nlhs = args.size() == 3 ? 2 : 3;
            std::optional<qelms::test::Captured> one;
            {
                ThreadSetting setting("1");
                one = qelms::test::call_array_module_on(args, nlhs);
            }
            EXPECT_EQ(one->result.ok, ifail != 0.0);
            EXPECT_EQ(one->console.empty(), ifail == 1.0);
            for (const char* setting_value : {static_cast<const char*>(nullptr), "4"}) {
                ThreadSetting setting(setting_value);
                EXPECT_TRUE(same(*one, qelms::test::call_array_module_on(args, nlhs)))
                    << args.size() << " arguments, ifail " << ifail << ", threads " << (setting_value ? setting_value : "all");
            }
        }
    }
}

}  // namespace
