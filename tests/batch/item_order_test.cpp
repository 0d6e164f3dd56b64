// SPDX-License-Identifier: GPL-3.0-or-later
// The numbering order's texts and the natural comparison of names.

#include <gtest/gtest.h>

#include "batch/item_order.h"

namespace velmora::batch {
namespace {

TEST(ItemOrder, TextsReadAndWrittenBack) {
  const std::pair<const char*, ItemOrder> rows[] = {
      {"name", {}},
      {"natural", {OrderKey::Natural, false}},
      {"mtime:desc", {OrderKey::Modified, true}},
      {"size", {OrderKey::Size, false}},
  };
  for (const auto& [text, order] : rows) {
    SCOPED_TRACE(text);
    EXPECT_EQ(ParseItemOrder(text), order);
    EXPECT_EQ(ItemOrderText(order), text);
  }
  EXPECT_EQ(ParseItemOrder("size:asc"), (ItemOrder{OrderKey::Size, false}));
  for (const char* bad : {"", "Name", "date", "size:down", "natural:"}) EXPECT_FALSE(ParseItemOrder(bad)) << bad;
}

TEST(ItemOrder, NaturalComparison) {
  // Each name sorts before the next.
  const std::vector<std::vector<std::string>> chains = {
      {"IMG_1", "IMG_2", "img_9", "IMG_10", "IMG_12", "IMG_100"},
      {"a", "a0", "a00", "a1", "a01", "a2"},              // equal numbers: fewer zeros first
      {"x2y", "x2y1", "x10", "x10y"},
      {"v1.2.9", "v1.2.10", "v1.10"},
      {"99999999999999999999", "100000000000000000000"},  // longer than any integer type
      {"b", "B1", "c"},
  };
  for (const auto& chain : chains) {
    for (std::size_t i = 0; i + 1 < chain.size(); ++i) {
      SCOPED_TRACE(chain[i] + " < " + chain[i + 1]);
      EXPECT_TRUE(NaturalLess(chain[i], chain[i + 1]));
      EXPECT_FALSE(NaturalLess(chain[i + 1], chain[i]));
    }
  }
  EXPECT_FALSE(NaturalLess("same", "same"));
}

}  // namespace
}  // namespace velmora::batch
