// The failure of every routine, through the embedded host, for ifail -1, -13,
// 1 and 0, from the table that the Octave end-to-end test reads too.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "test_support.hpp"

namespace {

struct FailureCase {
    std::string routine;
    std::vector<std::string> args;
    int number;
    std::vector<std::string> records;
};

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    std::string part;
    while (std::getline(in, part, separator)) parts.push_back(part);
    return parts;
}

std::vector<FailureCase> read_cases() {
    std::ifstream in(std::string(QELMS_TEST_DATA) + "/failure_messages.txt");
    std::vector<FailureCase> cases;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        const auto fields = split(line, '|');
        FailureCase c{fields.at(0), split(fields.at(1), ' '), std::stoi(fields.at(2)), {}};
        c.records.assign(fields.begin() + 3, fields.end());
        cases.push_back(c);
    }
    return cases;
}

std::string abnormal_exit(std::string routine, int number) {
    for (char& ch : routine) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    char line[96];
    std::snprintf(line, sizeof line, " ** ABNORMAL EXIT from QELM Library routine %s: IFAIL =%6d", routine.c_str(),
                  number);
    return line;
}

TEST(FailureMessages, EveryFailureOfEveryRoutine) {
    const auto cases = read_cases();
    ASSERT_GT(cases.size(), 50u);
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.routine + " " + testing::PrintToString(c.args));
        const int nlhs = c.routine == "gaminc" ? 3 : 2;
        auto call = [&](const char* ifail) {
            std::vector<std::string> words{c.routine};
            words.insert(words.end(), c.args.begin(), c.args.end());
            words.push_back(ifail);
            return qelms::test::call_module(words, nlhs);
        };
        std::vector<std::string> expected = c.records;
        EXPECT_EQ(call("-13").console, expected);
        expected.push_back(abnormal_exit(c.routine, c.number));
        expected.push_back(" ** QELM soft failure - control returned");
        auto soft = call("-1");
        EXPECT_EQ(soft.console, expected);
        ASSERT_TRUE(soft.result.ok);
        EXPECT_EQ(soft.result.results.back()->re[0], c.number);

        auto silent = call("1");
        EXPECT_TRUE(silent.console.empty());
        ASSERT_TRUE(silent.result.ok);
        EXPECT_EQ(silent.result.results.back()->re[0], c.number);

        expected.back() = " ** QELM hard failure - execution terminated";
        auto hard = call("0");
        EXPECT_EQ(hard.console, expected);
        EXPECT_EQ(hard.result.error, "Stop - Program terminated.");
        EXPECT_EQ(hard.standard_output, "Stop - Program terminated.\n");
    }
}

}  // namespace
