// The few POSIX calls the shared core tests make, for their Windows build (put in front
// of every test file). Tests that need real POSIX processes, FIFOs or device files are
// not built or are filtered out there, each with its reason (cmake/windows.cmake).
#pragma once

#ifdef __cplusplus
#include <direct.h>
#include <io.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

inline int setenv(const char* name, const char* value, int /*overwrite*/) { return _putenv_s(name, value); }
inline int setenv(const char* name, const wchar_t* value, int) {  // a path's c_str() there
  wchar_t wide[256] = {};
  for (size_t i = 0; name[i] && i < 255; ++i) wide[i] = static_cast<wchar_t>(name[i]);
  return _wputenv_s(wide, value);
}
inline int unsetenv(const char* name) { return _putenv_s(name, ""); }
inline char* mkdtemp(char* pattern) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    const size_t n = std::strlen(pattern);
    for (size_t i = n - 6; i < n; ++i) pattern[i] = 'X';
    if (_mktemp_s(pattern, n + 1) != 0) return nullptr;
    if (_mkdir(pattern) == 0) return pattern;
    if (errno != EEXIST) return nullptr;
  }
  return nullptr;
}
#endif
