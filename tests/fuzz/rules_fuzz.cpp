// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the rename rules: random bytes become an operation record (every kind and mode,
// random texts with special strings, sample values, the code page) and a byte name; the
// item is created in the in-memory file system and its new name computed. Besides the
// sanitizers' checks, the properties that every rule keeps are checked here.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/apply_operation.h"
#include "engine/name_model.h"
#include "platform/code_page.h"
#include "platform/memory_file_system.h"

namespace {

using namespace velmora;
using engine::OperationKind;
using engine::OperationRecord;

// Pieces that make matches, placeholders and multi-byte characters likely.
constexpr const char* kPieces[] = {"a",    "b",    "A",    "x",    "-",    "_",        "(",    ")",
                                   "[",    "]",    " ",    ".",    "$",    "@",        "%",    "#",
                                   "?",    "\\",   "0",    "1",    "2",    "é",        "É",    "日",
                                   "本",   "\x82", "\xa0", "\x83", "\x41", "\x82\xa0", "\xe9", "\xc3"};

std::string Text(FuzzedDataProvider& in, std::size_t maxPieces, bool forName) {
  std::string out;
  const std::size_t count = in.ConsumeIntegralInRange<std::size_t>(0, maxPieces);
  for (std::size_t i = 0; i < count && in.remaining_bytes() > 0; ++i) {
    const std::uint8_t pick = in.ConsumeIntegral<std::uint8_t>();
    if (pick < 200)
      out += kPieces[pick % (sizeof kPieces / sizeof *kPieces)];
    else
      out += static_cast<char>(in.ConsumeIntegral<std::uint8_t>());
  }
  if (forName) {
    // What a Linux name can hold: no separator, no NUL.
    std::string clean;
    for (char c : out)
      if (c != '/' && c != '\0') clean += c;
    out = clean;
  }
  return out;
}

int Number(FuzzedDataProvider& in) {
  // Mostly small positions, sometimes anything an int holds.
  return in.ConsumeBool() ? in.ConsumeIntegralInRange<int>(0, 40) : in.ConsumeIntegral<int>();
}

template <typename E>
E Pick(FuzzedDataProvider& in, int count) {
  return static_cast<E>(in.ConsumeIntegralInRange<int>(0, count - 1));
}

bool ValidUtf8(const std::string& s) {
  const platform::CodePage& page = platform::Utf8CodePage();
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t len = page.charLength(s, i);
    if (len == 1 && static_cast<unsigned char>(s[i]) >= 0x80) return false;
    i += len;
  }
  return true;
}

// True when the characters of `kept`, spaces aside, are characters of `name` in their
// order: what a remove, keep or clean rule gives when it never splits a character.
bool KeepsWholeCharacters(std::string_view name, std::string_view kept, const platform::CodePage& page) {
  std::size_t j = 0;
  for (std::size_t i = 0; i < kept.size();) {
    const std::string_view c = kept.substr(i, page.charLength(kept, i));
    i += c.size();
    if (c == " ") continue;
    bool found = false;
    while (j < name.size() && !found) {
      const std::size_t len = page.charLength(name, j);
      found = name.substr(j, len) == c;
      j += len;
    }
    if (!found) return false;
  }
  return true;
}

const OperationRecord* current = nullptr;

