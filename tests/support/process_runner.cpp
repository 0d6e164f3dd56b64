// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/process_runner.h"

#ifdef _WIN32
#include "platform/windows_api.h"
#else
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace velmora::testing {

namespace {

std::string ReadAndRemove(const std::filesystem::path& path) {
  std::string content;
  {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    content = ss.str();
  }
  std::error_code ec;
  std::filesystem::remove(path, ec);
  return content;
}

// Capture files of one run, in the temporary folder.
struct CaptureFiles {
  std::filesystem::path out, err;
  CaptureFiles() {
    static std::atomic<unsigned> counter{0};
#ifdef _WIN32
    const std::string id = std::to_string(::GetCurrentProcessId());
#else
    const std::string id = std::to_string(::getpid());
#endif
    const std::string stem = "velmora-run-" + id + "-" + std::to_string(counter.fetch_add(1));
    const auto dir = std::filesystem::temp_directory_path();
    out = dir / (stem + ".out");
    err = dir / (stem + ".err");
  }
};

}  // namespace

std::string QuoteWindowsArgument(const std::string& a) {
  if (!a.empty() && a.find_first_of(" \t\n\v\"") == std::string::npos) return a;
  std::string out = "\"";
  for (std::size_t i = 0;; ++i) {
    std::size_t backslashes = 0;
    while (i < a.size() && a[i] == '\\') {
      ++i;
      ++backslashes;
    }
    if (i == a.size()) {
      out.append(backslashes * 2, '\\');  // they now stand before the closing quote
      break;
    }
    if (a[i] == '"') {
      out.append(backslashes * 2 + 1, '\\');
      out += '"';
    } else {
      out.append(backslashes, '\\');
      out += a[i];
    }
  }
  out += '"';
  return out;
}

#ifdef _WIN32

namespace {

struct Caseless {
  bool operator()(const std::string& a, const std::string& b) const { return ::_stricmp(a.c_str(), b.c_str()) < 0; }
};

// The inherited environment with the options' variables set, as a block for CreateProcessA.
std::string EnvironmentBlock(const ProcessOptions& options) {
  std::map<std::string, std::string, Caseless> vars;
  std::vector<std::string> special;  // "=C:=C:\..." entries keep their place at the front
  if (char* block = ::GetEnvironmentStringsA()) {
    for (const char* p = block; *p; p += std::strlen(p) + 1) {
      std::string entry(p);
      const std::size_t eq = entry.find('=', 1);
      if (entry[0] == '=' || eq == std::string::npos) {
        special.push_back(entry);
        continue;
      }
      vars[entry.substr(0, eq)] = entry.substr(eq + 1);
    }
    ::FreeEnvironmentStringsA(block);
  }
  for (const auto& [name, value] : options.environment) vars[name] = value;
  std::string out;
  for (const auto& s : special) out.append(s).push_back('\0');
  for (const auto& [name, value] : vars) out.append(name).append("=").append(value).push_back('\0');
  out.push_back('\0');
  return out;
}

HANDLE OpenInheritable(const std::filesystem::path& path, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  return ::CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &sa,
                       disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

HANDLE Start(const std::vector<std::string>& argv, const ProcessOptions& options, HANDLE out, HANDLE err) {
  if (argv.empty()) return nullptr;
  std::string commandLine;
  for (const auto& a : argv) {
    if (!commandLine.empty()) commandLine += ' ';
    commandLine += QuoteWindowsArgument(a);
  }
  std::string environment = EnvironmentBlock(options);
  HANDLE in = OpenInheritable(L"NUL", GENERIC_READ, OPEN_EXISTING);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = in;
  si.hStdOutput = out;
  si.hStdError = err;
  PROCESS_INFORMATION pi{};
  const char* folder = options.workingFolder.empty() ? nullptr : options.workingFolder.c_str();
  const BOOL ok = ::CreateProcessA(argv[0].c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                                   environment.data(), folder, &si, &pi);
  if (in != INVALID_HANDLE_VALUE) ::CloseHandle(in);
  if (!ok) return nullptr;
  ::CloseHandle(pi.hThread);
  return pi.hProcess;
}

std::string WithoutCarriageReturns(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

int WaitFor(HANDLE process) {
  ::WaitForSingleObject(process, INFINITE);
  DWORD code = 0;
  ::GetExitCodeProcess(process, &code);
  return static_cast<int>(code);
}

}  // namespace

ProcessResult RunProcess(const std::vector<std::string>& argv, const ProcessOptions& options) {
  CaptureFiles files;
  ProcessResult result;
  HANDLE out = OpenInheritable(files.out, GENERIC_WRITE, CREATE_ALWAYS);
  HANDLE err = OpenInheritable(files.err, GENERIC_WRITE, CREATE_ALWAYS);
  HANDLE process = Start(argv, options, out, err);
  ::CloseHandle(out);
  ::CloseHandle(err);
  if (process) {
    result.exit = WaitFor(process);
    ::CloseHandle(process);
  }
  // A Windows program's text streams end lines in CR LF; read them as text, as "\n".
  result.out = WithoutCarriageReturns(ReadAndRemove(files.out));
  result.err = WithoutCarriageReturns(ReadAndRemove(files.err));
  return result;
}

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const ProcessOptions& options) {
  HANDLE null = OpenInheritable(L"NUL", GENERIC_WRITE, OPEN_EXISTING);
  process_ = Start(argv, options, null, null);
  if (null != INVALID_HANDLE_VALUE) ::CloseHandle(null);
  started_ = process_ != nullptr;
}

ChildProcess::~ChildProcess() {
  if (started_ && !finished_) {
    kill();
    wait();
  }
  if (process_) ::CloseHandle(static_cast<HANDLE>(process_));
}

bool ChildProcess::running() {
  return started_ && !finished_ && ::WaitForSingleObject(static_cast<HANDLE>(process_), 0) == WAIT_TIMEOUT;
}

// The exit code a killed child gets; velmora-cli never exits with it on its own.
constexpr UINT kKilledExitCode = 137;

void ChildProcess::kill() {
  if (!running()) return;
  if (::TerminateProcess(static_cast<HANDLE>(process_), kKilledExitCode)) killed_ = true;
}

int ChildProcess::wait() {
  if (!started_) return -1;
  if (!finished_) {
    exit_ = WaitFor(static_cast<HANDLE>(process_));
    finished_ = true;
    // A child that exited just before the kill keeps its own exit code.
    killed_ = killed_ && exit_ == static_cast<int>(kKilledExitCode);
  }
  return killed_ ? -1 : exit_;
}

#else

namespace {

// The inherited environment with the options' variables set.
std::vector<std::string> EnvironmentList(const ProcessOptions& options) {
  std::map<std::string, std::string> vars;
  std::vector<std::string> order;
  for (char** e = environ; e && *e; ++e) {
    std::string entry(*e);
    const std::size_t eq = entry.find('=');
    if (eq == std::string::npos) continue;
    vars[entry.substr(0, eq)] = entry.substr(eq + 1);
  }
  for (const auto& [name, value] : options.environment) vars[name] = value;
  std::vector<std::string> out;
  for (const auto& [name, value] : vars) out.push_back(name + "=" + value);
  return out;
}

pid_t Start(const std::vector<std::string>& argv, const ProcessOptions& options, const std::string& out,
            const std::string& err) {
  if (argv.empty()) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (!options.workingFolder.empty())
    posix_spawn_file_actions_addchdir_np(&actions, options.workingFolder.c_str());
  std::vector<std::string> args = argv;
  std::vector<char*> cargs;
  for (auto& a : args) cargs.push_back(a.data());
  cargs.push_back(nullptr);
  std::vector<std::string> env = EnvironmentList(options);
  std::vector<char*> cenv;
  for (auto& e : env) cenv.push_back(e.data());
  cenv.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawn(&pid, args[0].c_str(), &actions, nullptr, cargs.data(), cenv.data()) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

int WaitFor(pid_t pid, bool& signalled) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  signalled = WIFSIGNALED(status);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

ProcessResult RunProcess(const std::vector<std::string>& argv, const ProcessOptions& options) {
  CaptureFiles files;
  ProcessResult result;
  const pid_t pid = Start(argv, options, files.out.string(), files.err.string());
  if (pid > 0) {
    bool signalled = false;
    result.exit = WaitFor(pid, signalled);
  }
  result.out = ReadAndRemove(files.out);
  result.err = ReadAndRemove(files.err);
  return result;
}

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const ProcessOptions& options) {
  pid_ = Start(argv, options, "/dev/null", "/dev/null");
  started_ = pid_ > 0;
}

ChildProcess::~ChildProcess() {
  if (started_ && !finished_) {
    kill();
    wait();
  }
}

bool ChildProcess::running() {
  if (!started_ || finished_) return false;
  int status = 0;
  const pid_t r = ::waitpid(pid_, &status, WNOHANG);
  if (r == 0) return true;
  if (r == pid_) {
    finished_ = true;
    killed_ = WIFSIGNALED(status);
    exit_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  return false;
}

// Whether the signal ended the child is read from its status when it is reaped: a child
// that exited just before the signal counts as exited.
void ChildProcess::kill() {
  if (!running()) return;
  ::kill(pid_, SIGKILL);
}

int ChildProcess::wait() {
  if (!started_) return -1;
  if (!finished_) {
    bool signalled = false;
    exit_ = WaitFor(pid_, signalled);
    killed_ = signalled;
    finished_ = true;
  }
  return killed_ ? -1 : exit_;
}

#endif

}  // namespace velmora::testing
