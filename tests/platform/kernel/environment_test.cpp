// Conformance tests of GetEnvironmentVariableA: the length without the zero
// when the value fits, the size it needs (with the zero) when it does not,
// and 0 with ERROR_ENVVAR_NOT_FOUND for a variable that is not set.
#include <gtest/gtest.h>
#include <windows.h>

#include <string.h>

#include <vector>

namespace {

TEST(GetEnvironmentVariableA, GivesTheValueOrTheSizeItNeeds) {
  // PATH is set for every process of both systems.
  DWORD needed = GetEnvironmentVariableA("PATH", nullptr, 0);
  ASSERT_GT(needed, 1u);
  std::vector<char> value(needed, 'x');
  EXPECT_EQ(GetEnvironmentVariableA("PATH", value.data(), needed), needed - 1);
  EXPECT_EQ(strlen(value.data()), size_t(needed - 1));
  std::vector<char> tooSmall(needed - 1, 'x');
  EXPECT_EQ(GetEnvironmentVariableA("PATH", tooSmall.data(), needed - 1), needed);
}

TEST(GetEnvironmentVariableA, AVariableThatIsNotSetGivesZero) {
  char value[16] = "untouched";
  SetLastError(0);
  EXPECT_EQ(GetEnvironmentVariableA("QUILLON_TEST_NEVER_SET_VARIABLE", value, sizeof value), 0u);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_ENVVAR_NOT_FOUND));
}

}  // namespace
