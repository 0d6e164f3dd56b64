// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts the core hands to whatever shows them (message boxes, their titles, questions),
// marked for the translation tools without the core knowing about any of them. lupdate
// reads both markers as QT_TRANSLATE_NOOP(context, text) (tools/update-translations.sh);
// the core's context is "Core".
//   VELMORA_NOOP("Core", "text")   the literal itself: constants, translated by the front end
//                                  where it shows them (the desktop program's message boxes)
//   VELMORA_TEXT("Core", "text")   the text as the front end's translator has it, for texts
//                                  the core fills in (FillText) before handing them on.
// Without a translator (velmora-cli, the core's tests) both are the English literal.

#include <initializer_list>
#include <string>
#include <string_view>

#define VELMORA_NOOP(context, text) text
#define VELMORA_TEXT(context, text) ::velmora::engine::TranslatedText(context, text)

namespace velmora::engine {

/// A front end's translation of a marked text: returns `text` itself when it has none.
/// What it returns must stay valid for the rest of the program.
using TextTranslator = const char* (*)(const char* context, const char* text);

/// Installs the translator that VELMORA_TEXT asks (nullptr: none). Called once at start-up,
/// before any run begins.
void SetTextTranslator(TextTranslator translator);

const char* TranslatedText(const char* context, const char* text);

/// `format` with %1 ... %9 replaced by the arguments in one pass, so that an argument's own
/// "%1" (a file name may hold one) stays as it is.
std::string FillText(std::string_view format, std::initializer_list<std::string_view> arguments);

}  // namespace velmora::engine
