// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/ok_checks.h"

#include "engine/change_rules.h"

#include "batch/name_filter.h"
#include "engine/extension_rules.h"
#include "engine/name_model.h"
#include "engine/name_pattern.h"
#include "engine/special_strings.h"
#include "engine/tag_placeholders.h"

namespace velmora::batch {

using engine::OperationKind;

bool HoldsProhibitedCharacter(std::string_view text) {
  return text.find_first_of(kProhibitedCharacters) != std::string_view::npos ||
         text.find_first_of(kProhibitedControls) != std::string_view::npos;
}

bool UsableDatePattern(std::string_view pattern) {
  return !HoldsProhibitedCharacter(pattern) && pattern.find_first_of("{}") == std::string_view::npos;
}

bool InputTextCheck(const std::string& text, bool specialStringsEnabled, Messages& messages,
                    const media::MetadataReader& tags) {
  // The random strings are checked between the tag placeholders, as they are expanded there.
  for (const auto& piece : engine::SplitTagPlaceholders(text)) {
    if (piece.tag && specialStringsEnabled) continue;
    if (auto problem = engine::RandomDigitsCheck(piece.text, specialStringsEnabled)) {
      messages.information(*problem);
      return false;
    }
  }
  if (auto problem = engine::TagPlaceholderCheck(text, specialStringsEnabled, tags)) {
    messages.information(*problem);
    return false;
  }
  if (HoldsProhibitedCharacter(text)) {
    messages.information(VELMORA_TEXT("Core", "You should remove one of following nine characters from input text, "
                                              "because they are prohibited in Windows filenames:  \\ / : * ? \" < > |"));
    return false;
  }
  return true;
}

std::string ContinueSuffix(const TargetSet& target, RunMode mode) {
  std::string s;
  if (target.isFolderMode())
    s = engine::FillText(VELMORA_TEXT("Core", "Edit content is (%1),"), {engine::TranslatedText("Core", ScopeText(target.scope))});
  s += mode == RunMode::Preview ? VELMORA_TEXT("Core", "continue preview ?") : VELMORA_TEXT("Core", "continue ?");
  return s;
}

namespace {

/// The state of one OK press: the refused flag, the two remembered answers, the field the
/// refusal points at.
class OkPress {
 public:
  OkPress(OkRequest& request, Messages& messages)
      : request_(request), messages_(messages), suffix_(ContinueSuffix(request.target, request.mode)) {}

  const std::string& suffix() const { return suffix_; }
  OkRequest& request() { return request_; }
  const engine::OperationRecord& record() const { return request_.record; }

  /// A failed check: its message, the record field it points at, refused.
  void refuse(const std::string& message, const std::string& field = {}) {
    messages_.information(message);
    if (!field.empty()) field_ = field;
    refused_ = true;
  }
  void refuseQuietly(const std::string& field = {}) {
    if (!field.empty()) field_ = field;
    refused_ = true;
  }
  void warn(const std::string& message, const std::string& field = {}) {
    messages_.warning(message);
    if (!field.empty()) field_ = field;
    refused_ = true;
  }
  void pointAt(const std::string& field) { field_ = field; }
  bool refused() const { return refused_; }

  bool confirmationsShown() const {
    return request_.confirmOption && request_.mode == RunMode::Rename && !refused_;
  }
  /// An ordinary confirmation, shown only under the confirmation conditions.
  std::optional<Answer> ordinaryConfirm(const std::string& title, const std::string& text) {
    if (!confirmationsShown()) return std::nullopt;
    return messages_.confirm(title, text, Buttons::OkCancel);
  }
  /// A box shown whatever the option, in Preview too.
  Answer alwaysConfirm(const std::string& title, const std::string& text) {
    return messages_.confirm(title, text, Buttons::OkCancel);
  }
  bool inputTextCheck(const std::string& text) {
    return InputTextCheck(text, request_.record.specialStringsEnabled, messages_,
                          request_.tags ? *request_.tags : media::SystemMetadataReader());
  }

