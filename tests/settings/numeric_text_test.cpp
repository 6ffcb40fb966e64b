#include <gtest/gtest.h>

#include "settings/numeric_text.h"

namespace almanix {
namespace {

TEST(NumericText, ReadsTheLeadingNumber) {
    const std::pair<const char*, double> cases[] = {
        {"", 0},       {" ", 0},      {"abc", 0},    {"12", 12},        {"  7  ", 7},
        {"12abc", 12}, {"-5", -5},    {"+5", 5},     {"2.5", 2.5},      {"1.2.3", 1.2},
        {".5", 0.5},   {"-.5", -0.5}, {".", 0},      {"-", 0},          {"+-5", 0},
        {"1e3", 1},    {"&h14", 20},  {"&H14", 20},  {"&h000105", 261}, {"&hFFFFFFFF", 4294967295.0},
        {"&h", 0},     {"&hxyz", 0},  {" &h1A", 26}, {"07", 7},         {"1 2", 1},
        {"\t3", 3},
    };
    for (const auto& [text, value] : cases) EXPECT_DOUBLE_EQ(numericTextValue(text), value) << text;
}

// Halves round to even, as when a setting loads; the registry file's table
// takes stored numbers beyond 16 bits to the nearest limit.
TEST(NumericText, AWholeNumberIsTheTextsWholeContent) {
    const std::pair<const char*, std::optional<std::int16_t>> cases[] = {
        {"07", 7},    {"-3", -3},           {"  12\t", 12},  {"2.5", 2},     {"3.5", 4},
        {"&h1F", 31}, {"-32768.5", -32768}, {"32767.5", {}}, {"-32769", {}}, {"", {}},
        {"ab", {}},   {"1a", {}},           {"1 2", {}},     {".", {}},      {"1.2.3", {}},
    };
    for (const auto& [text, number] : cases) EXPECT_EQ(wholeNumberOf(text), number) << text;
}

} // namespace
} // namespace almanix
