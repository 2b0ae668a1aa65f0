#pragma once
#include <fcntl.h>
#include <grp.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "support/run_cli.h"

// Permission cases ("mode 000") mean nothing to root, who reads every file, and CI runs the tests
// as root. There a run of the command line is made as the user nobody, in a child that gives up
// root before it starts a copy of the program that user can reach, on a folder handed over to
// that user first; a test run by anyone else runs the program as it is.
namespace radadovur::testing {

inline constexpr uid_t kNobody = 65534;
// The exit code of a run the child could not start as nobody (the program out of its reach).
inline constexpr int kNotStartedAsNobody = 125;

// Hands `folder`, and everything in it, to nobody (links themselves, not what they point to).
inline void GiveToNobody(const std::string& folder) {
  namespace fs = std::filesystem;
  (void)::lchown(folder.c_str(), kNobody, kNobody);
  std::error_code error;
  for (auto it = fs::recursive_directory_iterator(folder, error); !error && it != fs::recursive_directory_iterator();
       it.increment(error))
    (void)::lchown(it->path().c_str(), kNobody, kNobody);
}

// Where nobody can start `program`: the build's program may lie inside a folder nobody cannot
// enter (a checkout under a folder of mode 0700, as `mktemp -d` makes, or under /root), so it is
// linked, or else copied, into a fresh folder of mode 0755 below the system's temporary folder,
// once per program and test process, and removed when the process ends. "" when that fails.
inline std::string ProgramForNobody(const std::string& program) {
  namespace fs = std::filesystem;
  struct Copies {
    std::map<std::string, std::string> by_program;
    std::vector<std::string> folders;
    ~Copies() {
      std::error_code error;
      for (const std::string& folder : folders) fs::remove_all(folder, error);
    }
  };
  static Copies copies;
  if (auto it = copies.by_program.find(program); it != copies.by_program.end()) return it->second;
  std::string& copy = copies.by_program[program];
  std::error_code error;
  std::string folder = (fs::temp_directory_path(error) / "rdv_program_XXXXXX").string();
  if (error || ::mkdtemp(folder.data()) == nullptr) return copy;
  copies.folders.push_back(folder);
  const std::string path = folder + "/" + fs::path(program).filename().string();
  if (::chmod(folder.c_str(), 0755) != 0) return copy;
  if (::link(program.c_str(), path.c_str()) != 0 && !fs::copy_file(program, path, error)) return copy;
  if (::chmod(path.c_str(), 0755) != 0) return copy;
  copy = path;
  return copy;
}

// `program` with a shell-quoted argument string as the user nobody, on `folder` handed over to
// that user first; with `seconds`, a run that takes longer is stopped (kTimedOut). A run that
// could not be started as nobody gives kNotStartedAsNobody.
inline CliResult RunProgramAsNobody(const std::string& program, int seconds, const std::string& args,
                                    const std::string& folder) {
  CliResult result;
  const std::string reachable = ProgramForNobody(program);
  if (reachable.empty()) {
    result.exit_code = kNotStartedAsNobody;
    return result;
  }
  GiveToNobody(folder);
  int out[2];
  if (::pipe(out) != 0) return result;
  const std::string limit = seconds > 0 ? "timeout " + std::to_string(seconds) + " " : "";
  const std::string command = limit + "'" + reachable + "' " + args + " 2>&1";
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(out[1], STDOUT_FILENO);
    ::close(out[0]);
    ::close(out[1]);
    if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0 || ::geteuid() == 0 ||
        ::access(reachable.c_str(), X_OK) != 0)
      ::_exit(kNotStartedAsNobody);
    ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
    ::_exit(kNotStartedAsNobody);
  }
  ::close(out[1]);
  if (child < 0) {
    ::close(out[0]);
    return result;
  }
  std::array<char, 4096> buf{};
  ssize_t n;
  while ((n = ::read(out[0], buf.data(), buf.size())) != 0) {
    if (n < 0) {
      if (errno == EINTR) continue;
      break;
    }
    result.out.append(buf.data(), static_cast<size_t>(n));
  }
  ::close(out[0]);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

// radadovur-cli with a shell-quoted argument string as a user without privileges on `folder`:
// as nobody when the tests run as root, else as it is. Only a case that needs a file the
// program may not read (mode 000) runs this way; a FIFO, a folder or a device is the same to
// every user and runs through RunCli.
inline CliResult RunCliUnprivileged(int seconds, const std::string& args, const std::string& folder) {
  if (::geteuid() != 0) return RunCliWithin(seconds, args);
  return RunProgramAsNobody(RADADOVUR_CLI, seconds, args, folder);
}

// True when a run of RunCliUnprivileged is without privileges: the tests do not run as root, or
// the program can be started as nobody. Where it is false, a permission case cannot be tried and
// is reported as skipped.
inline bool RunsUnprivileged() {
  static const bool can = [] {
    if (::geteuid() != 0) return true;
    const std::string probe = (std::filesystem::temp_directory_path() / ("rdv_nobody_" + std::to_string(::getpid()))).string();
    std::filesystem::create_directories(probe);
    const bool started = RunCliUnprivileged(0, "", probe).exit_code != kNotStartedAsNobody;
    std::filesystem::remove_all(probe);
    return started;
  }();
  return can;
}

}  // namespace radadovur::testing
