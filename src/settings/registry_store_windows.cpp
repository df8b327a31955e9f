#include <windows.h>

#include <vector>

#include "base/system.h"
#include "settings/registry_store.h"

namespace pyxora {
namespace {

constexpr const wchar_t* kProductKey = L"SOFTWARE\\Pyxora";

HKEY RootKey(int16_t root) {
  switch (root) {
    case kMachineRoot: return HKEY_LOCAL_MACHINE;
    case kUserRoot: return HKEY_CURRENT_USER;
    case 2: return HKEY_CLASSES_ROOT;
    default: return HKEY_USERS;
  }
}

// Closes the key however the function that opened it returns.
class OpenKey {
 public:
  OpenKey(HKEY root, const std::wstring& path, REGSAM access) {
    if (RegOpenKeyExW(root, path.c_str(), 0, access, &key_) != ERROR_SUCCESS) key_ = nullptr;
  }
  OpenKey(HKEY key) : key_(key) {}
  ~OpenKey() {
    if (key_) RegCloseKey(key_);
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

// A value's bytes as text, whatever its type: a string loses its one closing zero.
std::optional<std::string> QueryText(HKEY key, const wchar_t* name) {
  DWORD bytes = 0;
  if (RegQueryValueExW(key, name, nullptr, nullptr, nullptr, &bytes) != ERROR_SUCCESS) return std::nullopt;
  std::vector<wchar_t> data(bytes / sizeof(wchar_t) + 1, L'\0');
  if (RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()), &bytes) != ERROR_SUCCESS)
    return std::nullopt;
  size_t length = bytes / sizeof(wchar_t);
  if (length > 0 && data[length - 1] == L'\0') --length;
  return Utf8FromWide(std::wstring_view(data.data(), length));
}

void Gather(HKEY key, const std::wstring& path, SettingsDocument& doc) {
  const std::string section = Utf8FromWide(path);
  std::vector<wchar_t> name(16384);
  for (DWORD i = 0;; ++i) {
    DWORD length = static_cast<DWORD>(name.size());
    if (RegEnumValueW(key, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    const std::wstring valueName(name.data(), length);
    if (const auto text = QueryText(key, valueName.c_str())) doc.Set(section, Utf8FromWide(valueName), *text);
  }
  for (DWORD i = 0;; ++i) {
    DWORD length = static_cast<DWORD>(name.size());
    if (RegEnumKeyExW(key, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    const std::wstring child(name.data(), length);
    const OpenKey sub(key, child, KEY_READ);
    if (sub.get()) Gather(sub.get(), path + L"\\" + child, doc);
  }
}

}  // namespace

std::optional<std::string> RegistryStore::Read(int16_t root, std::string_view keyPath, std::string_view name) {
  // Read access only: a user who may not change the machine-wide key may still read it.
  const OpenKey key(RootKey(root), WideFromUtf8(keyPath), KEY_QUERY_VALUE);
  if (!key.get()) return std::nullopt;
  return QueryText(key.get(), WideFromUtf8(name).c_str());
}

bool RegistryStore::Write(int16_t root, std::string_view keyPath, std::string_view name, std::string_view value) {
  HKEY created = nullptr;
  wchar_t keyClass[] = L"REG_SZ";
  if (RegCreateKeyExW(RootKey(root), WideFromUtf8(keyPath).c_str(), 0, keyClass, 0, KEY_ALL_ACCESS, nullptr,
                      &created, nullptr) != ERROR_SUCCESS)
    return false;
  const OpenKey key(created);
  const std::wstring text = WideFromUtf8(value);
  const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(key.get(), WideFromUtf8(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                        bytes) == ERROR_SUCCESS;
}

SettingsDocument RegistryStore::Snapshot(int16_t root) {
  SettingsDocument doc;
  const OpenKey key(RootKey(root), kProductKey, KEY_READ);
  if (key.get()) Gather(key.get(), kProductKey, doc);
  return doc;
}

std::string RegistryStore::Location(int16_t root) const {
  static const char* const kRoots[] = {"HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER", "HKEY_CLASSES_ROOT", "HKEY_USERS"};
  return std::string(kRoots[root >= 0 && root <= 2 ? root : 3]) + "\\SOFTWARE\\Pyxora";
}

namespace {
std::unique_ptr<SettingsStore>& StoreSlot() {
  static std::unique_ptr<SettingsStore> store;
  return store;
}
}  // namespace

SettingsStore& CurrentStore() {
  auto& slot = StoreSlot();
  if (!slot) slot = std::make_unique<RegistryStore>();
  return *slot;
}

void SetCurrentStore(std::unique_ptr<SettingsStore> store) { StoreSlot() = std::move(store); }

}  // namespace pyxora
