#pragma once
#include <fcntl.h>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <string>

#include "support/run_cli.h"

// Permission cases ("mode 000") mean nothing to root, who reads every file, and CI runs the tests
// as root. There a run of the command line is made as the user nobody, in a child that gives up
// root before it starts the program, on a folder handed over to that user first; a test run by
// anyone else runs the program as it is.
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

// radadovur-cli with a shell-quoted argument string as a user without privileges on `folder`;
// with `seconds`, a run that takes longer is stopped (kTimedOut).
inline CliResult RunCliUnprivileged(int seconds, const std::string& args, const std::string& folder) {
  if (::geteuid() != 0) return RunCliWithin(seconds, args);
  GiveToNobody(folder);
  CliResult result;
  int out[2];
  if (::pipe(out) != 0) return result;
  const std::string limit = seconds > 0 ? "timeout " + std::to_string(seconds) + " " : "";
  const std::string command = limit + "'" + RADADOVUR_CLI + "' " + args + " 2>&1";
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(out[1], STDOUT_FILENO);
    ::close(out[0]);
    ::close(out[1]);
    if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0 || ::geteuid() == 0 ||
        ::access(RADADOVUR_CLI, X_OK) != 0)
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
