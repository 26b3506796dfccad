#include <gtest/gtest.h>
#include "test_support.hpp"
TEST(Smoke, Gamma) {
  auto c = qelms::test::call_module({"gammaf", "0.5", "-1"}, 2);
  ASSERT_TRUE(c.result.ok) << c.result.error;
}
