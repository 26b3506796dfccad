// The routine table (docs/routines.py, through its generated contracts file)
// against the gateways: a documented contract is the one the module enforces.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "gateway/gateways.hpp"

namespace {

struct Contract {
    std::string arg_list, arg_types, result_types;
};

std::map<std::string, Contract> read_contracts() {
    std::ifstream in(std::string(QELMS_TEST_DATA) + "/routine_contracts.txt");
    std::map<std::string, Contract> contracts;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        std::string name;
        Contract c;
        words >> name >> c.arg_list >> c.arg_types >> c.result_types;
        contracts[name] = c;
    }
    return contracts;
}

TEST(RoutineTable, EveryGatewayAsDocumented) {
    const auto contracts = read_contracts();
    EXPECT_EQ(contracts.size(), 38u);
    for (const auto* g : qelms::gateway::dispatch_table()) {
        const auto found = contracts.find(std::string(g->name));
        ASSERT_NE(found, contracts.end()) << g->name << " is not in the routine table";
        EXPECT_EQ(found->second.arg_list, g->arg_list) << g->name;
        EXPECT_EQ(found->second.arg_types, g->arg_types) << g->name;
        EXPECT_EQ(found->second.result_types, g->result_types) << g->name;
    }
}

}  // namespace
