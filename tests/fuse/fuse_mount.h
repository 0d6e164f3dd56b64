// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The test FUSE file system (passthrough_fs.cpp) mounted for the length of a test: a
// backing folder seen through a mount point that ignores case, lacks RENAME_NOREPLACE or
// refuses hard links, as asked. Unmounted when it goes, also when the test failed; the
// file system unmounts itself when its process dies, whatever ends it.

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "support/process_runner.h"

namespace velmora::testing {

class FuseMount {
 public:
  FuseMount(const std::string& backing, const std::string& mountPoint, const std::vector<std::string>& switches)
      : mountPoint_(mountPoint) {
    if (::access("/dev/fuse", R_OK | W_OK) != 0) {
      whyNot_ = "/dev/fuse cannot be opened here: the FUSE file system tests are skipped";
      return;
    }
    std::filesystem::create_directories(backing);
    std::filesystem::create_directories(mountPoint);
    std::vector<std::string> argv = {VELMORA_TEST_FUSE_PATH};
    argv.insert(argv.end(), switches.begin(), switches.end());
    argv.push_back(backing);
    argv.push_back(mountPoint);
    child_ = std::make_unique<ChildProcess>(argv);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
      if (onOwnDevice()) {
        mounted_ = true;
        return;
      }
      if (!child_->running()) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    whyNot_ = "a FUSE file system cannot be mounted here (no permission?): the FUSE file system tests are skipped";
  }
  ~FuseMount() {
    if (mounted_) {
      // Lazily when busy, so a test that left a file open still leaves no mount behind.
      if (RunProcess({"/usr/bin/fusermount3", "-u", mountPoint_}).exit != 0)
        RunProcess({"/usr/bin/fusermount3", "-u", "-z", mountPoint_});
    }
    if (child_) {
      for (int i = 0; i < 250 && child_->running(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(20));
      child_.reset();  // killed if it still runs
    }
  }
  FuseMount(const FuseMount&) = delete;
  FuseMount& operator=(const FuseMount&) = delete;

  bool mounted() const { return mounted_; }
  /// Why the mount is not there: the line a skipped test gives.
  const std::string& whyNot() const { return whyNot_; }

 private:
  bool onOwnDevice() const {
    struct stat here, parent;
    return ::stat(mountPoint_.c_str(), &here) == 0 &&
           ::stat((mountPoint_ + "/..").c_str(), &parent) == 0 && here.st_dev != parent.st_dev;
  }

  std::string mountPoint_;
  std::unique_ptr<ChildProcess> child_;
  bool mounted_ = false;
  std::string whyNot_;
};

}  // namespace velmora::testing
