#include "element_engine.hpp"

#include <cstring>

namespace qelms::gateway {

std::optional<unsigned> thread_limit(const char* setting, unsigned cores) {
    cores = std::max(cores, 1u);
    if (!setting) return cores;
    const std::size_t length = std::strlen(setting);
    if (length == 0 || std::strspn(setting, "0123456789") != length) return std::nullopt;
    // once the value reaches the cores, further digits only make it larger
    unsigned long long value = 0;
    for (const char* c = setting; *c && value < cores; ++c) value = value * 10 + static_cast<unsigned>(*c - '0');
    if (value == 0) return std::nullopt;
    return static_cast<unsigned>(std::min<unsigned long long>(value, cores));
}

unsigned core_count() { return std::max(std::thread::hardware_concurrency(), 1u); }

}  // namespace qelms::gateway
