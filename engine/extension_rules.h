// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Change, add or remove the extension of files, or convert its letter case.

#include "engine/apply_operation.h"

namespace velmora::engine {

/// Builds the new full path itself: NotApplicable for folders, Unchanged or Rename for files.
NewNameOutcome ApplyExtensionRule(const OperationRecord& record, const Item& item,
                                  const platform::CodePage& codePage);

/// Brings a typed extension into the form the rules expect: a leading "." added to a
/// non-empty text that lacks one.
std::string WithLeadingDot(const std::string& typed);

/// The editor's normalisation of the new extension box: leading ".." pairs dropped while
/// at least 3 characters remain, trailing dots dropped while at least 2 remain.
std::string NormalizeNewExtension(std::string typed);

}  // namespace velmora::engine
