// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/sidecars.h"

#include <algorithm>
#include <string_view>

#include "engine/name_model.h"

namespace velmora::batch {

namespace {

constexpr std::string_view kSidecarExtensions[] = {".xmp", ".aae", ".thm"};
constexpr std::string_view kRawExtensions[] = {".cr2", ".cr3", ".crw", ".nef", ".nrw", ".arw", ".srf", ".sr2",
                                               ".dng", ".orf", ".rw2", ".raf", ".pef", ".srw", ".x3f", ".3fr",
                                               ".erf", ".kdc", ".mrw", ".mos", ".iiq", ".rwl"};
constexpr std::string_view kOtherPhotoExtensions[] = {".jpg", ".jpeg", ".heic", ".heif", ".tif", ".tiff", ".png"};

std::string Lower(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
  return out;
}

template <std::size_t N>
bool OneOf(std::string_view ext, const std::string_view (&list)[N]) {
  return std::find(std::begin(list), std::end(list), ext) != std::end(list);
}

bool IsPhotoExtension(std::string_view ext) { return OneOf(ext, kRawExtensions) || OneOf(ext, kOtherPhotoExtensions); }

}  // namespace

void FindSidecars(const std::vector<std::string>& files, SidecarGroups& groups) {
  // Each file by its path with the extension in lower case: the photos are looked up by it.
  std::unordered_map<std::string, const std::string*> byKey;
  byKey.reserve(files.size());
  for (const std::string& f : files) {
    const std::string ext = engine::Extension(f, false);
    byKey.emplace(f.substr(0, f.size() - ext.size()) + Lower(ext), &f);
  }
  const auto photo = [&](const std::string& key) -> const std::string* {
    auto it = byKey.find(key);
    return it == byKey.end() ? nullptr : it->second;
  };
  for (const std::string& f : files) {
    const std::string ext = Lower(engine::Extension(f, false));
    const std::string stem = f.substr(0, f.size() - ext.size());
    const std::string* owner = nullptr;
    if (OneOf(ext, kSidecarExtensions)) {
      // "IMG.CR2.xmp" belongs to "IMG.CR2"; "IMG.xmp" to "IMG" with a photo's extension.
      const std::string inner = Lower(engine::Extension(stem, false));
      if (IsPhotoExtension(inner)) owner = photo(stem.substr(0, stem.size() - inner.size()) + inner);
      for (std::string_view e : kRawExtensions)
        if (!owner) owner = photo(stem + std::string(e));
      for (std::string_view e : kOtherPhotoExtensions)
        if (!owner) owner = photo(stem + std::string(e));
    } else if (ext == ".jpg" || ext == ".jpeg") {
      for (std::string_view e : kRawExtensions)
        if (!owner) owner = photo(stem + std::string(e));
    }
    // A sidecar picked twice follows its photo once.
    if (!owner || *owner == f || !groups.followers.insert(f).second) continue;
    groups.ofPhoto[*owner].push_back(f);
  }
  // A photo that is itself a follower (the JPEG of a pair with its own "IMG.JPG.xmp") hands
  // its sidecars on to the raw photo it follows.
  std::vector<std::pair<std::string, std::string>> handOn;  // follower photo, its lead
  for (const auto& [lead, sidecars] : groups.ofPhoto)
    for (const std::string& s : sidecars)
      if (groups.ofPhoto.count(s)) handOn.emplace_back(s, lead);
  for (const auto& [follower, lead] : handOn) {
    std::vector<std::string> moved = std::move(groups.ofPhoto[follower]);
    groups.ofPhoto.erase(follower);
    auto& into = groups.ofPhoto[lead];
    into.insert(into.end(), moved.begin(), moved.end());
  }
}

std::string SidecarTarget(const std::string& sidecar, const std::string& oldPhoto, const std::string& newPhoto) {
  if (sidecar.size() > oldPhoto.size() && sidecar.compare(0, oldPhoto.size(), oldPhoto) == 0 &&
      sidecar[oldPhoto.size()] == '.')
    return newPhoto + sidecar.substr(oldPhoto.size());
  const std::size_t oldStem = oldPhoto.size() - engine::Extension(oldPhoto, false).size();
  const std::size_t newStem = newPhoto.size() - engine::Extension(newPhoto, false).size();
  return newPhoto.substr(0, newStem) + sidecar.substr(oldStem);
}

}  // namespace velmora::batch