[[noreturn]] void Fail(const char* what, const std::string& name, const std::string& result) {
  std::fprintf(stderr, "property broken: %s\nname: '%s'\nresult: '%s'\n", what, name.c_str(), result.c_str());
  if (current)
    std::fprintf(stderr, "kind %d, modes %d/%d/%d/%d/%d, sample '%s' start %d length %d caret %d\n",
                 static_cast<int>(current->kind), static_cast<int>(current->removeMode),
                 static_cast<int>(current->replaceMode), static_cast<int>(current->insertMode),
                 static_cast<int>(current->changeMode), static_cast<int>(current->caseStyle),
                 current->sample.sampleName.c_str(), current->sample.selectionStart, current->sample.selectionLength,
                 current->sample.cursorPos);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  OperationRecord r;
  r.kind = Pick<OperationKind>(in, 8);
  r.removeMode = Pick<engine::RemoveMode>(in, 6);
  r.replaceMode = Pick<engine::ReplaceMode>(in, 2);
  r.insertMode = Pick<engine::InsertMode>(in, 2);
  r.changeMode = Pick<engine::ChangeMode>(in, 2);
  r.caseStyle = Pick<engine::CaseStyle>(in, 3);
  r.extensionMode = Pick<engine::ExtensionMode>(in, 2);
  for (bool* flag : {&r.removeCaseSensitive, &r.removeFromEnd, &r.keepFromEnd, &r.removeBoundaries, &r.erasedToSpace,
                     &r.alsoErase, &r.keepDash, &r.keepParentheses, &r.keepBrackets, &r.keepUnderscore, &r.keepOthers,
                     &r.replaceCaseSensitive, &r.replaceFromEnd, &r.atHead, &r.atEnd, &r.atCursor, &r.cursorFromEnd,
                     &r.capitalizeFirst, &r.includeExtension, &r.allExtensions, &r.extensionUpper,
                     &r.excludeSmallWords})
    *flag = in.ConsumeBool();
  r.anchorPlacement = in.ConsumeIntegralInRange<int>(-1, 3);
  for (std::string* text : {&r.removeText1, &r.removeText2, &r.removeText3, &r.leftText, &r.rightText, &r.keepText1,
                            &r.keepText2, &r.alsoEraseText, &r.keepOthersText, &r.oldText, &r.newText, &r.headText,
                            &r.endText, &r.cursorText, &r.anchorText, &r.secondAnchorText, &r.insertText,
                            &r.newName, &r.oldExtension, &r.newExtension})
    *text = Text(in, 6, false);
  r.sample.sampleName = Text(in, 12, false);
  r.sample.selectionStart = Number(in);
  r.sample.selectionLength = Number(in);
  r.sample.cursorPos = Number(in);

  current = &r;
  engine::SpecialStringSettings settings;
  settings.enabled = in.ConsumeBool();
  settings.randomUpper = in.ConsumeBool();
  settings.randomLower = in.ConsumeBool();
  settings.randomNumbers = in.ConsumeBool();
  const std::int32_t ordinal = in.ConsumeIntegral<std::int32_t>();
  const std::uint32_t seed = in.ConsumeIntegral<std::uint32_t>();

  const platform::CodePage* pages[] = {&platform::Utf8CodePage(), &platform::Windows1252CodePage(),
                                       &platform::Windows932CodePage()};
  const platform::CodePage& page = *pages[in.ConsumeIntegralInRange<int>(0, 2)];

  const bool isDirectory = in.ConsumeBool();
  const bool exists = in.ConsumeBool();
  const bool atRoot = in.ConsumeBool();
  const std::string parent = Text(in, 4, true);
  const std::string folder = atRoot ? "/" : parent.empty() || parent == "." || parent == ".." ? "/p/" : "/p/" + parent + "/";
  const std::string name = Text(in, 24, true);
  if (name.empty() || name == "." || name == "..") return 0;
  const std::string path = folder + name;

  platform::MemoryFileSystem fs;
  if (exists) {
    if (isDirectory)
      fs.addFolder(path);
    else
      fs.addFile(path, in.ConsumeIntegral<std::uint64_t>());
  }
  engine::SpecialStringExpander expander(fs, settings, seed);
  engine::RuleContext context{page, expander, ordinal};
  const engine::Item item{path, isDirectory};
  const engine::NewNameOutcome outcome = engine::ComputeNewName(r, item, context);

  // Properties every rule keeps.
  if (outcome.kind != engine::OutcomeKind::Rename) return 0;
  if (outcome.newPath == path) Fail("a rename to the same path", name, outcome.newPath);
  const std::string folderPart = engine::FolderPart(path);
  if (outcome.newPath.compare(0, folderPart.size(), folderPart) != 0) Fail("the folder part changed", name, outcome.newPath);
  const bool baseRule = r.kind == OperationKind::Remove || r.kind == OperationKind::Replace ||
                        r.kind == OperationKind::Insert;
  if (baseRule) {
    const std::string extension = engine::Extension(path, isDirectory);
    const std::string& np = outcome.newPath;
    if (np.size() < folderPart.size() + extension.size() + 1 ||
        np.compare(np.size() - extension.size(), extension.size(), extension) != 0)
      Fail("the extension changed or the base name is empty", name, np);
    if (r.kind == OperationKind::Remove) {
      if (np.size() > path.size()) Fail("remove made the name longer", name, np);
      const std::string base = engine::BaseName(path, isDirectory);
      const std::string newBase = np.substr(folderPart.size(), np.size() - folderPart.size() - extension.size());
      // (Stray bytes of a malformed UTF-8 name may join into a character once what stood
      // between them is removed; only well-formed names are held to this.)
      const bool wellFormed = page.id() != platform::CodePageId::Utf8 || ValidUtf8(base);
      if (wellFormed && !KeepsWholeCharacters(base, newBase, page))
        Fail("remove split or reordered characters", name, np);
    }
  }
  // Under UTF-8, valid names and texts give valid names: no rule cuts a character.
  if (page.id() == platform::CodePageId::Utf8 && ValidUtf8(path)) {
    bool textsValid = true;
    for (const std::string* text : {&r.newText, &r.headText, &r.endText, &r.cursorText, &r.insertText, &r.newName,
                                    &r.anchorText, &r.secondAnchorText, &r.newExtension})
      textsValid = textsValid && ValidUtf8(*text);
    if (textsValid && !ValidUtf8(outcome.newPath)) Fail("a character was cut", name, outcome.newPath);
  }
  return 0;
}
