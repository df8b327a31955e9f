#include "settings/template_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "base/system.h"

namespace pyxora {

TemplateState gTemplate;

namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string ErrorText(int error) {
  switch (error) {
    case ENOENT: return "no such file";
    case EACCES: return "permission denied";
    case EISDIR: return "it is a folder";
    default: return std::strerror(error);
  }
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

// A line break inside a value would start a line of its own and change other keys.
std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\r' || c == '\n') c = ' ';
  return text;
}

void OpenTemplateOut(std::string_view file) {
  TemplateState& t = gTemplate;
  t.OutTarget = std::string(file.empty() ? std::string_view(t.TemplatePath) : file);
  t.OutFailed = true;
  t.OutLines = 0;
  t.LastWriteError = "no file named";
  // A new file starts with its first section header, whatever an earlier save wrote last.
  t.TemplateLastSection.clear();
  if (t.OutTarget.empty()) return;
  // The new file is renamed over the target: over a folder that fails late, and over a
  // FIFO or a device (/dev/null, /dev/stdout) it would replace the node itself.
  if (const FileFacts existing = LookAtFile(t.OutTarget); existing.error == 0) {
    if (existing.directory) {
      t.LastWriteError = ErrorText(EISDIR);
      return;
    }
    if (!existing.regular) {
      t.LastWriteError = "not a regular file";
      return;
    }
    // Through a link the file it names is replaced, and the link stays.
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::canonical(PathFromUtf8(t.OutTarget), error);
    if (!error) t.OutTarget = Utf8FromPath(resolved);
  }
  const std::filesystem::path target = PathFromUtf8(t.OutTarget);
  std::filesystem::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  std::string pattern = Utf8FromPath(folder / PathFromUtf8("." + Utf8FromPath(target.filename()) + ".XXXXXX"));
  const int fd = CreateUniqueFile(pattern);
  if (fd < 0) {
    t.LastWriteError = errno == ENOENT ? "no such folder" : ErrorText(errno);
    return;
  }
  // The new file gets the old one's permissions, or the usual ones for a new file.
  CopyFileMode(fd, t.OutTarget);
  t.TemplateOutFile = fd;
  t.OutTemporary = pattern;
  t.OutFailed = false;
  t.LastWriteError.clear();
}

void WriteLine(std::string_view line) {
  TemplateState& t = gTemplate;
  if (t.TemplateOutFile < 0 || t.OutFailed) return;
  std::string bytes(line);
  bytes += kLineEnd;
  if (!WriteAll(t.TemplateOutFile, bytes)) {
    t.OutFailed = true;
    t.LastWriteError = ErrorText(errno);
  }
  ++t.OutLines;
  if (t.LineWritten) t.LineWritten(t.OutLines);
}

}  // namespace

TemplateFileRead ReadTemplateFile(const std::filesystem::path& path) {
  TemplateFileRead result;
  if (path.empty()) {
    result.error = "no file named";
    return result;
  }
  // Not a FIFO or device: opening one could block or never end.
  const FileFacts info = LookAtFile(Utf8FromPath(path));
  if (info.error != 0) {
    result.error = ErrorText(info.error);
    return result;
  }
  if (info.directory) {
    result.error = ErrorText(EISDIR);
    return result;
  }
  if (!info.regular) {
    result.error = "not a regular file";
    return result;
  }
  if (info.size > kMaxTemplateBytes) {
    result.error = "too large for a template";
    return result;
  }
  const int fd = OpenFileForReading(Utf8FromPath(path));
  if (fd < 0) {
    result.error = ErrorText(errno);
    return result;
  }
  char buffer[16384];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      result.error = ErrorText(errno);
      ::close(fd);
      result.text.clear();
      return result;
    }
    if (n == 0) break;
    result.text.append(buffer, static_cast<size_t>(n));
    if (result.text.size() > kMaxTemplateBytes) {
      ::close(fd);
      result.text.clear();
      result.error = "too large for a template";
      return result;
    }
  }
  ::close(fd);
  result.ok = true;
  return result;
}

std::string ReadTemplateValue(std::string_view section, std::string_view key, const SettingText& fallback,
                              std::string_view file) {
  std::string result = fallback.Text();
  TemplateState& t = gTemplate;
  if (t.TemplateText.empty()) {
    const TemplateFileRead read = ReadTemplateFile(PathFromUtf8(file.empty() ? std::string_view(t.TemplatePath) : file));
    if (!read.ok) return result;
    t.TemplateText = read.text + "[";
  }
  const std::string_view text = t.TemplateText;
  const std::string header = "[" + std::string(section) + "]";
  const size_t p = text.find(header);
  if (p == std::string_view::npos) return result;
  // The cache always ends in "[", so every section ends at one.
  const size_t q = text.find('[', p + 1);
  const std::string_view body = text.substr(p, q - p);
  const std::string lead = std::string(key) + "=";
  const size_t k = body.find(lead);
  if (k == std::string_view::npos) return result;
  const size_t start = k + lead.size();
  const size_t e = body.find_first_of("\r\n", start);
  if (e == std::string_view::npos) return result;
  return std::string(body.substr(start, e - start));
}

void WriteTemplateValue(std::string_view section, std::string_view key, const SettingText& value,
                        std::string_view file) {
  TemplateState& t = gTemplate;
  if (t.TemplateOutFile < 0 && !t.OutFailed) OpenTemplateOut(file);
  if (section != t.TemplateLastSection) {
    WriteLine("");
    WriteLine("[" + std::string(section) + "]");
    t.TemplateLastSection = std::string(section);
  }
  WriteLine(std::string(key) + "=" + OneLine(value.Text()));
}

void ImportValue(SettingsBatch& batch, std::string_view section, std::string_view key, const SettingText& fallback,
                 std::string_view file) {
  batch.Add(section, key, ReadTemplateValue(section, key, fallback, file));
}

void ExportValue(std::string_view section, std::string_view key, const SettingText& fallback) {
  WriteTemplateValue(section, key, GetSettingStr(section, key, fallback));
}

bool FinishTemplateWrite() {
  TemplateState& t = gTemplate;
  bool ok = !t.OutFailed && t.TemplateOutFile >= 0;
  if (t.TemplateOutFile >= 0) {
    auto failed = [&] {
      if (ok) t.LastWriteError = ErrorText(errno);
      ok = false;
    };
    if (ok && !FlushFile(t.TemplateOutFile)) failed();
    if (::close(t.TemplateOutFile) != 0) failed();
    if (ok && !ReplaceFileWith(t.OutTemporary, t.OutTarget)) failed();
    if (!ok) RemoveFile(t.OutTemporary);
  }
  t.TemplateOutFile = -1;
  t.OutFailed = false;
  t.OutTemporary.clear();
  return ok;
}

void ClearTemplateCache() { gTemplate.TemplateText.clear(); }

std::filesystem::path UserDataFolder() {
  if (const char* own = std::getenv("PYXORA_DATA_HOME"); own && *own) return own;
  return SystemUserDataFolder();
}

}  // namespace pyxora
