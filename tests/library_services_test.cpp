// The failure exit, message templates and machine constants.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <cstdint>
#include <string>
#include <vector>

#include "support/failure.hpp"
#include "support/machine.hpp"
#include "support/message_format.hpp"

namespace {

std::vector<std::string> printed;  // lines the failure exit wrote, trailing blanks kept

void record_line(int unit, std::string_view text) {
    printed.push_back(std::to_string(unit) + "|" + std::string(text.substr(0, text.find_last_not_of(' ') + 1)));
}

class FailExit : public testing::Test {
protected:
    void SetUp() override {
        printed.clear();
        previous_ = qelms::set_message_writer(record_line);
    }
    void TearDown() override { qelms::set_message_writer(previous_); }

private:
    qelms::MessageWriter previous_ = nullptr;
};

const std::string record_line_text = "6| ** On entry, N .LE. 0: N =               -1";
const std::string abnormal = "6| ** ABNORMAL EXIT from QELM Library routine ZBESLI: IFAIL =     2";
const std::string soft = "6| ** QELM soft failure - control returned";
const std::string hard = "6| ** QELM hard failure - execution terminated";

TEST_F(FailExit, EveryEntryValueOfIfail) {
    struct Row {
        int ifail;
        bool stops;
        std::vector<std::string> lines;
    };
    const Row rows[] = {
        {0, true, {record_line_text, abnormal, hard}},    {1, false, {}},
        {-1, false, {record_line_text, abnormal, soft}},  {-13, false, {record_line_text}},
        {10, true, {record_line_text, abnormal, hard}},   {110, true, {record_line_text, abnormal, hard}},
        {20, true, {record_line_text, abnormal, hard}},   {11, false, {record_line_text, abnormal, soft}},
        {21, false, {record_line_text, abnormal, soft}},  {111, false, {record_line_text, abnormal, soft}},
        {2, false, {}},  {100, false, {}},  {101, false, {}},  {-2, false, {}},  {-10, false, {}},  {-11, false, {}},
    };
    const auto message = qelms::make_message("(1X,'** On entry, N .LE. 0: N = ',I16)", {-1});
    for (const Row& row : rows) {
        printed.clear();
        int result = -99;
        testing::internal::CaptureStdout();
        bool stopped = false;
        try {
            result = qelms::fail_exit(row.ifail, 2, "ZBESLI", message);
        } catch (const qelms::HardFailure& e) {
            stopped = true;
            EXPECT_EQ(e.error_number(), 2);
        }
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(stopped, row.stops) << "ifail " << row.ifail;
        EXPECT_EQ(out, row.stops ? "Stop - Program terminated.\n" : "") << "ifail " << row.ifail;
        if (!row.stops) {
            EXPECT_EQ(result, 2) << "ifail " << row.ifail;
        }
        EXPECT_EQ(printed, row.lines) << "ifail " << row.ifail;
    }
}

TEST_F(FailExit, NoRecordsAndErrorNumberZero) {
    EXPECT_EQ(qelms::fail_exit(-1, 3, "GAMMAF"), 3);
    EXPECT_EQ(printed, (std::vector<std::string>{
                           "6| ** ABNORMAL EXIT from QELM Library routine GAMMAF: IFAIL =     3", soft}));
    printed.clear();
    for (int ifail : {0, -1, 11, -13}) EXPECT_EQ(qelms::fail_exit(ifail, 0, "GAMMAF"), 0);
    EXPECT_TRUE(printed.empty());
}

TEST_F(FailExit, StopHandlerReplacesTheException) {
    static int stops = 0;
    auto previous = qelms::set_stop_handler([](std::string_view routine, int number) {
        ++stops;
        throw std::runtime_error(std::string(routine) + std::to_string(number));
    });
    testing::internal::CaptureStdout();
    EXPECT_THROW(qelms::fail_exit(0, 7, "LNGAMM"), std::runtime_error);
    testing::internal::GetCapturedStdout();
    qelms::set_stop_handler(previous);
    EXPECT_EQ(stops, 1);
}

TEST(MessageUnit, ReadsAndStores) {
    int unit = 0;
    qelms::message_unit(0, unit);
    EXPECT_EQ(unit, 6);
    int other = 9;
    qelms::message_unit(2, other);  // other modes do nothing
    qelms::message_unit(0, unit);
    EXPECT_EQ(unit, 6);
}

struct TemplateCase {
    const char* tmpl;
    std::initializer_list<qelms::FieldValue> values;
    std::vector<std::string> records;
};

TEST(MessageFormat, Templates) {
    const TemplateCase cases[] = {
        {"(1X,'** On entry, N .LE. 0: N = ',I16)", {-1}, {" ** On entry, N .LE. 0: N =               -1"}},
        {"(1X,'** Algorithm fails to terminate in ',I4,' iterations')", {600},
         {" ** Algorithm fails to terminate in  600 iterations"}},
        {"(1X,'** On entry, X.lt.0.0 : X =',1P,D13.5)", {-1.5}, {" ** On entry, X.lt.0.0 : X = -1.50000D+00"}},
        {"(1X,'X =',D13.5,1P,D13.5)", {1.5, 1.5}, {" X =  0.15000D+01  1.50000D+00"}},
        {"(1X,1P,D13.5,D13.5,D12.5)", {0.0, 123456.789, -9.999996e-5},
         {"   0.00000D+00  1.23457D+05-1.00000D-04"}},
        {"(1X,D13.5,D13.5)", {-0.000123456, 1e100}, {"  -0.12346D-03  0.10000+101"}},
        {"(1X,'SCALE = ''U''.',A)", {std::string_view("ZAIRYA")}, {" SCALE = 'U'.ZAIRYA"}},
        {"(1X,'a','b',/,4X,'c',/,'d')", {}, {" ab", "    c", "d"}},
        {"(' ** ABNORMAL EXIT from QELM Library routine ',A,': IFAIL',' =',I6)",
         {std::string_view("GAMMAF"), 2}, {" ** ABNORMAL EXIT from QELM Library routine GAMMAF: IFAIL =     2"}},
        {"(I4)", {123456}, {"****"}},
    };
    for (const auto& c : cases) {
        std::array<qelms::MessageRecord, 3> records{};
        const int count = qelms::format_message(c.tmpl, c.values, records);
        ASSERT_EQ(count, static_cast<int>(c.records.size())) << c.tmpl;
        for (int i = 0; i < count; ++i) EXPECT_EQ(qelms::record_text(records[i]), c.records[i]) << c.tmpl;
    }
}

TEST(MessageFormat, LongestRecordsFillEightyCharacters) {
    const auto m = qelms::make_message(
        "(1X,'** No computation because imag(Z) =',1P,D13.5,' .GT.',D12.5,', SCALE = ''U''.')", {-1.5e3, 7.0e2});
    ASSERT_EQ(m.count, 1);
    EXPECT_EQ(qelms::record_text(m.records[0]),
              " ** No computation because imag(Z) = -1.50000D+03 .GT. 7.00000D+02, SCALE = 'U'.");
    EXPECT_EQ(qelms::record_text(m.records[0]).size(), 80u);
}

TEST(MessageFormat, RefusesWhatTheNotationDoesNotCover) {
    std::array<qelms::MessageRecord, 1> one{};
    EXPECT_THROW(qelms::format_message("(F8.2)", {1.0}, one), std::logic_error);
    EXPECT_THROW(qelms::format_message("(I4)", {}, one), std::logic_error);
    EXPECT_THROW(qelms::format_message("(I4)", {1.0}, one), std::logic_error);
    EXPECT_THROW(qelms::format_message("('a',/,'b')", {}, one), std::logic_error);
}

TEST(MachineConstants, BitPatterns) {
    const std::pair<double, std::uint64_t> constants[] = {
        {qelms::mach_precision(), 0x3CA0040000000020}, {qelms::mach_safe_min(), 0x0010000000000011},
        {qelms::mach_max_real(), 0x7FEFFFFFFFFFFFE2},  {qelms::mach_min_real(), 0x0010000000000011},
        {qelms::mach_max_trig_arg(0.0), 0x43D0000000000002}, {qelms::mach_complex_safe(), 0x1FF6A09E667F3BCD},
    };
    for (const auto& [value, bits] : constants) EXPECT_EQ(std::bit_cast<std::uint64_t>(value), bits) << value;
    EXPECT_GT(1.0 + qelms::mach_precision(), 1.0);
    EXPECT_TRUE(std::isfinite(1.0 / qelms::mach_safe_min()));
    EXPECT_LT(qelms::mach_max_real(), std::numeric_limits<double>::max());
    EXPECT_EQ(qelms::mach_base(), 2);
    EXPECT_EQ(qelms::mach_digits(), 53);
    EXPECT_EQ(qelms::mach_min_exp(), -1021);
    EXPECT_EQ(qelms::mach_max_exp(), 1024);
    EXPECT_EQ(qelms::mach_max_int(0.0), 2147483647);
}

}  // namespace
