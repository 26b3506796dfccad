// Every routine called from four threads at once over a table of arguments
// (successes and soft failures, silent and printing) gives exactly what it
// gives on one thread. Run under ThreadSanitizer by the test command.
#include <gtest/gtest.h>

#include <atomic>
#include <complex>
#include <cstring>
#include <functional>
#include <string_view>
#include <thread>
#include <vector>

#include "qelms/qelms.hpp"

namespace {

using Values = std::vector<double>;
using Case = std::function<Values()>;
using C = std::complex<double>;

std::atomic<long> lines_written{0};
void count_line(int, std::string_view) { ++lines_written; }

template <auto Routine, typename... Reals>
Case real(int ifail, Reals... x) {
    return [=] {
        int f = ifail;
        const double v = Routine(x..., f);
        return Values{v, double(f)};
    };
}

// A sequence routine of the I, K, J, Y form, n members.
template <auto Routine>
Case sequence(double fnu, C z, int n, char scale, int ifail) {
    return [=] {
        std::vector<C> cy(n);
        int nz = 0;
        int f = ifail;
        Routine(fnu, z, n, scale, cy.data(), nz, f);
        Values v{double(nz), double(f)};
        for (const C& c : cy) v.insert(v.end(), {c.real(), c.imag()});
        return v;
    };
}

std::vector<Case> cases() {
    std::vector<Case> t = {
        real<qelms::gammaf>(-1, 0.5), real<qelms::gammaf>(1, 200.0), real<qelms::gammaf>(-1, -3.0),
        real<qelms::lngamm>(-1, 30.5), real<qelms::lngamm>(-1, -1.0),
        real<qelms::errfun>(-1, 0.3), real<qelms::erfcmp>(-1, 5.5),
        real<qelms::expint>(-1, 2.0), real<qelms::expint>(1, -2.0),
        real<qelms::cosint>(-1, 3.0), real<qelms::sinint>(-1, 30.0),
        real<qelms::fresns>(-1, 2.9), real<qelms::fresnc>(-1, 2.9),
        real<qelms::kelber>(-1, 3.0), real<qelms::kelbei>(-1, 60.0),
        real<qelms::kelker>(-1, 3.0), real<qelms::kelkei>(-1, 0.0),
        real<qelms::besli0>(-1, 12.0), real<qelms::besli1>(-1, 800.0),
        real<qelms::beslk0>(-1, 0.7), real<qelms::beslk1>(-1, 0.0),
        real<qelms::beslj0>(-1, 9.0), real<qelms::beslj1>(-1, 2e16),
        real<qelms::besly0>(-1, 0.63), real<qelms::besly1>(-1, -1.0),
        real<qelms::airyai>(-1, -7.5), real<qelms::airybi>(-1, 200.0),
        real<qelms::airyad>(-1, 1.5), real<qelms::airybd>(-1, -0.5),
        real<qelms::ellprc>(-1, 1.0, -2.0), real<qelms::ellprf>(-1, 1.0, 2.0, 3.0),
        real<qelms::ellprd>(-1, 0.0, 0.0, 1.0), real<qelms::ellprj>(-1, 1.0, 2.0, 3.0, -4.0),
        [] {
            int f = -1;
            double p = 0, q = 0;
            qelms::gaminc(3.5, 2.0, 0.0, p, q, f);
            return Values{p, q, double(f)};
        },
        [] {
            int f = -1;
            const C e = qelms::zexpon(C(800.0, 1.0), f);
            return Values{e.real(), e.imag(), double(f)};
        },
        sequence<qelms::zbesli>(0.3, C(1.5, 2.0), 4, 'U', -1),
        sequence<qelms::zbesli>(-1.0, C(1.5, 2.0), 2, 'U', 1),
        sequence<qelms::zbeslk>(1.5, C(-3.0, 0.5), 3, 'S', -1),
        sequence<qelms::zbeslj>(2.0, C(10.0, -1.0), 3, 'U', -1),
        [] {
            std::vector<C> cy(3), work(3);
            int nz = 0, f = -1;
            qelms::zbesly(0.5, C(4.0, 1.0), 3, 'U', cy.data(), nz, work.data(), f);
            return Values{cy[0].real(), cy[2].imag(), double(nz), double(f)};
        },
        [] {
            std::vector<C> cy(2);
            int nz = 0, f = -1;
            qelms::zhankl(2, 1.0, C(0.0, -3.0), 2, 'S', cy.data(), nz, f);
            return Values{cy[0].real(), cy[1].imag(), double(nz), double(f)};
        },
        [] {
            C ai, bi;
            int nz = 0, f = -1, g = -1;
            qelms::zairya('D', C(-3.0, 2.0), 'U', ai, nz, f);
            qelms::zairyb('F', C(5.0, 1.0), 'S', bi, g);
            return Values{ai.real(), ai.imag(), bi.real(), bi.imag(), double(nz), double(f), double(g)};
        },
    };
    return t;
}

bool same_bits(const Values& a, const Values& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

TEST(Threads, EveryRoutineGivesTheSameResultsFromFourThreadsAtOnce) {
    const qelms::MessageWriter previous = qelms::set_message_writer(&count_line);
    const std::vector<Case> table = cases();
    std::vector<Values> expected;
    for (const Case& c : table) expected.push_back(c());
    const long lines_per_pass = lines_written.exchange(0);
    ASSERT_GT(lines_per_pass, 0);

    constexpr int threads = 4;
    constexpr int passes = 20;
    std::atomic<int> mismatches{0};
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t) {
        pool.emplace_back([&, t] {
            for (int pass = 0; pass < passes; ++pass) {
                // each thread walks the table from its own starting point
                for (std::size_t i = 0; i < table.size(); ++i) {
                    const std::size_t k = (i + 7 * t) % table.size();
                    if (!same_bits(table[k](), expected[k])) ++mismatches;
                }
            }
        });
    }
    for (std::thread& th : pool) th.join();
    qelms::set_message_writer(previous);
    EXPECT_EQ(mismatches.load(), 0);
    EXPECT_EQ(lines_written.load(), lines_per_pass * threads * passes);
}

TEST(Threads, HooksMayBeExchangedWhileRoutinesRun) {
    std::atomic<bool> stop{false};
    std::thread swapper([&] {
        while (!stop) {
            qelms::set_message_writer(&count_line);
            qelms::set_message_writer(nullptr);
        }
    });
    qelms::set_message_writer(&count_line);
    for (int i = 0; i < 200; ++i) {
        int f = 1;
        qelms::lngamm(-2.0, f);
        EXPECT_EQ(f, 1);
    }
    stop = true;
    swapper.join();
    qelms::set_message_writer(nullptr);
}

}  // namespace