  /// Run if not refused and (A1 OK, or A2 OK, or preview, or no confirmation option).
  bool commonRunDecision() const {
    if (refused_) return false;
    return a1 == Answer::Ok || a2 == Answer::Ok || request_.mode == RunMode::Preview ||
           !request_.confirmOption;
  }

  std::optional<Answer> a1, a2;
  Messages& messages() { return messages_; }
  const std::string& field() const { return field_; }

 private:
  OkRequest& request_;
  Messages& messages_;
  std::string suffix_;
  bool refused_ = false;
  std::string field_;
};

bool ExtensionBlock(OkPress& press) {
  OkRequest& request = press.request();
  engine::OperationRecord& record = request.record;
  if (request.target.isFolderMode() && (request.target.scope == FolderScope::SubfoldersOnly ||
                                        request.target.scope == FolderScope::ThisFolder)) {
    press.warn(VELMORA_TEXT("Core", "Folder or subfolder name have no extension part."));
    return false;
  }
  const std::string& s = press.suffix();
  if (record.extensionMode == engine::ExtensionMode::ConvertExtensionCase) {
    press.a2 = press.ordinaryConfirm(
        VELMORA_TEXT("Core", "Convert Confirmation"),
        engine::FillText(VELMORA_TEXT("Core", "It will convert all filenames extention part case to '%1',\n%2"),
                         {record.extensionUpper ? VELMORA_TEXT("Core", "UPPER case") : VELMORA_TEXT("Core", "Lower case"), s}));
    return press.commonRunDecision();
  }
  record.newExtension = engine::NormalizeNewExtension(record.newExtension);
  std::string& n = record.newExtension;
  if (n.empty() || n == "." || n == "..") {
    n.clear();
    press.a1 = press.alwaysConfirm(
        VELMORA_TEXT("Core", "Change Confirmation"),
        engine::FillText(VELMORA_TEXT("Core", "The new extention part is empty,\nit will REMOVE old extention part from "
                                              "original filenames,\n%1"),
                         {s}));
    if (press.a1 != Answer::Ok) press.refuseQuietly("newExtension");
  }
  if (!n.empty() && n != ".") {
    if (!press.inputTextCheck(n)) {
      press.refuseQuietly();
    } else {
      const std::string text =
          record.allExtensions
              ? engine::FillText(VELMORA_TEXT("Core", "It will change all filenames extention part to '%1',\n%2"), {n, s})
              : engine::FillText(VELMORA_TEXT("Core", "It will change filenames extention part, from '%1' to '%2',\n%3"),
                                 {record.oldExtension, n, s});
      press.a2 = press.ordinaryConfirm(VELMORA_TEXT("Core", "Change Confirmation"), text);
      if (press.a2 && *press.a2 != Answer::Ok) press.pointAt("newExtension");
    }
  }
  if (!press.commonRunDecision()) return false;
  record.oldExtension = engine::WithLeadingDot(record.oldExtension);
  record.newExtension = engine::WithLeadingDot(record.newExtension);
  return true;
}

/// "' and '" between the texts that are not empty, in their order.
std::string JoinFilled(std::initializer_list<const std::string*> texts) {
  std::string joined;
  for (const std::string* t : texts) {
    if (t->empty()) continue;
    if (!joined.empty()) joined += VELMORA_TEXT("Core", "' and '");
    joined += *t;
  }
  return joined;
}

const char* CaseWords(bool caseSensitive) {
  return caseSensitive ? VELMORA_TEXT("Core", "(case sensitive)") : VELMORA_TEXT("Core", "(case insensitive)");
}

bool HasSelection(const engine::OperationRecord& record) { return record.sample.selectionLength >= 1; }

const platform::CodePage& PageOf(const OkRequest& request) {
  return request.codePage ? *request.codePage : platform::SystemCodePage();
}

/// A pattern that does not compile is refused with PCRE2's message and where it stopped (or,
/// in a build without regular expressions, with that). Answers whether it compiled.
bool PatternCheck(OkPress& press, const engine::NamePattern& pattern, const std::string& text, const std::string& field) {
  if (!engine::RegexAvailable()) {
    press.refuse(VELMORA_TEXT("Core", "Regular expressions are not available in this build."), field);
    return false;
  }
  if (pattern.valid()) return true;
  press.refuse(engine::FillText(VELMORA_TEXT("Core", "The regular expression '%1' is not valid: %2 (at position %3)."),
                                {text, pattern.error(), std::to_string(pattern.errorOffset() + 1)}),
               field);
  return false;
}

/// The replace rule's pattern, and the groups its new string refers to.
bool ReplacePatternCheck(OkPress& press) {
  const engine::OperationRecord& r = press.record();
  const engine::NamePattern pattern(r.oldText, r.replaceCaseSensitive, PageOf(press.request()));
  if (!PatternCheck(press, pattern, r.oldText, "oldText")) return false;
  const int highest = engine::ParseGroupTemplate(r.newText).highestGroup();
  if (highest > pattern.groupCount()) {
    press.refuse(engine::FillText(VELMORA_TEXT("Core", "The new string refers to group %1, but the regular expression "
                                                      "has only %2 groups."),
                                  {"\\" + std::to_string(highest), std::to_string(pattern.groupCount())}),
                 "newText");
    return false;
  }
  return true;
}

bool RemovePatternsCheck(OkPress& press) {
  const engine::OperationRecord& r = press.record();
  const std::pair<const std::string*, const char*> texts[] = {
      {&r.removeText1, "removeText1"}, {&r.removeText2, "removeText2"}, {&r.removeText3, "removeText3"}};
  for (const auto& [text, field] : texts) {
    if (text->empty()) continue;
    const engine::NamePattern pattern(*text, r.removeCaseSensitive, PageOf(press.request()));
    if (!PatternCheck(press, pattern, *text, field)) return false;
  }
  return true;
}

/// The folder filters' patterns, when they are regular expressions.
bool FilterCheck(OkPress& press) {
  const engine::OperationRecord& r = press.record();
  if (!press.request().target.isFolderMode() || !r.regex) return true;
  const auto filter = NameFilter::For(r, PageOf(press.request()));
  if (!filter) return true;
  if (const engine::NamePattern* bad = filter->invalidPattern()) {
    const std::string field = filter->invalidField();
    return PatternCheck(press, *bad, field == "includeFilter" ? r.includeFilter : r.excludeFilter, field);
  }
  return true;
}

bool RemoveBlock(OkPress& press) {
  const engine::OperationRecord& r = press.record();
  const std::string& s = press.suffix();
  const std::string& selected = press.request().selectedText;
  switch (r.removeMode) {
    case engine::RemoveMode::RemoveStrings:
      if (r.removeText1.empty() && r.removeText2.empty() && r.removeText3.empty()) {
        press.refuse(VELMORA_TEXT("Core", "Please select or input string to be removed."), "removeText1");
      } else if (r.regex) {
        if (RemovePatternsCheck(press))
          press.a1 = press.ordinaryConfirm(
              VELMORA_TEXT("Core", "Remove Confirmation"),
              engine::FillText(VELMORA_TEXT("Core", "It will remove the matches of the regular expressions '%1'%2 from "
                                                    "original filenames,\n%3"),
                               {JoinFilled({&r.removeText1, &r.removeText2, &r.removeText3}),
                                CaseWords(r.removeCaseSensitive), s}));
      } else {
        press.a1 = press.ordinaryConfirm(
            VELMORA_TEXT("Core", "Remove Confirmation"),
            engine::FillText(VELMORA_TEXT("Core", "It will remove the strings of '%1'%2 from original filenames,\n%3"),
                             {JoinFilled({&r.removeText1, &r.removeText2, &r.removeText3}),
                              CaseWords(r.removeCaseSensitive), s}));
      }
      break;
    case engine::RemoveMode::RemoveSelected:
      if (!HasSelection(r)) {
        press.refuse(VELMORA_TEXT("Core", "You have not selected part, please use mouse select the part you want to remove."));
      } else {
        press.a1 = press.ordinaryConfirm(
            VELMORA_TEXT("Core", "Remove Confirmation"),
            engine::FillText(r.removeFromEnd
                                 ? VELMORA_TEXT("Core", "It will remove the part at the position(from end) of '%1',\n%2")
                                 : VELMORA_TEXT("Core", "It will remove the part at the position(from head) of '%1',\n%2"),
                             {selected, s}));
      }
      break;
    case engine::RemoveMode::RemoveBetween:
      if (r.leftText.empty() || r.rightText.empty()) {
        press.refuse(VELMORA_TEXT("Core", "Please select or input strings to define limition."),
                     r.leftText.empty() ? "leftText" : "rightText");
      } else {
        press.a1 = press.ordinaryConfirm(
            VELMORA_TEXT("Core", "Remove Confirmation"),
            engine::FillText(VELMORA_TEXT("Core", "It will remove the part between '%1' and '%2',\n%3"),
                             {r.leftText, r.rightText, s}));
      }
      break;
    case engine::RemoveMode::CleanSymbols: {
      const bool eraseMissing = r.alsoErase && r.alsoEraseText.empty();
      const bool keepMissing = r.keepOthers && r.keepOthersText.empty();
      if (eraseMissing || keepMissing) {
        press.refuse(r.alsoErase ? VELMORA_TEXT("Core", "Please select or input special symbols to remove")
                                 : VELMORA_TEXT("Core", "Please select or input special symbols of dont remove"),
                     keepMissing ? "keepOthersText" : "alsoEraseText");
      } else {
        press.a1 = press.ordinaryConfirm(VELMORA_TEXT("Core", "Clean Confirmation"),
                                         VELMORA_TEXT("Core", "It will clean symbols, continue ?"));
      }
      break;
    }
    case engine::RemoveMode::KeepSelected:
      if (!HasSelection(r)) {
        press.refuse(VELMORA_TEXT("Core", "You have not selected part, please use mouse select the part you want to Keep."));
      } else {
        press.a1 = press.ordinaryConfirm(
            VELMORA_TEXT("Core", "Keep Confirmation"),
            engine::FillText(r.keepFromEnd
                                 ? VELMORA_TEXT("Core", "It will KEEP the part at the position(from end) of '%1',\n%2")
                                 : VELMORA_TEXT("Core", "It will KEEP the part at the position(from head) of '%1',\n%2"),
                             {selected, s}));
      }
      break;
    case engine::RemoveMode::KeepStrings:
      if (r.keepText1.empty() && r.keepText2.empty()) {
        press.refuse(VELMORA_TEXT("Core", "Please select or input strings to define limition."), "keepText1");
      } else {
        press.a1 = press.ordinaryConfirm(
            VELMORA_TEXT("Core", "Keep Confirmation"),
            engine::FillText(VELMORA_TEXT("Core", "It will KEEP the string of '%1',\n%2"),
                             {JoinFilled({&r.keepText1, &r.keepText2}), s}));
      }
      break;
  }
  return press.commonRunDecision();
}

bool ReplaceBlock(OkPress& press) {
  const engine::OperationRecord& r = press.record();
  const std::string& s = press.suffix();
  const std::string& newText = r.newText;
  if (r.replaceMode == engine::ReplaceMode::ReplaceString) {
    const std::string& old = r.oldText;
    if (old.empty()) {
      press.refuse(VELMORA_TEXT("Core", "Please input the old part of file name"), "oldText");
      return false;
    }
    if (r.regex && !ReplacePatternCheck(press)) return false;
    if (newText.empty()) {
      const std::string text =
          r.replaceCaseSensitive
              ? engine::FillText(VELMORA_TEXT("Core", "The new part is empty, it will REMOVE old part '%1'(case "
                                                      "sensitive) from original filenames! continue ?"),
                                 {old})
              : engine::FillText(VELMORA_TEXT("Core", "The new part is empty, it will REMOVE old part '%1'(case "
                                                      "insensitive) from original filenames,\n%2"),
                                 {old, s});
      press.a1 = press.alwaysConfirm(VELMORA_TEXT("Core", "Replace Confirmation"), text);
      if (press.a1 != Answer::Ok) press.refuseQuietly("newText");
    }
    if (!newText.empty() || press.a1 == Answer::Ok) {
      // The group references \0..\9 are not characters of the new name.
      if (!press.inputTextCheck(r.regex ? engine::WithoutGroupReferences(newText) : newText)) {
        press.refuseQuietly();
      } else if (!newText.empty()) {
        press.a1 = press.ordinaryConfirm(
            VELMORA_TEXT("Core", "Replace Confirmation"),
            engine::FillText(r.regex ? VELMORA_TEXT("Core", "It will replace the matches of the regular expression "
                                                            "'%1'%2 by new string '%3',\n%4")
                                     : VELMORA_TEXT("Core", "It will replace the old strings '%1'%2 by new string '%3',\n%4"),
                             {old, CaseWords(r.replaceCaseSensitive), newText, s}));
      }
    }
  } else {
    const std::string& selected = press.request().selectedText;
    if (!HasSelection(r)) {
      press.refuse(VELMORA_TEXT("Core", "You have not selected part, please use mouse select the part you want to replace."));
    } else if (newText.empty()) {
      press.a1 = press.alwaysConfirm(
          VELMORA_TEXT("Core", "Replace Confirmation"),
          engine::FillText(VELMORA_TEXT("Core", "The new part is empty, it will REMOVE old part '%1' from original "
                                                "filenames! continue ?"),
                           {selected}));
      if (press.a1 != Answer::Ok) press.refuseQuietly("newText");
    } else {
      // The new text is not checked here; NewPathCheck still sees every final name.
      press.a2 = press.ordinaryConfirm(
          VELMORA_TEXT("Core", "Replace Confirmation"),
          engine::FillText(r.replaceFromEnd
                               ? VELMORA_TEXT("Core", "It will replace the part at the position(from end) of '%1',\n%2")
                               : VELMORA_TEXT("Core", "It will replace the part at the position(from head) of '%1',\n%2"),
                           {selected, s}));
    }
  }
  return press.commonRunDecision();
}

std::string HeadWording(const std::string& t) {
  return engine::FillText(VELMORA_TEXT("Core", "insert '%1' to the HEAD of all filenames,\n"), {t});
}
std::string EndWording(const std::string& t) {
  return engine::FillText(VELMORA_TEXT("Core", "insert '%1' to the END of all filenames,\n"), {t});
}

/// How the confirmation names the CURSOR position: as HEAD or END when the caret stands at
/// an end of the sample, otherwise by the sample's part before (or after) the caret.
std::string CursorWording(const engine::OperationRecord& r) {
  const std::string& t = r.cursorText;
  const std::string& sample = r.sample.sampleName;
  const std::int64_t p = r.sample.cursorPos;
  const auto length = static_cast<std::int64_t>(sample.size());
  if (p == 1 && !r.cursorFromEnd) return HeadWording(t);
  if (p == length + 1 && r.cursorFromEnd) return p == 1 ? HeadWording(t) : EndWording(t);
  if (!r.cursorFromEnd)
    return engine::FillText(VELMORA_TEXT("Core", "insert '%1' to the position BEHIND the part of '%2'\n"),
                            {t, engine::Substring(sample, 1, p - 1)});
  return engine::FillText(VELMORA_TEXT("Core", "insert '%1' to the position BEFORE the part of '%2'\n"),
                          {t, engine::Substring(sample, p, length)});
}

/// Insert decides its run itself: with the confirmation conditions met it runs only on OK,
/// otherwise at once unless refused.
bool InsertRunDecision(OkPress& press, const std::string& text) {
  if (press.confirmationsShown())
    return press.ordinaryConfirm(VELMORA_TEXT("Core", "Insert Confirmation"), text) == Answer::Ok;
  return !press.refused();
}

const char* AnchorPlacementText(int placement) {
  switch (placement) {
    case 1: return VELMORA_TEXT("Core", "BEHIND existing string");
    case 2: return VELMORA_TEXT("Core", "BETWEEN two strings");
    default: return VELMORA_TEXT("Core", "BEFORE existing string");
  }
}

bool InsertBlock(OkPress& press) {
  const engine::OperationRecord& r = press.record();
  const std::string& s = press.suffix();
  if (r.insertMode == engine::InsertMode::InsertAtString) {
    if (r.anchorText.empty()) {
      press.refuse(VELMORA_TEXT("Core", "Please specify the existing string"), "anchorText");
      return false;
    }
    if (r.anchorPlacement == 2 && r.secondAnchorText.empty()) {
      press.refuse(VELMORA_TEXT("Core", "Please specify the second string"), "secondAnchorText");
      return false;
    }
    if (r.insertText.empty()) {
      press.refuse(VELMORA_TEXT("Core", "Please specify the string which you want to insert"), "insertText");
      return false;
    }
    if (!press.inputTextCheck(r.insertText)) return false;
    return InsertRunDecision(press, engine::FillText(VELMORA_TEXT("Core", "It will insert '%1' to the positon \n%2 of '%3',\n%4"),
                                                     {r.insertText, AnchorPlacementText(r.anchorPlacement), r.anchorText, s}));
  }

  if (r.atCursor && r.sample.cursorPos == 0) {
    press.messages().information(VELMORA_TEXT("Core", "You selected CURSOR position, so you should use mouse point the "
                                                      "position(in old filename) you want to insert."));
    return false;
  }
  if (!r.atHead && !r.atEnd && !r.atCursor)
    press.refuse(VELMORA_TEXT("Core", "You have not selected insert position, please select one or more checkbox."));

  struct Position {
    bool checked;
    const std::string& text;
    const char* missing;
    const char* field;
  };
  const Position positions[] = {
      {r.atHead, r.headText, VELMORA_TEXT("Core", "You have not inputted text of HEAD string to insert."), "headText"},
      {r.atEnd, r.endText, VELMORA_TEXT("Core", "You have not inputted text of END string to insert."), "endText"},
      {r.atCursor, r.cursorText, VELMORA_TEXT("Core", "You have not inputted text of at CURSOR string to insert."),
       "cursorText"}};
  bool anyEmpty = false;
  for (const Position& p : positions) anyEmpty = anyEmpty || (p.checked && p.text.empty());
  if (anyEmpty) {
    for (const Position& p : positions) {
      if (p.checked && p.text.empty())
        press.refuse(p.missing, p.field);
    }
    return false;
  }
  bool allValid = true;
  for (const Position& p : positions) {
    if (p.checked && !press.inputTextCheck(p.text)) allValid = false;  // every text is checked
  }
  if (!allValid) return false;

  std::string parts;
  if (r.atHead) parts += HeadWording(r.headText);
  if (r.atEnd) parts += EndWording(r.endText);
  if (r.atCursor) parts += CursorWording(r);
  return InsertRunDecision(press, engine::FillText(VELMORA_TEXT("Core", "It will %1%2"), {parts, s}));
}

const char* CaseCaption(engine::CaseStyle style) {
  switch (style) {
    case engine::CaseStyle::Upper: return VELMORA_TEXT("Core", "UPPER case");
    case engine::CaseStyle::CapitalizeWords: return VELMORA_TEXT("Core", "Capitalize every words");
    case engine::CaseStyle::RemoveAccents: return VELMORA_TEXT("Core", "letters without accents");
    case engine::CaseStyle::WindowsSafe: return VELMORA_TEXT("Core", "names safe for Windows");
    case engine::CaseStyle::Lower: break;
  }
  return VELMORA_TEXT("Core", "Lower case");
}

bool ChangeBlock(OkPress& press) {
  const engine::OperationRecord& r = press.record();
  const std::string& s = press.suffix();
  if (r.changeMode == engine::ChangeMode::ChangeFullName) {
    if (r.newName.empty()) {
      press.refuse(VELMORA_TEXT("Core", "Please input new name"), "newName");
    } else if (!press.inputTextCheck(r.newName)) {
      press.refuseQuietly();
    } else {
      press.a1 = press.ordinaryConfirm(
          VELMORA_TEXT("Core", "Change Confirmation"),
          engine::FillText(VELMORA_TEXT("Core", "It will change filenames to '%1',\n%2"), {r.newName, s}));
    }
  } else if (r.caseStyle == engine::CaseStyle::RemoveAccents && !engine::AccentRemovalAvailable()) {
    press.refuse(VELMORA_TEXT("Core", "Remove accents is not available on this system: its table of Latin letters "
                                      "is missing. Nothing was renamed."),
                 "caseStyle");
  } else {
    press.a1 = press.ordinaryConfirm(
        VELMORA_TEXT("Core", "Convert Confirmation"),
        engine::FillText(VELMORA_TEXT("Core", "It will convert full name to %1,\n%2"), {CaseCaption(r.caseStyle), s}));
  }
  return press.commonRunDecision();
}

bool SaveListingBlock(OkPress& press) {
  OkRequest& request = press.request();
  request.mode = RunMode::Rename;
  const ListingChoices& c = request.listing;
  if (c.onlySubfolders) return true;
  if (c.specialTypes && !(c.music || c.document || c.film || c.picture || c.other || c.program)) {
    press.warn(VELMORA_TEXT("Core", "You selected special types filename to save, so you should select at least one box "
                                    "of file types."));
    return false;
  }
  if (c.specialTypes && c.other && c.otherText.empty()) {
    press.warn(VELMORA_TEXT("Core", "You selected other types filename to save, so you should define file types in edit "
                                    "box."),
               "otherText");
    return false;
  }
  return true;
}

}  // namespace

OkResult RunOkChecks(platform::FileSystem& fs, OkRequest& request, Messages& messages) {
  OkResult result;
  const OperationKind kind = request.record.kind;
  // No operation chosen: the editor is in its about mode and OK has nothing to do.
  if (kind == OperationKind::NoOperation) return result;
  // The hand-picked listing is exported at once, without the editor's checks.
  if (kind == OperationKind::ListPicked) {
    request.mode = RunMode::Rename;
    result.run = true;
    return result;
  }
  if (request.target.isFolderMode()) {
    const std::string first = FirstTargetItem(fs, request.target, kind, messages, &result.topLayerFileCount);
    if (first.empty()) return result;
    result.targetChecked = true;
  }
  OkPress press(request, messages);
  if (!FilterCheck(press)) {
    result.field = press.field();
    return result;
  }
  switch (kind) {
    case OperationKind::Remove:
      result.run = RemoveBlock(press);
      break;
    case OperationKind::Replace:
      result.run = ReplaceBlock(press);
      break;
    case OperationKind::Insert:
      result.run = InsertBlock(press);
      break;
    case OperationKind::Change:
      result.run = ChangeBlock(press);
      break;
    case OperationKind::Extension:
      result.run = ExtensionBlock(press);
      break;
    case OperationKind::ListFolder:
      result.run = SaveListingBlock(press);
      break;
    case OperationKind::ListPicked:
    case OperationKind::NoOperation:
      break;
  }
  result.field = press.field();
  return result;
}

}  // namespace velmora::batch
