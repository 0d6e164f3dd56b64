// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Files that travel with a photo: "IMG_0042.xmp" (or .XMP, .aae, .thm, "IMG_0042.CR2.xmp")
// beside "IMG_0042.CR2", and the JPEG of a raw+JPEG pair. With the option on, a run gives
// them their photo's new name in the same run, right after the photo, and never renames
// them on their own.

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace velmora::batch {

struct SidecarGroups {
  /// A photo's path -> its sidecars' paths, in the order of the item list.
  std::unordered_map<std::string, std::vector<std::string>> ofPhoto;
  /// Every sidecar with its photo among the items: no item of its own.
  std::unordered_set<std::string> followers;
  void clear() {
    ofPhoto.clear();
    followers.clear();
  }
};

/// The sidecars among these items (files only, full paths) whose photo is among them too,
/// in the same folder. Extensions compare without case.
void FindSidecars(const std::vector<std::string>& files, SidecarGroups& groups);

/// A sidecar's new path when its photo moves from oldPhoto to newPhoto: "IMG_0042.xmp" takes
/// the photo's new base name, "IMG_0042.CR2.xmp" its new name; the sidecar's own extension
/// stays.
std::string SidecarTarget(const std::string& sidecar, const std::string& oldPhoto, const std::string& newPhoto);

}  // namespace velmora::batch
