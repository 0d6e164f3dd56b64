// SPDX-License-Identifier: GPL-3.0-or-later
// The core's marked texts: filled in one pass, and translated only where a front end asks.

#include <gtest/gtest.h>

#include <cstring>

#include "engine/core_text.h"

namespace velmora::engine {

TEST(CoreText, FillReplacesEachNumberOnceAndLeavesTheRest) {
  EXPECT_EQ(FillText("'%1' to '%2'", {"a", "b"}), "'a' to 'b'");
  EXPECT_EQ(FillText("%2%1", {"x", "y"}), "yx");
  EXPECT_EQ(FillText("%1", {"%2 stays"}), "%2 stays");  // a name holding "%2" is not filled again
  EXPECT_EQ(FillText("%3 100% %x %", {"a"}), "%3 100% %x %");
}

TEST(CoreText, TranslatedOnlyThroughAnInstalledTranslator) {
  EXPECT_STREQ(VELMORA_TEXT("Core", "Error"), "Error");
  SetTextTranslator([](const char* context, const char* text) {
    return std::strcmp(context, "Core") == 0 && std::strcmp(text, "Error") == 0 ? "Fehler" : text;
  });
  EXPECT_STREQ(VELMORA_TEXT("Core", "Error"), "Fehler");
  EXPECT_STREQ(VELMORA_NOOP("Core", "Error"), "Error");
  SetTextTranslator(nullptr);
  EXPECT_STREQ(VELMORA_TEXT("Core", "Error"), "Error");
}

}  // namespace velmora::engine
