// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "engine/special_tokens.h"

namespace velmora::engine {
namespace {

TEST(SpecialTokens, OrderedNumberWidthFollowsTheItemCount) {
  struct Row {
    std::size_t items;
    const char* token;
  };
  const Row rows[] = {{0, "$$$"},   {1, "$$"},    {5, "$$"},     {99, "$$"},      {100, "$$$"},
                      {150, "$$$"}, {999, "$$$"}, {1000, "$$$$"}, {1500, "$$$$"}, {250000, "$$$$"}};
  for (const Row& r : rows) EXPECT_EQ(OrderedNumberToken(r.items), r.token) << r.items << " items";
}

TEST(SpecialTokens, EachChoiceGivesItsPlaceholder) {
  struct Row {
    SpecialChoice choice;
    const char* token;
  };
  const Row rows[] = {{SpecialChoice::OrderedNumbers, "$$"}, {SpecialChoice::Today, "2009-03-03"},
                      {SpecialChoice::DisorderedNames, "%6%"}, {SpecialChoice::FileDate, "@@"},
                      {SpecialChoice::FileSize, "##"},          {SpecialChoice::FolderName, "%%"},
                      {SpecialChoice::FileTag, "2009-03-03"},   // the chosen text, here a date
                      {SpecialChoice::Disabled, ""},            {SpecialChoice::None, ""}};
  for (const Row& r : rows) {
    EXPECT_EQ(BuildSpecialToken(r.choice, true, 5, "2009-03-03"), r.token) << static_cast<int>(r.choice);
    EXPECT_EQ(BuildSpecialToken(r.choice, false, 5, "2009-03-03"), "") << "switched off";
  }
}

TEST(SpecialTokens, DateCaptionsInTheSixOrders) {
  const std::array<std::string, 6> expected{"20090303", "2009-03-03", "2009.03.03",
                                            "03032009", "03-03-2009", "03.03.2009"};
  EXPECT_EQ(DateCaptions(2009, 3, 3), expected);
  EXPECT_EQ(DateCaptions(2026, 12, 31)[4], "12-31-2026");
}

}  // namespace
}  // namespace velmora::engine
