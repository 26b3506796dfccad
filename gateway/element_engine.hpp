// Independent elements evaluated on several threads, with what the user sees
// (values, messages, their order, the stop) exactly that of one thread: the
// elements run quietly in parallel, then those that asked for it run again on
// the calling thread, in element order. Knows nothing of the host.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

namespace qelms::gateway {

// The number of threads a QELMS_NUM_THREADS value allows on a machine of
// `cores` cores: every core when the variable is unset (null), the value when
// it is a positive decimal integer (digits only; at most `cores`); nullopt for
// any other value, the empty text included.
std::optional<unsigned> thread_limit(const char* setting, unsigned cores);

// The machine's cores, at least 1.
unsigned core_count();

// Evaluates elements 0..count-1 with `threads` threads, the calling thread
// among them. With one thread, loud(j) on the calling thread for every j in
// order. With more, quiet(j, worker) for every j on the threads (worker
// numbers 0..threads-1, the calling thread 0), where quiet must not print,
// stop or touch the host and returns whether element j must run again;
// then, once every thread has finished, loud(j) on the calling thread, in
// element order, for each element that asked or whose quiet evaluation threw.
// `again` holds count flags. A thread that cannot be started leaves its share
// to the others.
template <typename Quiet, typename Loud>
void evaluate_elements(std::size_t count, unsigned threads, bool* again, Quiet quiet, Loud loud) {
    if (threads <= 1 || count <= 1) {
        for (std::size_t j = 0; j < count; ++j) loud(j);
        return;
    }
    // elements are taken in chunks, enough of them that uneven costs even out
    const std::size_t chunk = std::clamp<std::size_t>(count / (threads * std::size_t{16}), 1, 256);
    std::atomic<std::size_t> next{0};
    auto work = [&](unsigned worker) {
        for (;;) {
            const std::size_t begin = next.fetch_add(chunk, std::memory_order_relaxed);
            if (begin >= count) return;
            const std::size_t end = std::min(count, begin + chunk);
            for (std::size_t j = begin; j < end; ++j) {
                try {
                    again[j] = quiet(j, worker);
                } catch (...) {
                    again[j] = true;  // thrown again, in its place, by loud
                }
            }
        }
    };
    std::vector<std::thread> helpers;
    helpers.reserve(threads - 1);
    for (unsigned worker = 1; worker < threads; ++worker) {
        try {
            helpers.emplace_back(work, worker);
        } catch (const std::system_error&) {
            break;
        }
    }
    work(0);
    for (std::thread& t : helpers) t.join();
    for (std::size_t j = 0; j < count; ++j)
        if (again[j]) loud(j);
}

}  // namespace qelms::gateway
