// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Names between their code page and UTF-8, for the code that works on Unicode text (the
// regular expressions). Under UTF-8 the bytes stay as they are; under 1252 and 932 each
// character is converted, and a name that holds a byte sequence the page does not define,
// or a character the page cannot write, gives nothing: the caller leaves that item alone.

#include <optional>
#include <string>
#include <string_view>

#include "platform/code_page.h"

namespace velmora::platform {

/// The text in UTF-8; nothing when it holds a sequence the page does not define.
std::optional<std::string> ToUtf8(const CodePage& page, std::string_view text);
/// The UTF-8 text in the page's bytes; nothing when a character has no place in the page.
std::optional<std::string> FromUtf8(const CodePage& page, std::string_view text);

namespace detail {
/// The double-byte and system pages, through the system's converter.
std::optional<std::string> SystemToUtf8(const CodePage& page, std::string_view text);
std::optional<std::string> SystemFromUtf8(const CodePage& page, std::string_view text);
}  // namespace detail

}  // namespace velmora::platform
