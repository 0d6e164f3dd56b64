// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A test seam of the Linux file system: faults injected into its renames and walks, so a
// test can prove the fallbacks safe on a file system that refuses what the normal path
// relies on, and the walk safe while its folders change under it.

#include <functional>
#include <string>

namespace velmora::platform {

struct RenameFaults {
  bool noReplaceUnsupported = false;  ///< a rename with RENAME_NOREPLACE answers EINVAL
  int linkError = 0;                  ///< link() fails with this errno; 0: it works
  /// Runs just before a fallback rename claims the new name: where another process might
  /// plant an entry of that name.
  std::function<void(const std::string& to)> beforeClaim;
  /// Runs between the claim of the new name and the rename over it.
  std::function<void(const std::string& to)> afterClaim;
  /// Runs just after an open folder was read: where another process might swap a
  /// subfolder for a link before the walk enters it, or move the folder itself.
  std::function<void(const std::string& folder)> afterListing;
};

/// Injects the faults into RealFileSystem's renames until called again with nullptr.
void SetRenameFaults(const RenameFaults* faults);

}  // namespace velmora::platform
