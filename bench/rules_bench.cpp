// SPDX-License-Identifier: GPL-3.0-or-later
// Cost per item of each rename rule family on 32-byte names, through ComputeNewName as
// the batch run calls it, and of the special string expansion with every placeholder.
// The argument picks the code page: 0 = 1252 (single byte), 1 = UTF-8 (multi-byte name).

#include <benchmark/benchmark.h>

#include <functional>
#include <string>

#include "engine/apply_operation.h"
#include "engine/name_pattern.h"
#include "engine/special_strings.h"
#include "platform/code_page.h"
#include "platform/memory_file_system.h"

namespace {

using namespace velmora;
using engine::OperationKind;
using engine::OperationRecord;

// Both base names are 32 bytes long; the UTF-8 one holds two- and three-byte characters.
const std::string kName1252 = "Holiday 2007 (Beach) - img_0042x";
const std::string kNameUtf8 = "Été à Kyōto 京都 (07) img_";

void RunRule(benchmark::State& state, const std::function<void(OperationRecord&)>& set) {
  const bool utf8 = state.range(0) == 1;
  const platform::CodePage& page = utf8 ? platform::Utf8CodePage() : platform::Windows1252CodePage();
  const std::string path = "/photos/2007/" + (utf8 ? kNameUtf8 : kName1252) + ".jpg";
  platform::MemoryFileSystem fs;
  fs.addFile(path, 123456);
  engine::SpecialStringExpander expander(fs, engine::SpecialStringSettings{}, 1000);
  OperationRecord record;
  record.sample.sampleName = utf8 ? kNameUtf8 : kName1252;
  set(record);
  const engine::Item item{path, false};
  const auto patterns = engine::RulePatterns::For(record, page);  // once per run, as the batch run does
  for (auto _ : state) {
    expander.newItem();
    engine::RuleContext context{page, expander, 7, patterns.get()};
    benchmark::DoNotOptimize(engine::ComputeNewName(record, item, context));
  }
  state.SetItemsProcessed(state.iterations());
}

#define RULE_BENCH(name, body)                                                   \
  void name(benchmark::State& state) { RunRule(state, [](OperationRecord& r) body); } \
  BENCHMARK(name)->Arg(0)->Arg(1)

RULE_BENCH(RemoveStrings, {
  r.kind = OperationKind::Remove;
  r.removeText1 = "2007";
  r.removeText2 = "img";
  r.removeText3 = "(";
});
RULE_BENCH(ReplacePatternWithGroups, {
  r.kind = OperationKind::Replace;
  r.regex = true;
  r.oldText = "(\\d+)";
  r.newText = "n\\1";
});
RULE_BENCH(RemoveStringsCaseSensitive, {
  r.kind = OperationKind::Remove;
  r.removeText1 = "2007";
  r.removeText2 = "img";
  r.removeCaseSensitive = true;
});
RULE_BENCH(RemoveSelectedFromEnd, {
  r.kind = OperationKind::Remove;
  r.removeMode = engine::RemoveMode::RemoveSelected;
  r.removeFromEnd = true;
  r.sample.selectionStart = 5;
  r.sample.selectionLength = 9;
});
RULE_BENCH(RemoveBetween, {
  r.kind = OperationKind::Remove;
  r.removeMode = engine::RemoveMode::RemoveBetween;
  r.leftText = "(";
  r.rightText = ")";
  r.removeBoundaries = true;
});
RULE_BENCH(KeepSelected, {
  r.kind = OperationKind::Remove;
  r.removeMode = engine::RemoveMode::KeepSelected;
  r.sample.selectionStart = 3;
  r.sample.selectionLength = 11;
});
RULE_BENCH(KeepStrings, {
  r.kind = OperationKind::Remove;
  r.removeMode = engine::RemoveMode::KeepStrings;
  r.keepText1 = "0";
  r.keepText2 = "img";
});
RULE_BENCH(CleanSymbols, {
  r.kind = OperationKind::Remove;
  r.removeMode = engine::RemoveMode::CleanSymbols;
  r.alsoErase = true;
  r.alsoEraseText = "img";
});
RULE_BENCH(ReplaceString, {
  r.kind = OperationKind::Replace;
  r.oldText = "IMG";
  r.newText = "pic";
});
RULE_BENCH(ReplaceSelected, {
  r.kind = OperationKind::Replace;
  r.replaceMode = engine::ReplaceMode::ReplaceSelected;
  r.sample.selectionStart = 4;
  r.sample.selectionLength = 6;
  r.newText = "-";
});
RULE_BENCH(InsertAtPosition, {
  r.kind = OperationKind::Insert;
  r.atCursor = r.atHead = r.atEnd = true;
  r.sample.cursorPos = 9;
  r.cursorText = "_";
  r.headText = "new_";
  r.endText = "_old";
});
RULE_BENCH(InsertAtString, {
  r.kind = OperationKind::Insert;
  r.insertMode = engine::InsertMode::InsertAtString;
  r.anchorText = "0";
  r.insertText = "+";
});
RULE_BENCH(ChangeFullName, {
  r.kind = OperationKind::Change;
  r.newName = "holiday";
});
RULE_BENCH(ConvertCaseLower, {
  r.kind = OperationKind::Change;
  r.changeMode = engine::ChangeMode::ConvertCase;
});
RULE_BENCH(CapitalizeWords, {
  r.kind = OperationKind::Change;
  r.changeMode = engine::ChangeMode::ConvertCase;
  r.caseStyle = engine::CaseStyle::CapitalizeWords;
});
RULE_BENCH(ReplaceWithAllSpecialStrings, {
  r.kind = OperationKind::Replace;
  r.oldText = "img";
  r.newText = "$$$_%%_%6%_@@_##_@$@";
});

// The expansion alone: ordered number, folder name, random string, date, size and a
// literal dollar, with the directory entry read once per item as in a run.
void ExpandSpecialStrings(benchmark::State& state) {
  platform::MemoryFileSystem fs;
  const std::string path = "/photos/2007/" + kName1252 + ".jpg";
  fs.addFile(path, 1536);
  engine::SpecialStringExpander expander(fs, engine::SpecialStringSettings{}, 1000);
  const std::string text = "$$$_%%_%6%_@@_##_@$@";
  for (auto _ : state) {
    expander.newItem();
    benchmark::DoNotOptimize(expander.expand(text, path, 42));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(ExpandSpecialStrings);

}  // namespace
