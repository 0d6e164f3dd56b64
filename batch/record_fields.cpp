// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/record_fields.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <functional>

namespace velmora::batch {

using engine::OperationKind;
using engine::OperationRecord;
using engine::SampleValues;
using engine::SpecialStringSettings;

namespace {

using Kinds = std::vector<OperationKind>;
const Kinds kRemove{OperationKind::Remove};
const Kinds kReplace{OperationKind::Replace};
const Kinds kInsert{OperationKind::Insert};
const Kinds kChange{OperationKind::Change};
const Kinds kExtension{OperationKind::Extension};
// The texts that may hold special strings belong to these three.
const Kinds kNewTexts{OperationKind::Replace, OperationKind::Insert, OperationKind::Change};
// Positions picked in the sample: the selection for remove, keep and replace, the caret for
// insert; the sample's length for every "From End" mapping, and the old extension's default.
const Kinds kSelection{OperationKind::Remove, OperationKind::Replace};
// Regular expressions and the folder filters: every rename operation.
const Kinds kRenames{OperationKind::Remove, OperationKind::Replace, OperationKind::Insert, OperationKind::Change,
                     OperationKind::Extension};
// The operations that change a base name, which a photo's sidecar files follow.
const Kinds kBaseNames{OperationKind::Remove, OperationKind::Replace, OperationKind::Insert, OperationKind::Change};
const Kinds kSample{OperationKind::Remove, OperationKind::Replace, OperationKind::Insert,
                    OperationKind::Extension};

struct Entry {
  FieldInfo info;
  std::function<bool(RecordSettings&, const std::string&)> set;
  std::function<std::string(const RecordSettings&)> get;
};

/// Which part of the settings a member pointer of that struct type lives in.
template <typename Owner>
struct Part;
template <>
struct Part<OperationRecord> {
  static auto& of(auto& s) { return s.record; }
};
template <>
struct Part<SampleValues> {
  static auto& of(auto& s) { return s.record.sample; }
};
template <>
struct Part<SpecialStringSettings> {
  static auto& of(auto& s) { return s.special; }
};

std::optional<bool> ParseBool(const std::string& v) {
  if (v == "true" || v == "1" || v == "on") return true;
  if (v == "false" || v == "0" || v == "off") return false;
  return std::nullopt;
}

std::optional<int> ParseInt(const std::string& v) {
  int out = 0;
  auto [ptr, ec] = std::from_chars(v.data(), v.data() + v.size(), out);
  if (ec != std::errc() || ptr != v.data() + v.size() || v.empty()) return std::nullopt;
  return out;
}

FieldInfo Info(const char* name, FieldType type, const Kinds& kinds, const char* control, const char* summary) {
  FieldInfo info;
  info.name = name;
  info.type = type;
  info.kinds = kinds;
  info.control = control;
  info.summary = summary;
  return info;
}

/// A text field; `given` (when set) records that the user chose the value.
template <typename Owner>
Entry Text(const char* name, std::string Owner::*field, const Kinds& kinds, const char* control, const char* summary,
           bool RecordSettings::*given = nullptr) {
  return {Info(name, FieldType::Text, kinds, control, summary),
          [field, given](RecordSettings& s, const std::string& v) {
            Part<Owner>::of(s).*field = v;
            if (given) s.*given = true;
            return true;
          },
          [field](const RecordSettings& s) { return Part<Owner>::of(s).*field; }};
}

template <typename Owner>
Entry Flag(const char* name, bool Owner::*field, const Kinds& kinds, const char* control, const char* summary) {
  return {Info(name, FieldType::Boolean, kinds, control, summary),
          [field](RecordSettings& s, const std::string& v) {
            const auto b = ParseBool(v);
            if (b) Part<Owner>::of(s).*field = *b;
            return b.has_value();
          },
          [field](const RecordSettings& s) { return std::string(Part<Owner>::of(s).*field ? "true" : "false"); }};
}

template <typename Owner>
Entry Number(const char* name, int Owner::*field, int minimum, int maximum, const Kinds& kinds, const char* control,
             const char* summary) {
  Entry e{Info(name, FieldType::Integer, kinds, control, summary),
          [field, minimum, maximum](RecordSettings& s, const std::string& v) {
            const auto n = ParseInt(v);
            if (!n || *n < minimum || *n > maximum) return false;
            Part<Owner>::of(s).*field = *n;
            return true;
          },
          [field](const RecordSettings& s) { return std::to_string(Part<Owner>::of(s).*field); }};
  e.info.minimum = minimum;
  e.info.maximum = maximum;
  return e;
}

template <typename E>
Entry Choice(const char* name, E OperationRecord::*field, std::initializer_list<std::pair<const char*, E>> names,
             const Kinds& kinds, const char* control, const char* summary) {
  std::vector<std::pair<std::string, E>> table(names.begin(), names.end());
  Entry e{Info(name, FieldType::Choice, kinds, control, summary),
          [field, table](RecordSettings& s, const std::string& v) {
            for (const auto& [text, value] : table) {
              if (v == text) {
                s.record.*field = value;
                return true;
              }
            }
            return false;
          },
          [field, table](const RecordSettings& s) {
            for (const auto& [text, value] : table)
              if (s.record.*field == value) return text;
            return std::string();
          }};
  for (const auto& [text, value] : table) e.info.choices.push_back(text);
  return e;
}

const std::vector<Entry>& Table() {
  using engine::CaseStyle;
  using engine::ChangeMode;
  using engine::ExtensionMode;
  using engine::InsertMode;
  using engine::RemoveMode;
  using engine::ReplaceMode;
  using R = OperationRecord;
  static const std::vector<Entry> table = [] {
    std::vector<Entry> t = {
        Choice("removeMode", &R::removeMode,
               {{"RemoveStrings", RemoveMode::RemoveStrings},
                {"RemoveSelected", RemoveMode::RemoveSelected},
                {"RemoveBetween", RemoveMode::RemoveBetween},
                {"KeepSelected", RemoveMode::KeepSelected},
                {"KeepStrings", RemoveMode::KeepStrings},
                {"CleanSymbols", RemoveMode::CleanSymbols}},
               kRemove, "", "what the remove command does"),
        Text("removeText1", &R::removeText1, kRemove, "Edit1", "first string to remove"),
        Text("removeText2", &R::removeText2, kRemove, "Edit2", "second string to remove"),
        Text("removeText3", &R::removeText3, kRemove, "Edit10", "third string to remove"),
        Flag("removeCaseSensitive", &R::removeCaseSensitive, kRemove, "CheckBox6", "strings to remove match case"),
        Flag("removeFromEnd", &R::removeFromEnd, kRemove, "RadioButton11",
             "the selected part to remove counts from the end"),
        Flag("keepFromEnd", &R::keepFromEnd, kRemove, "RadioButton28", "the selected part to keep counts from the end"),
        Text("leftText", &R::leftText, kRemove, "Edit11", "left string of RemoveBetween"),
        Text("rightText", &R::rightText, kRemove, "Edit12", "right string of RemoveBetween"),
        Flag("removeBoundaries", &R::removeBoundaries, kRemove, "CheckBox5",
             "RemoveBetween also removes the two strings"),
        Text("keepText1", &R::keepText1, kRemove, "Edit14", "first string of KeepStrings"),
        Text("keepText2", &R::keepText2, kRemove, "Edit16", "second string of KeepStrings"),
        Flag("erasedToSpace", &R::erasedToSpace, kRemove, "CheckBox18", "cleaned symbols become spaces"),
        Flag("alsoErase", &R::alsoErase, kRemove, "CheckBox20", "cleaning also erases alsoEraseText's symbols"),
        Text("alsoEraseText", &R::alsoEraseText, kRemove, "Edit13", "further symbols to erase"),
        Flag("keepDash", &R::keepDash, kRemove, "CheckBox22", "cleaning keeps -"),
        Flag("keepParentheses", &R::keepParentheses, kRemove, "CheckBox23", "cleaning keeps ( )"),
        Flag("keepBrackets", &R::keepBrackets, kRemove, "CheckBox24", "cleaning keeps [ ]"),
        Flag("keepUnderscore", &R::keepUnderscore, kRemove, "CheckBox25", "cleaning keeps _"),
        Flag("keepOthers", &R::keepOthers, kRemove, "CheckBox26", "cleaning keeps keepOthersText's symbols"),
        Text("keepOthersText", &R::keepOthersText, kRemove, "Edit15", "further symbols to keep"),
        Choice("replaceMode", &R::replaceMode,
               {{"ReplaceString", ReplaceMode::ReplaceString}, {"ReplaceSelected", ReplaceMode::ReplaceSelected}},
               kReplace, "", "replace a string or the selected part"),
        Text("oldText", &R::oldText, kReplace, "LabeledEdit1", "string to replace"),
        Text("newText", &R::newText, kReplace, "ComboBoxEx4", "new string (special strings expand)"),
        Flag("replaceCaseSensitive", &R::replaceCaseSensitive, kReplace, "CheckBox7", "oldText matches case"),
        Flag("replaceFromEnd", &R::replaceFromEnd, kReplace, "RadioButton21",
             "search or selection counts from the end"),
        Choice("insertMode", &R::insertMode,
               {{"InsertAtPosition", InsertMode::InsertAtPosition}, {"InsertAtString", InsertMode::InsertAtString}},
               kInsert, "", "insert at positions or next to a string"),
        Flag("atHead", &R::atHead, kInsert, "CheckBox2", "insert headText at the head"),
        Text("headText", &R::headText, kInsert, "ComboBoxEx1", "text for the head (special strings expand)"),
        Flag("atEnd", &R::atEnd, kInsert, "CheckBox3", "insert endText at the end"),
        Text("endText", &R::endText, kInsert, "ComboBoxEx2", "text for the end (special strings expand)"),
        Flag("atCursor", &R::atCursor, kInsert, "CheckBox4", "insert cursorText at CursorPos"),
        Text("cursorText", &R::cursorText, kInsert, "ComboBoxEx3", "text for the caret (special strings expand)"),
        Flag("cursorFromEnd", &R::cursorFromEnd, kInsert, "RadioButton34", "CursorPos counts from the end"),
        Number("anchorPlacement", &R::anchorPlacement, 0, 2, kInsert, "ComboBox2",
               "0 before, 1 behind anchorText, 2 between it and secondAnchorText"),
        Text("anchorText", &R::anchorText, kInsert, "LabeledEdit2", "the existing string"),
        Text("secondAnchorText", &R::secondAnchorText, kInsert, "LabeledEdit5", "the second existing string"),
        Text("insertText", &R::insertText, kInsert, "ComboBoxEx6", "string to insert (special strings expand)"),
        Choice("changeMode", &R::changeMode,
               {{"ChangeFullName", ChangeMode::ChangeFullName}, {"ConvertCase", ChangeMode::ConvertCase}}, kChange,
               "", "change the whole name or convert its case"),
        Text("newName", &R::newName, kChange, "ComboBoxEx5", "new name (special strings expand)"),
        Choice("caseStyle", &R::caseStyle,
               {{"Lower", CaseStyle::Lower},
                {"Upper", CaseStyle::Upper},
                {"CapitalizeWords", CaseStyle::CapitalizeWords},
                {"RemoveAccents", CaseStyle::RemoveAccents},
                {"WindowsSafe", CaseStyle::WindowsSafe}},
               kChange, "", "what ConvertCase converts to: a letter case, letters without accents, or names safe for Windows"),
        Flag("capitalizeFirst", &R::capitalizeFirst, kChange, "CheckBox16", "capitalise the first letter"),
        Flag("includeExtension", &R::includeExtension, kChange, "CheckBox19", "the case conversion includes the extension"),
        Choice("extensionMode", &R::extensionMode,
               {{"ChangeExtension", ExtensionMode::ChangeExtension},
                {"ConvertExtensionCase", ExtensionMode::ConvertExtensionCase}},
               kExtension, "", "change the extension or convert its case"),
        Text("oldExtension", &R::oldExtension, kExtension, "LabeledEdit3",
             "extension to change (default: the sample's)", &RecordSettings::oldExtensionSet),
        Text("newExtension", &R::newExtension, kExtension, "LabeledEdit4", "new extension, empty removes it"),
        Flag("allExtensions", &R::allExtensions, kExtension, "CheckBox1", "change every extension, not only oldExtension"),
        Flag("extensionUpper", &R::extensionUpper, kExtension, "RadioButton32", "convert extensions to upper case"),
        Flag("regex", &R::regex, kRenames, "",
             "oldText, removeText1..3 and the filters are regular expressions (\\1.. in newText)"),
        Text("includeFilter", &R::includeFilter, kRenames, "IncludeEdit",
             "folder mode: only names matching these globs (;-separated) or this pattern"),
        Text("excludeFilter", &R::excludeFilter, kRenames, "ExcludeEdit",
             "folder mode: no names matching these globs (;-separated) or this pattern"),
        Text("SampleName", &SampleValues::sampleName, kSample, "RichEdit2",
             "the sample name (default: the first target item's)", &RecordSettings::sampleNameSet),
        Number("SelectionStart", &SampleValues::selectionStart, 0, INT_MAX, kSelection, "",
               "bytes of SampleName before the selected part"),
        Number("SelectionLength", &SampleValues::selectionLength, 0, INT_MAX, kSelection, "",
               "bytes of SampleName selected"),
        Number("CursorPos", &SampleValues::cursorPos, 0, INT_MAX, kInsert, "",
               "bytes of SampleName before the caret + 1, 0 for none"),
        Flag("SpecialStringsEnabled", &SpecialStringSettings::enabled, kNewTexts, "", "special strings expand"),
        Number("startNumber", &SpecialStringSettings::startNumber, 0, 10000, kNewTexts, "",
               "first number of the ordered numbers"),
        Flag("randomUpper", &SpecialStringSettings::randomUpper, kNewTexts, "", "random strings hold upper-case letters"),
        Flag("randomLower", &SpecialStringSettings::randomLower, kNewTexts, "", "random strings hold lower-case letters"),
        Flag("randomNumbers", &SpecialStringSettings::randomNumbers, kNewTexts, "", "random strings hold digits"),
        Flag("ExcludeSmallWords", &R::excludeSmallWords, kChange, "",
             "CapitalizeWords leaves 'a', 'and', 'of' etc. lower case"),
        Flag("sidecarsFollow", &R::sidecarsFollow, kBaseNames, "SidecarsBox",
             "a photo's .xmp, .aae, .thm files and the JPEG of a raw photo get its new name too"),
    };
    const RecordSettings fresh;
    for (auto& e : t) e.info.defaultValue = e.get(fresh);
    return t;
  }();
  return table;
}

const Entry* Find(const std::string& name) {
  for (const auto& e : Table())
    if (e.info.name == name) return &e;
  return nullptr;
}

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

std::size_t EditDistance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

}  // namespace

const std::vector<FieldInfo>& RecordFields() {
  static const std::vector<FieldInfo> fields = [] {
    std::vector<FieldInfo> out;
    for (const auto& e : Table()) out.push_back(e.info);
    return out;
  }();
  return fields;
}

const FieldInfo* FindField(const std::string& name) {
  for (const auto& f : RecordFields())
    if (f.name == name) return &f;
  return nullptr;
}

bool UsedBy(const FieldInfo& field, OperationKind kind) {
  return std::find(field.kinds.begin(), field.kinds.end(), kind) != field.kinds.end();
}

std::optional<std::string> SetField(RecordSettings& settings, const std::string& name, const std::string& value) {
  const Entry* e = Find(name);
  if (!e) return "unknown field '" + name + "'";
  if (!e->set(settings, value)) return "invalid value '" + value + "' for field '" + name + "'";
  return std::nullopt;
}

std::optional<std::string> FieldValue(const RecordSettings& settings, const std::string& name) {
  const Entry* e = Find(name);
  if (!e) return std::nullopt;
  return e->get(settings);
}

std::vector<std::string> FieldNames() {
  std::vector<std::string> names;
  for (const auto& f : RecordFields()) names.push_back(f.name);
  return names;
}

std::vector<std::string> NearestNames(const std::string& name, const std::vector<std::string>& known, std::size_t count) {
  const std::string wanted = Lower(name);
  // A third of the name may be wrong, and a known name cut short is always close.
  const std::size_t limit = std::max<std::size_t>(2, wanted.size() / 3);
  std::vector<std::pair<std::size_t, std::string>> close;
  for (const auto& known_name : known) {
    const std::string candidate = Lower(known_name);
    std::size_t d = EditDistance(wanted, candidate);
    if (wanted.size() >= 3 && candidate.find(wanted) != std::string::npos) d = std::min(d, limit);
    if (d <= limit) close.emplace_back(d, known_name);
  }
  std::stable_sort(close.begin(), close.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> out;
  for (std::size_t i = 0; i < close.size() && i < count; ++i) out.push_back(close[i].second);
  return out;
}

std::vector<std::string> NearestFieldNames(const std::string& name, std::size_t count) {
  return NearestNames(name, FieldNames(), count);
}

std::string AllowedValues(const FieldInfo& field) {
  switch (field.type) {
    case FieldType::Text:
      return "text";
    case FieldType::Boolean:
      return "true|false";
    case FieldType::Integer:
      return std::to_string(field.minimum) + ".." + std::to_string(field.maximum);
    case FieldType::Choice: {
      std::string out;
      for (const auto& c : field.choices) out += (out.empty() ? "" : "|") + c;
      return out;
    }
  }
  return {};
}

}  // namespace velmora::batch
