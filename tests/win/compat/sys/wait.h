// Windows has no fork: the one core test that kills a forked writer is filtered out
// there (its Windows counterpart ends the writer with TerminateProcess). This only lets
// the test file build.
#pragma once

#include <cerrno>

#include <sys/types.h>
#define SIGKILL 9
#define WIFSIGNALED(status) ((status) != 0)
#define WTERMSIG(status) (status)
inline pid_t fork() {
  errno = ENOSYS;
  return -1;
}
inline pid_t waitpid(pid_t, int*, int) { return -1; }
