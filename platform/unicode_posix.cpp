// SPDX-License-Identifier: GPL-3.0-or-later
// Unicode properties from ICU: the simple case mappings of UnicodeData, and the NFC/NFD
// normalizers for decomposition and cluster boundaries. ICU is linked like any library, so
// the loader and the package tools see the dependency: a system without it refuses to start
// the program instead of renaming with other letters. Callers keep ASCII to themselves.

#include <unicode/translit.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/unorm2.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "platform/unicode.h"

namespace velmora::platform::unicode {

namespace {

// The normalizer instances live as long as the library; null when its data is missing.
const UNormalizer2* Instance(const UNormalizer2* (*get)(UErrorCode*)) {
  UErrorCode status = U_ZERO_ERROR;
  const UNormalizer2* n = get(&status);
  return U_SUCCESS(status) ? n : nullptr;
}

const UNormalizer2* Nfd() {
  static const UNormalizer2* const nfd = Instance(unorm2_getNFDInstance);
  return nfd;
}

const UNormalizer2* Nfc() {
  static const UNormalizer2* const nfc = Instance(unorm2_getNFCInstance);
  return nfc;
}

}  // namespace

char32_t SimpleUpper(char32_t c) { return static_cast<char32_t>(u_toupper(static_cast<UChar32>(c))); }
char32_t SimpleLower(char32_t c) { return static_cast<char32_t>(u_tolower(static_cast<UChar32>(c))); }
char32_t SimpleTitle(char32_t c) { return static_cast<char32_t>(u_totitle(static_cast<UChar32>(c))); }
char32_t SimpleFold(char32_t c) {
  return static_cast<char32_t>(u_foldCase(static_cast<UChar32>(c), U_FOLD_CASE_DEFAULT));
}
bool IsCasedLetter(char32_t c) { return u_hasBinaryProperty(static_cast<UChar32>(c), UCHAR_CASED) != 0; }

bool StartsCluster(char32_t c) {
  const UNormalizer2* nfc = Nfc();
  return nfc == nullptr || unorm2_hasBoundaryBefore(nfc, static_cast<UChar32>(c)) != 0;
}

std::u32string Decompose(std::u32string_view s) {
  const UNormalizer2* nfd = Nfd();
  if (nfd == nullptr) return std::u32string(s);
  // Clusters are short: UTF-16 on the stack, and no second buffer when the text is in NFD
  // already (most letters of most scripts).
  UChar small[32];
  std::vector<UChar> large;
  UChar* in = small;
  if (s.size() * 2 > std::size(small)) {
    large.resize(s.size() * 2);
    in = large.data();
  }
  int32_t length = 0;
  for (char32_t c : s) {
    if (c > 0xFFFF) {
      in[length++] = static_cast<UChar>(U16_LEAD(c));
      in[length++] = static_cast<UChar>(U16_TRAIL(c));
    } else {
      in[length++] = static_cast<UChar>(c);
    }
  }
  UErrorCode status = U_ZERO_ERROR;
  if (unorm2_quickCheck(nfd, in, length, &status) == UNORM_YES && U_SUCCESS(status)) return std::u32string(s);
  // A canonical decomposition grows a character by at most a few code units; ask again
  // with the size ICU reports when that is not enough.
  status = U_ZERO_ERROR;
  std::vector<UChar> out(static_cast<std::size_t>(length) * 4 + 8);
  int32_t n = unorm2_normalize(nfd, in, length, out.data(), static_cast<int32_t>(out.size()), &status);
  if (status == U_BUFFER_OVERFLOW_ERROR) {
    out.resize(static_cast<std::size_t>(n));
    status = U_ZERO_ERROR;
    n = unorm2_normalize(nfd, in, length, out.data(), n, &status);
  }
  if (U_FAILURE(status)) return std::u32string(s);
  std::u32string result;
  result.reserve(static_cast<std::size_t>(n));
  for (int32_t i = 0; i < n;) {
    UChar32 c;
    U16_NEXT(out.data(), i, n, c);
    result.push_back(static_cast<char32_t>(c));
  }
  return result;
}

std::optional<std::u32string> LatinToAscii(std::u32string_view s) {
  // ICU's own rules for Latin to ASCII; one instance for the program's life (its data may
  // be missing: then there is none, and the caller says the conversion is unavailable).
  static const std::unique_ptr<icu::Transliterator> latinAscii = [] {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Transliterator> t(
        icu::Transliterator::createInstance(icu::UnicodeString("Latin-ASCII", -1, US_INV), UTRANS_FORWARD, status));
    if (U_FAILURE(status)) t.reset();
    return t;
  }();
  if (!latinAscii) return std::nullopt;
  icu::UnicodeString text =
      icu::UnicodeString::fromUTF32(reinterpret_cast<const UChar32*>(s.data()), static_cast<int32_t>(s.size()));
  latinAscii->transliterate(text);
  std::u32string out(static_cast<std::size_t>(text.countChar32()), U'\0');
  UErrorCode status = U_ZERO_ERROR;
  text.toUTF32(reinterpret_cast<UChar32*>(out.data()), static_cast<int32_t>(out.size()), status);
  if (U_FAILURE(status) && status != U_STRING_NOT_TERMINATED_WARNING) return std::nullopt;
  return out;
}

}  // namespace velmora::platform::unicode
