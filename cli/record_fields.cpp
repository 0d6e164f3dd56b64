#include "cli/record_fields.h"

#include <charconv>
#include <functional>
#include <map>

namespace velmora::cli {

using engine::OperationRecord;

namespace {

using Setter = std::function<bool(CliSettings&, const std::string&)>;

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

Setter Text(std::string OperationRecord::*field) {
  return [field](CliSettings& s, const std::string& v) {
    s.record.*field = v;
    return true;
  };
}

Setter Flag(bool OperationRecord::*field) {
  return [field](CliSettings& s, const std::string& v) {
    auto b = ParseBool(v);
    if (b) s.record.*field = *b;
    return b.has_value();
  };
}

template <typename E>
Setter Enum(E OperationRecord::*field, std::initializer_list<std::pair<const char*, E>> names) {
  std::vector<std::pair<std::string, E>> table(names.begin(), names.end());
  return [field, table](CliSettings& s, const std::string& v) {
    for (const auto& [name, value] : table) {
      if (v == name) {
        s.record.*field = value;
        return true;
      }
    }
    return false;
  };
}

Setter Sample(int engine::SampleValues::*field) {
  return [field](CliSettings& s, const std::string& v) {
    auto n = ParseInt(v);
    if (n && *n >= 0) s.record.sample.*field = *n;
    return n.has_value() && *n >= 0;
  };
}

Setter SpecialFlag(bool engine::SpecialStringSettings::*field) {
  return [field](CliSettings& s, const std::string& v) {
    auto b = ParseBool(v);
    if (b) s.special.*field = *b;
    return b.has_value();
  };
}

const std::map<std::string, Setter>& Table() {
  using engine::CaseStyle;
  using engine::ChangeMode;
  using engine::ExtensionMode;
  using engine::InsertMode;
  using engine::RemoveMode;
  using engine::ReplaceMode;
  static const std::map<std::string, Setter> table = {
      {"removeMode", Enum(&OperationRecord::removeMode,
                          {{"RemoveStrings", RemoveMode::RemoveStrings}, {"RemoveSelected", RemoveMode::RemoveSelected},
                           {"RemoveBetween", RemoveMode::RemoveBetween}, {"KeepSelected", RemoveMode::KeepSelected},
                           {"KeepStrings", RemoveMode::KeepStrings}, {"CleanSymbols", RemoveMode::CleanSymbols}})},
      {"removeText1", Text(&OperationRecord::removeText1)},
      {"removeText2", Text(&OperationRecord::removeText2)},
      {"removeText3", Text(&OperationRecord::removeText3)},
      {"removeCaseSensitive", Flag(&OperationRecord::removeCaseSensitive)},
      {"removeFromEnd", Flag(&OperationRecord::removeFromEnd)},
      {"keepFromEnd", Flag(&OperationRecord::keepFromEnd)},
      {"leftText", Text(&OperationRecord::leftText)},
      {"rightText", Text(&OperationRecord::rightText)},
      {"removeBoundaries", Flag(&OperationRecord::removeBoundaries)},
      {"keepText1", Text(&OperationRecord::keepText1)},
      {"keepText2", Text(&OperationRecord::keepText2)},
      {"erasedToSpace", Flag(&OperationRecord::erasedToSpace)},
      {"alsoErase", Flag(&OperationRecord::alsoErase)},
      {"alsoEraseText", Text(&OperationRecord::alsoEraseText)},
      {"keepDash", Flag(&OperationRecord::keepDash)},
      {"keepParentheses", Flag(&OperationRecord::keepParentheses)},
      {"keepBrackets", Flag(&OperationRecord::keepBrackets)},
      {"keepUnderscore", Flag(&OperationRecord::keepUnderscore)},
      {"keepOthers", Flag(&OperationRecord::keepOthers)},
      {"keepOthersText", Text(&OperationRecord::keepOthersText)},
      {"replaceMode", Enum(&OperationRecord::replaceMode, {{"ReplaceString", ReplaceMode::ReplaceString},
                                                           {"ReplaceSelected", ReplaceMode::ReplaceSelected}})},
      {"oldText", Text(&OperationRecord::oldText)},
      {"newText", Text(&OperationRecord::newText)},
      {"replaceCaseSensitive", Flag(&OperationRecord::replaceCaseSensitive)},
      {"replaceFromEnd", Flag(&OperationRecord::replaceFromEnd)},
      {"insertMode", Enum(&OperationRecord::insertMode, {{"InsertAtPosition", InsertMode::InsertAtPosition},
                                                         {"InsertAtString", InsertMode::InsertAtString}})},
      {"atHead", Flag(&OperationRecord::atHead)},
      {"headText", Text(&OperationRecord::headText)},
      {"atEnd", Flag(&OperationRecord::atEnd)},
      {"endText", Text(&OperationRecord::endText)},
      {"atCursor", Flag(&OperationRecord::atCursor)},
      {"cursorText", Text(&OperationRecord::cursorText)},
      {"cursorFromEnd", Flag(&OperationRecord::cursorFromEnd)},
      {"anchorPlacement",
       [](CliSettings& s, const std::string& v) {
         auto n = ParseInt(v);
         if (!n || *n < 0 || *n > 2) return false;
         s.record.anchorPlacement = *n;
         return true;
       }},
      {"anchorText", Text(&OperationRecord::anchorText)},
      {"secondAnchorText", Text(&OperationRecord::secondAnchorText)},
      {"insertText", Text(&OperationRecord::insertText)},
      {"changeMode", Enum(&OperationRecord::changeMode, {{"ChangeFullName", ChangeMode::ChangeFullName},
                                                         {"ConvertCase", ChangeMode::ConvertCase}})},
      {"newName", Text(&OperationRecord::newName)},
      {"caseStyle", Enum(&OperationRecord::caseStyle, {{"Lower", CaseStyle::Lower},
                                                       {"Upper", CaseStyle::Upper},
                                                       {"CapitalizeWords", CaseStyle::CapitalizeWords}})},
      {"capitalizeFirst", Flag(&OperationRecord::capitalizeFirst)},
      {"includeExtension", Flag(&OperationRecord::includeExtension)},
      {"extensionMode", Enum(&OperationRecord::extensionMode,
                             {{"ChangeExtension", ExtensionMode::ChangeExtension},
                              {"ConvertExtensionCase", ExtensionMode::ConvertExtensionCase}})},
      {"oldExtension",
       [](CliSettings& s, const std::string& v) {
         s.record.oldExtension = v;
         s.oldExtensionSet = true;
         return true;
       }},
      {"newExtension", Text(&OperationRecord::newExtension)},
      {"allExtensions", Flag(&OperationRecord::allExtensions)},
      {"extensionUpper", Flag(&OperationRecord::extensionUpper)},
      {"SampleName",
       [](CliSettings& s, const std::string& v) {
         s.record.sample.sampleName = v;
         s.sampleNameSet = true;
         return true;
       }},
      {"SelectionStart", Sample(&engine::SampleValues::selectionStart)},
      {"SelectionLength", Sample(&engine::SampleValues::selectionLength)},
      {"CursorPos", Sample(&engine::SampleValues::cursorPos)},
      {"SpecialStringsEnabled", SpecialFlag(&engine::SpecialStringSettings::enabled)},
      {"startNumber",
       [](CliSettings& s, const std::string& v) {
         auto n = ParseInt(v);
         if (!n || *n < 0 || *n > 10000) return false;
         s.special.startNumber = *n;
         return true;
       }},
      {"randomUpper", SpecialFlag(&engine::SpecialStringSettings::randomUpper)},
      {"randomLower", SpecialFlag(&engine::SpecialStringSettings::randomLower)},
      {"randomNumbers", SpecialFlag(&engine::SpecialStringSettings::randomNumbers)},
      {"ExcludeSmallWords", Flag(&OperationRecord::excludeSmallWords)},
  };
  return table;
}

}  // namespace

std::optional<std::string> SetField(CliSettings& settings, const std::string& name, const std::string& value) {
  const auto& table = Table();
  auto it = table.find(name);
  if (it == table.end()) return "unknown field '" + name + "'";
  if (!it->second(settings, value)) return "invalid value '" + value + "' for field '" + name + "'";
  return std::nullopt;
}

std::vector<std::string> FieldNames() {
  std::vector<std::string> names;
  for (const auto& [name, setter] : Table()) names.push_back(name);
  return names;
}

}  // namespace velmora::cli
