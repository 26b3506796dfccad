#include "failure.hpp"

#include <atomic>
#include <cstdio>
#include <string>

namespace qelms {

HardFailure::HardFailure(std::string routine, int error_number)
    : std::runtime_error("Stop - Program terminated."), routine_(std::move(routine)), error_number_(error_number) {}

namespace {

void write_to_standard_output(int unit, std::string_view text) {
    if (unit < 0) return;
    std::size_t length = text.size();
    while (length > 1 && text[length - 1] == ' ') --length;
    std::string line(text.substr(0, length));
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stdout);  // one locked write per line
    std::fflush(stdout);
}

[[noreturn]] void throw_hard_failure(std::string_view routine, int error_number) {
    throw HardFailure(std::string(routine), error_number);
}

// Shared by every thread; exchanged atomically.
std::atomic<MessageWriter> current_writer{&write_to_standard_output};
std::atomic<StopHandler> current_stop{&throw_hard_failure};
std::atomic<int> stored_unit{6};  // the unit failure messages are printed on

constexpr std::string_view abnormal_exit_template =
    "(' ** ABNORMAL EXIT from QELM Library routine ',A,': IFAIL',' =',I6)";

}  // namespace

MessageWriter set_message_writer(MessageWriter writer) {
    return current_writer.exchange(writer ? writer : &write_to_standard_output);
}

StopHandler set_stop_handler(StopHandler handler) {
    return current_stop.exchange(handler ? handler : &throw_hard_failure);
}

void message_unit(int mode, int& unit) {
    if (mode == 0) unit = stored_unit;
    else if (mode == 1) stored_unit = unit;
}

bool failure_prints(int ifail) {
    return ifail == -1 || ifail == 0 || ifail == -13 || (ifail > 0 && (ifail / 10) % 10 != 0);
}

int fail_exit(int ifail, int error_number, std::string_view routine, std::span<const MessageRecord> records) {
    if (error_number == 0) return 0;
    if (!failure_prints(ifail)) return error_number;
    int unit = 0;
    message_unit(0, unit);
    const MessageWriter writer = current_writer.load();
    for (const MessageRecord& record : records) writer(unit, std::string_view(record.data(), record.size()));
    if (ifail == -13) return error_number;

    std::array<MessageRecord, 1> line{};
    format_message(abnormal_exit_template, {routine, error_number}, line);
    writer(unit, std::string_view(line[0].data(), 72));
    const int last_digit = ifail % 10;  // carries the sign of ifail
    if (last_digit == 1 || last_digit == -1) {
        writer(unit, " ** QELM soft failure - control returned");
        return error_number;
    }
    writer(unit, " ** QELM hard failure - execution terminated");
    fail_abort(routine, error_number);
}

void fail_abort(std::string_view routine, int error_number) {
    std::fputs("Stop - Program terminated.\n", stdout);
    std::fflush(stdout);
    current_stop.load()(routine, error_number);
    throw_hard_failure(routine, error_number);  // a handler that returns is not allowed to resume
}

}  // namespace qelms
