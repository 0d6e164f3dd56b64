// SPDX-License-Identifier: GPL-3.0-or-later
// Unicode properties from ICU: the simple case mappings of UnicodeData, and the NFC/NFD
// normalizers for decomposition and cluster boundaries. ICU is opened on the first
// character that needs it, not at start-up: callers keep ASCII to themselves, so a run over
// ASCII names never loads it (loading it cost about a third of a short run's time).

#include <dlfcn.h>

#include <unicode/uchar.h>
#include <unicode/unorm2.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>
#include <unicode/uvernum.h>

#include <iterator>
#include <string>
#include <vector>

#include "platform/unicode.h"

// ICU's entry points carry its version in their names (u_toupper is u_toupper_72): the
// headers' renaming macros give the names to look up.
#define VELMORA_NAME_OF(symbol) VELMORA_NAME_TEXT(symbol)
#define VELMORA_NAME_TEXT(symbol) #symbol

namespace velmora::platform::unicode {

namespace {

// The functions used, from the ICU library of the version built against; all null when it
// cannot be opened (then characters keep their case and composition).
struct Icu {
  decltype(&u_toupper) toUpper = nullptr;
  decltype(&u_tolower) toLower = nullptr;
  decltype(&u_totitle) toTitle = nullptr;
  decltype(&u_foldCase) foldCase = nullptr;
  decltype(&u_hasBinaryProperty) hasBinaryProperty = nullptr;
  decltype(&unorm2_hasBoundaryBefore) hasBoundaryBefore = nullptr;
  decltype(&unorm2_quickCheck) quickCheck = nullptr;
  decltype(&unorm2_normalize) normalize = nullptr;
  // The normalizer instances live as long as the library; null when its data is missing.
  const UNormalizer2* nfd = nullptr;
  const UNormalizer2* nfc = nullptr;
};

template <class Fn>
bool Find(void* library, const char* name, Fn& fn) {
  fn = reinterpret_cast<Fn>(::dlsym(library, name));
  return fn != nullptr;
}

const UNormalizer2* Instance(void* library, const char* name) {
  decltype(&unorm2_getNFDInstance) get = nullptr;
  if (!Find(library, name, get)) return nullptr;
  UErrorCode status = U_ZERO_ERROR;
  const UNormalizer2* n = get(&status);
  return U_SUCCESS(status) ? n : nullptr;
}

Icu Open() {
  // Never closed: the library stays for the process, as a linked one would.
  void* library = ::dlopen("libicuuc.so." VELMORA_NAME_OF(U_ICU_VERSION_MAJOR_NUM), RTLD_NOW | RTLD_LOCAL);
  if (!library) return {};
  Icu found;
  if (!Find(library, VELMORA_NAME_OF(u_toupper), found.toUpper) ||
      !Find(library, VELMORA_NAME_OF(u_tolower), found.toLower) ||
      !Find(library, VELMORA_NAME_OF(u_totitle), found.toTitle) ||
      !Find(library, VELMORA_NAME_OF(u_foldCase), found.foldCase) ||
      !Find(library, VELMORA_NAME_OF(u_hasBinaryProperty), found.hasBinaryProperty) ||
      !Find(library, VELMORA_NAME_OF(unorm2_hasBoundaryBefore), found.hasBoundaryBefore) ||
      !Find(library, VELMORA_NAME_OF(unorm2_quickCheck), found.quickCheck) ||
      !Find(library, VELMORA_NAME_OF(unorm2_normalize), found.normalize))
    return {};  // a library without what is used counts as none
  found.nfd = Instance(library, VELMORA_NAME_OF(unorm2_getNFDInstance));
  found.nfc = Instance(library, VELMORA_NAME_OF(unorm2_getNFCInstance));
  return found;
}

const Icu& Library() {
  static const Icu icu = Open();
  return icu;
}

}  // namespace

char32_t SimpleUpper(char32_t c) {
  const Icu& icu = Library();
  return icu.toUpper ? static_cast<char32_t>(icu.toUpper(static_cast<UChar32>(c))) : c;
}
char32_t SimpleLower(char32_t c) {
  const Icu& icu = Library();
  return icu.toLower ? static_cast<char32_t>(icu.toLower(static_cast<UChar32>(c))) : c;
}
char32_t SimpleTitle(char32_t c) {
  const Icu& icu = Library();
  return icu.toTitle ? static_cast<char32_t>(icu.toTitle(static_cast<UChar32>(c))) : c;
}
char32_t SimpleFold(char32_t c) {
  const Icu& icu = Library();
  return icu.foldCase ? static_cast<char32_t>(icu.foldCase(static_cast<UChar32>(c), U_FOLD_CASE_DEFAULT)) : c;
}
bool IsCasedLetter(char32_t c) {
  const Icu& icu = Library();
  return icu.hasBinaryProperty && icu.hasBinaryProperty(static_cast<UChar32>(c), UCHAR_CASED) != 0;
}

bool StartsCluster(char32_t c) {
  const Icu& icu = Library();
  return icu.nfc == nullptr || icu.hasBoundaryBefore(icu.nfc, static_cast<UChar32>(c)) != 0;
}

std::u32string Decompose(std::u32string_view s) {
  const Icu& icu = Library();
  const UNormalizer2* nfd = icu.nfd;
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
  if (icu.quickCheck(nfd, in, length, &status) == UNORM_YES && U_SUCCESS(status)) return std::u32string(s);
  // A canonical decomposition grows a character by at most a few code units; ask again
  // with the size ICU reports when that is not enough.
  status = U_ZERO_ERROR;
  std::vector<UChar> out(static_cast<std::size_t>(length) * 4 + 8);
  int32_t n = icu.normalize(nfd, in, length, out.data(), static_cast<int32_t>(out.size()), &status);
  if (status == U_BUFFER_OVERFLOW_ERROR) {
    out.resize(static_cast<std::size_t>(n));
    status = U_ZERO_ERROR;
    n = icu.normalize(nfd, in, length, out.data(), n, &status);
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

}  // namespace velmora::platform::unicode
