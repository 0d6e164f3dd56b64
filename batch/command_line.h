// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The velmora-cli command line that does exactly what an operation set up in the editor
// does on its target, quoted for a POSIX shell, so what was tried in the window can be
// scripted ("Copy as command").

#include <string>
#include <string_view>

#include "batch/item_order.h"
#include "batch/record_fields.h"
#include "batch/target_walk.h"

namespace velmora::batch {

/// One word for a POSIX shell: in single quotes, each "'" written as '\'' ; safe for any
/// bytes, quotes and line breaks included. Words of only safe characters stay bare.
std::string ShellQuote(std::string_view word);

/// The velmora-cli command name of an operation ("replace"), "" for none.
const char* CommandName(engine::OperationKind kind);

/// "velmora-cli COMMAND [--folder DIR --scope N | PATH...] [--order O] --set FIELD=VALUE ...
/// --yes": every field the operation reads that differs from a fresh record's value, and
/// --yes because the editor's questions were answered by running it.
std::string OperationCommandLine(const RecordSettings& settings, const TargetSet& target, const ItemOrder& order,
                                 const std::string& program = "velmora-cli");

}  // namespace velmora::batch
