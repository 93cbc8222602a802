// Runs some of a test in a child process under limits, so that a reader that would take
// the machine's memory or never return fails the test in seconds instead.
#pragma once

#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <exception>
#include <functional>
#include <string>

namespace relakin::test {

// An address-space limit cannot work under AddressSanitizer, which reserves terabytes.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kAddressSanitizer = true;
#else
inline constexpr bool kAddressSanitizer = false;
#endif
#else
inline constexpr bool kAddressSanitizer = false;
#endif

inline constexpr std::size_t kOneGigabyte = std::size_t{1} << 30;

// How the child ended: "ok", or what went wrong ("exit 3", "signal 14", ...).
struct ChildOutcome {
  bool ok = false;
  std::string what;
};

// Runs `body` in a child process whose address space is limited to `memory` bytes (none when
// 0) and which is killed after `seconds`. The child is ok when `body` returns "" (an empty
// failure text); anything else it returns, or an exception, a crash or the time limit, is a
// failure, described in `what`. Nothing of the child's gtest state reaches the parent.
inline ChildOutcome RunInBoundedChild(const std::function<std::string()>& body, std::size_t memory,
                                      unsigned seconds) {
  std::fflush(nullptr);
  int pipe_fds[2];
  if (pipe(pipe_fds) != 0) return {false, "pipe"};
  const pid_t pid = fork();
  if (pid < 0) return {false, "fork"};
  if (pid == 0) {
    close(pipe_fds[0]);
    alarm(seconds);
    if (memory != 0) {
      const rlimit limit{memory, memory};
      setrlimit(RLIMIT_AS, &limit);
    }
    std::string failure;
    try {
      failure = body();
    } catch (const std::exception& e) {
      failure = std::string("exception: ") + e.what();
    } catch (...) {
      failure = "unknown exception";
    }
    if (!failure.empty()) {
      const ssize_t n = write(pipe_fds[1], failure.data(), failure.size());
      (void)n;
    }
    _exit(failure.empty() ? 0 : 1);
  }
  close(pipe_fds[1]);
  std::string said;
  char buf[512];
  ssize_t n;
  while ((n = read(pipe_fds[0], buf, sizeof buf)) > 0)
    said.append(buf, static_cast<std::size_t>(n));
  close(pipe_fds[0]);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return {false, "waitpid"};
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return {true, ""};
  if (WIFSIGNALED(status)) {
    const int sig = WTERMSIG(status);
    return {false, sig == SIGALRM ? "time limit reached" : "signal " + std::to_string(sig)};
  }
  return {false, said.empty() ? "exit " + std::to_string(WEXITSTATUS(status)) : said};
}

// For a child that must meet file permissions as a user does: when running as root, becomes
// the user "nobody" (65534), whom permissions bind. Returns "" or what failed.
inline std::string BecomeUnprivileged() {
  if (geteuid() != 0) return "";
  if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)
    return "cannot leave root: " + std::to_string(errno);
  return "";
}

// For a child whose writes must fail past `bytes` bytes per file (EFBIG instead of SIGXFSZ).
inline void LimitFileSize(rlim_t bytes) {
  signal(SIGXFSZ, SIG_IGN);
  const rlimit limit{bytes, bytes};
  setrlimit(RLIMIT_FSIZE, &limit);
}

}  // namespace relakin::test
