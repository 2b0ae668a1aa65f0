#pragma once
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <string>

#include "support/run_cli.h"

namespace radadovur::testing {

// A command started in the background that stops right after taking the folder's lock, until
// Release().
class HeldRun {
 public:
  HeldRun(const std::string& fifo, const std::string& args) : fifo_(fifo) {
    EXPECT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string command =
        "RADADOVUR_TEST_HOLD='" + fifo + "' '" + std::string(RADADOVUR_CLI) + "' " + args + " 2>&1";
    pipe_ = ::popen(command.c_str(), "r");
    // Opening the FIFO returns once the run waits on it: it holds the lock.
    writer_ = ::open(fifo.c_str(), O_WRONLY | O_CLOEXEC);
  }
  CliResult Release() {
    CliResult result;
    if (writer_ >= 0) ::close(writer_);
    writer_ = -1;
    std::array<char, 4096> buf{};
    size_t n;
    while (pipe_ && (n = std::fread(buf.data(), 1, buf.size(), pipe_)) > 0) result.out.append(buf.data(), n);
    const int status = pipe_ ? ::pclose(pipe_) : -1;
    pipe_ = nullptr;
    result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    ::unlink(fifo_.c_str());
    return result;
  }
  ~HeldRun() {
    if (pipe_) Release();
  }

 private:
  std::string fifo_;
  FILE* pipe_ = nullptr;
  int writer_ = -1;
};

}  // namespace radadovur::testing
