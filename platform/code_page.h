// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Code pages for names. Names are byte strings; a code page says where its characters
// begin and end (so no cut ever falls inside one) and how letters map between cases for
// case-insensitive searching and the extension comparison.
//
// UTF-8 is the Linux default. The single-byte Western page (1252) and the double-byte
// Japanese page (932) exist so that byte-exact behaviour is testable on any machine.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace velmora::platform {

enum class CodePageId {
  Utf8,
  Windows1252,
  Windows932,
  WindowsAnsi,  ///< another ANSI code page of a Windows system, through the system's own tables
};

class CodePage {
 public:
  virtual ~CodePage() = default;
  virtual CodePageId id() const = 0;
  virtual const char* name() const = 0;

  /// True when the byte starts a character of more than one byte (a double-byte lead
  /// byte, or a UTF-8 lead byte). Always false on a single-byte page.
  virtual bool isLeadByte(unsigned char byte) const = 0;

  /// Number of bytes of the character that starts at byte index i (at least 1, never past
  /// the end). A malformed sequence counts one byte per character.
  virtual std::size_t charLength(std::string_view s, std::size_t i) const = 0;

  /// The character at i mapped to upper case, as a number that compares equal for both
  /// cases of a letter. Sets len to the character's byte length.
  virtual std::uint32_t upperCode(std::string_view s, std::size_t i, std::size_t& len) const = 0;

  /// Whole-string case mappings with the page's own tables (not only ASCII).
  virtual std::string toUpper(std::string_view s) const = 0;
  virtual std::string toLower(std::string_view s) const = 0;

  // ---- helpers built on the primitives above ----

  /// True when byte index i (0..size) is the start of a character or the end of s.
  bool isCharBoundary(std::string_view s, std::size_t i) const;
  /// The character start at or before byte index i (i itself when it is a boundary).
  std::size_t boundaryAtOrBefore(std::string_view s, std::size_t i) const;
  /// The character start at or after byte index i (size of s at most).
  std::size_t boundaryAtOrAfter(std::string_view s, std::size_t i) const;

  /// Byte index of the first case-insensitive occurrence of needle at or after from,
  /// matching whole characters only; npos when absent or when needle is empty. The length
  /// of the matched text in s is stored in matchLength (it may differ from the needle's).
  /// Under UTF-8 case is folded and composed and decomposed forms are the same text.
  virtual std::size_t findNoCase(std::string_view s, std::string_view needle, std::size_t from,
                                 std::size_t& matchLength) const;
  /// Length in s of a case-insensitive match of needle starting at i, or npos.
  std::size_t matchNoCaseAt(std::string_view s, std::size_t i, std::string_view needle) const;
  /// Case-insensitive equality with the page's mapping.
  virtual bool equalsNoCase(std::string_view a, std::string_view b) const;
};

const CodePage& Utf8CodePage();
const CodePage& Windows1252CodePage();
const CodePage& Windows932CodePage();

/// The system's code page: UTF-8 on Linux, the ANSI code page on Windows.
const CodePage& SystemCodePage();

/// The page for a name given on a command line ("utf-8", "1252", "932"); null if unknown.
const CodePage* CodePageByName(std::string_view name);

}  // namespace velmora::platform
