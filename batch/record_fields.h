// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The operation record's fields by their exact names, as text: the sample values, the special
// string settings and the options beside them. One table sets a field from its text, renders
// its current value as text, and describes it (type, allowed values, default, the operations
// that read it), so the CLI's --set and --record, its `fields` listing, saved presets and a
// command line built from the editor all agree.

#include <optional>
#include <string>
#include <vector>

#include "engine/operation_record.h"

namespace velmora::batch {

/// Everything the fields address.
struct RecordSettings {
  engine::OperationRecord record;
  engine::SpecialStringSettings special;
  bool sampleNameSet = false;    ///< SampleName was given, so it is not taken from the target
  bool oldExtensionSet = false;  ///< oldExtension was given, so it is not taken from the sample
};

enum class FieldType { Text, Boolean, Choice, Integer };

struct FieldInfo {
  std::string name;
  FieldType type = FieldType::Text;
  std::vector<std::string> choices;  ///< Choice: the value names, in the editor's order
  int minimum = 0;                   ///< Integer: the smallest value allowed
  int maximum = 0;                   ///< Integer: the largest value allowed
  std::string defaultValue;          ///< as text, the value of a fresh record
  /// The operations that read the field; every other operation ignores it.
  std::vector<engine::OperationKind> kinds;
  std::string control;  ///< objectName of the editor's control for it, "" for none
  std::string summary;  ///< one line saying what it is
};

/// Every field, grouped by operation in the record's order.
const std::vector<FieldInfo>& RecordFields();
/// The field of that exact name, nullptr for none.
const FieldInfo* FindField(const std::string& name);
/// True when the operation reads the field.
bool UsedBy(const FieldInfo& field, engine::OperationKind kind);

/// Sets one field; returns an error text naming the field when the name or value is wrong.
std::optional<std::string> SetField(RecordSettings& settings, const std::string& name, const std::string& value);
/// The field's current value as text, in the form SetField takes; nullopt for an unknown name.
std::optional<std::string> FieldValue(const RecordSettings& settings, const std::string& name);

/// Every settable name, in table order.
std::vector<std::string> FieldNames();
/// Up to `count` names closest to a mistyped one (letter case ignored), closest first; none
/// when nothing is close.
std::vector<std::string> NearestFieldNames(const std::string& name, std::size_t count = 3);

/// The same for any list of known names (commands, options).
std::vector<std::string> NearestNames(const std::string& name, const std::vector<std::string>& known,
                                      std::size_t count = 3);

/// "text", "true|false", the choices joined by "|", or "MIN..MAX".
std::string AllowedValues(const FieldInfo& field);

}  // namespace velmora::batch
