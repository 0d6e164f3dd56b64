// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `velmora-cli meta PATH...`: what the tag placeholders would read from each file: every tag
// with its value and where it was found, the date taken falling back to the file's date as a
// run does. Text, or one JSON object with --json.

#include <ostream>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace velmora::media {
class MetadataReader;
}
namespace velmora::platform {
class FileSystem;
}

namespace velmora::cli {

inline constexpr const char* kMetaExample = "velmora-cli meta ~/Photos/IMG_0042.JPG --json";

class MetaCommand {
 public:
  /// Adds the "meta" subcommand to the application.
  explicit MetaCommand(CLI::App& app);

  bool parsed() const;
  /// Prints the tags of every path: exit 0; 4 when a path is missing or neither a photo nor
  /// a song it can read; 2 when the build reads no tags at all.
  int run(std::ostream& out, std::ostream& err) const;
  int run(media::MetadataReader& reader, platform::FileSystem& fs, std::ostream& out, std::ostream& err) const;

 private:
  CLI::App* command_ = nullptr;
  std::vector<std::string> paths_;
  bool json_ = false;
};

}  // namespace velmora::cli
