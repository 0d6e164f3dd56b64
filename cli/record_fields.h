#pragma once
// The operation record's fields by their exact names, for --set FIELD=VALUE and --record
// FILE, with the sample values, special string settings and options beside them.

#include <optional>
#include <string>
#include <vector>

#include "engine/operation_record.h"

namespace velmora::cli {

struct CliSettings {
  engine::OperationRecord record;
  engine::SpecialStringSettings special;
  bool sampleNameSet = false;
  bool oldExtensionSet = false;
};

/// Sets one field; returns an error text naming the field when the name or value is wrong.
std::optional<std::string> SetField(CliSettings& settings, const std::string& name, const std::string& value);

/// Every settable name.
std::vector<std::string> FieldNames();

}  // namespace velmora::cli
