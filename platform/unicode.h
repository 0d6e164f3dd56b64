// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Unicode character properties for names under UTF-8: simple (one to one) case mappings,
// the letter class, and canonical decomposition, so that "É" and "é" match and a name
// written in composed form (NFC) matches one in decomposed form (NFD, as macOS disks store
// them). Linux asks ICU; Windows asks the system's own national language functions.
// Callers keep ASCII to themselves: these are only reached for non-ASCII text.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace velmora::platform::unicode {

char32_t SimpleUpper(char32_t c);
char32_t SimpleLower(char32_t c);
/// The form of a letter at the start of a word (differs from upper case for digraphs).
char32_t SimpleTitle(char32_t c);
/// The mapping under which two characters are the same letter in a case-insensitive search.
char32_t SimpleFold(char32_t c);
/// A letter of a script with case (Latin, Greek, Cyrillic, ...), ß included. Letters of
/// scripts without case (CJK, kana) are not: they keep separating words.
bool IsCasedLetter(char32_t c);
/// False for a character that belongs to the one before it in every normal form (a
/// combining mark, a conjoining vowel or final consonant of Hangul): no match may begin or
/// end in front of it.
bool StartsCluster(char32_t c);
/// The canonical decomposition (NFD) of a run of characters.
std::u32string Decompose(std::u32string_view s);
/// Latin letters written in ASCII without their marks ("é" -> "e", "ß" -> "ss", "æ" -> "ae"),
/// and other Latin-script forms (ligatures, full-width letters) in ASCII; characters of other
/// scripts stay. Nothing when the system offers no table for it.
std::optional<std::u32string> LatinToAscii(std::u32string_view s);

// ---- UTF-8 helpers (no system calls) ----

/// Decodes one well-formed UTF-8 character at i; returns its length, 0 when malformed.
std::size_t DecodeUtf8(std::string_view s, std::size_t i, char32_t& cp);
void EncodeUtf8(char32_t cp, std::string& out);
/// True when every byte is below 128.
bool IsAscii(std::string_view s);

}  // namespace velmora::platform::unicode
