#include "support/private_mount.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <string>

namespace pyxora::testing {
namespace {

constexpr int kSkipStatus = 77;
constexpr const char* kSkipPrefix = "skip: ";

bool WriteText(const char* path, const std::string& text) {
  std::ofstream out(path);
  out << text;
  out.flush();
  return static_cast<bool>(out);
}

// A mount namespace of our own; where plain root may not make one, a user namespace
// mapping us to root inside it (what `unshare -rm` does).
std::string EnterPrivateMounts() {
  if (::unshare(CLONE_NEWNS) != 0) {
    const uid_t uid = ::getuid();
    const gid_t gid = ::getgid();
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
      return std::string("no private mount namespace: ") + std::strerror(errno);
    WriteText("/proc/self/setgroups", "deny");
    if (!WriteText("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1\n") ||
        !WriteText("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1\n"))
      return "cannot map the user into its namespace";
  }
  if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
    return std::string("cannot make the mounts private: ") + std::strerror(errno);
  return "";
}

void Send(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n <= 0) return;
    done += static_cast<size_t>(n);
  }
}

}  // namespace

MountRun RunOnTmpfs(const std::filesystem::path& folder, const std::string& options,
                    const std::function<std::string(const std::filesystem::path& mount)>& body) {
  int channel[2];
  if (::pipe(channel) != 0) return {false, "no pipe"};
  const pid_t child = ::fork();
  if (child < 0) return {false, "no fork"};
  if (child == 0) {
    ::close(channel[0]);
    std::string problem = EnterPrivateMounts();
    if (problem.empty() && ::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) != 0)
      problem = "cannot mount a tmpfs (" + options + "): " + std::strerror(errno);
    if (!problem.empty()) {
      Send(channel[1], problem);
      ::_exit(kSkipStatus);
    }
    Send(channel[1], body(folder));
    ::_exit(0);
  }
  ::close(channel[1]);
  std::string message;
  char buffer[512];
  for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) != 0;) {
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) break;
    message.append(buffer, static_cast<size_t>(n));
  }
  ::close(channel[0]);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) == kSkipStatus) return {true, message};
  if (message.rfind(kSkipPrefix, 0) == 0) return {true, message.substr(std::strlen(kSkipPrefix))};
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    message += " (the child ended with status " + std::to_string(status) + ")";
  return {false, message};
}

bool RemountReadOnly(const std::filesystem::path& mount) {
  return ::mount(nullptr, mount.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

bool FillUp(const std::filesystem::path& mount) {
  const int fd = ::open((mount / ".filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const std::string block(4096, 'f');
  bool full = false;
  // Page by page, then byte by byte, until the file system says no more.
  for (size_t size = block.size(); size > 0; size /= 2) {
    for (;;) {
      const ssize_t n = ::write(fd, block.data(), size);
      if (n < 0 && errno == ENOSPC) break;
      if (n <= 0) {
        ::close(fd);
        return false;
      }
    }
    full = true;
  }
  ::close(fd);
  return full;
}

}  // namespace pyxora::testing
