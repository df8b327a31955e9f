// The settings file is the Linux store and is not built for Windows; the one shared test
// that makes one is filtered out there (cmake/windows.cmake). These only let it link.
#include <cstdlib>

#include "settings/store.h"

namespace pyxora {

FileStore::FileStore(std::filesystem::path, std::filesystem::path) { std::abort(); }
std::optional<std::string> FileStore::Read(int16_t, std::string_view, std::string_view) { std::abort(); }
bool FileStore::Write(int16_t, std::string_view, std::string_view, std::string_view) { std::abort(); }
StoreWriteResult FileStore::WriteBatch(int16_t, const std::vector<StoreValue>&) { std::abort(); }
SettingsDocument FileStore::Snapshot(int16_t) { std::abort(); }
std::filesystem::path FileStore::FileFor(int16_t) const { std::abort(); }
FileStore::FileRead FileStore::ReadFile(const std::filesystem::path&) { std::abort(); }

}  // namespace pyxora
