#include <windows.h>

#include <cwchar>
#include <map>
#include <memory>
#include <vector>

#include "base/system.h"
#include "settings/registry_store.h"
#include "settings/settings.h"

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

const char* RootName(int16_t root) {
  static const char* const kRoots[] = {"HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER", "HKEY_CLASSES_ROOT", "HKEY_USERS"};
  return kRoots[root >= 0 && root <= 2 ? root : 3];
}

// The system's words for a failed registry call, without the closing full stop.
std::string ReasonText(LONG status) {
  wchar_t* text = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, static_cast<DWORD>(status), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring reason = length ? std::wstring(text, length) : L"error " + std::to_wstring(status);
  if (text) LocalFree(text);
  while (!reason.empty() && std::wcschr(L" .\r\n", reason.back())) reason.pop_back();
  return Utf8FromWide(reason);
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

// A value as it was before a batch changed it: its type and bytes, or that it was absent.
struct EarlierValue {
  HKEY key = nullptr;
  std::wstring name;
  bool existed = false;
  DWORD type = 0;
  std::vector<BYTE> data;

  static EarlierValue Of(HKEY key, const std::wstring& name) {
    EarlierValue was;
    was.key = key;
    was.name = name;
    DWORD bytes = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &was.type, nullptr, &bytes) != ERROR_SUCCESS) return was;
    was.data.resize(bytes);
    was.existed = RegQueryValueExW(key, name.c_str(), nullptr, &was.type, was.data.data(), &bytes) == ERROR_SUCCESS;
    was.data.resize(bytes);
    return was;
  }
  void PutBack() const {
    if (existed)
      RegSetValueExW(key, name.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size()));
    else
      RegDeleteValueW(key, name.c_str());
  }
};

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
  return WriteBatch(root, {{std::string(keyPath), std::string(name), std::string(value)}}).ok;
}

// The registry changes one value at a time. Every key is opened before any value is
// written, and each value's earlier state is kept, so a write the registry refuses puts
// back what the batch had already changed.
StoreWriteResult RegistryStore::WriteBatch(int16_t root, const std::vector<StoreValue>& values) {
  auto refused = [&](const std::string& keyPath, LONG status) {
    return StoreWriteResult{false, "cannot write " + std::string(RootName(root)) + "\\" + keyPath + ": " +
                                       ReasonText(status)};
  };
  std::map<std::string, std::unique_ptr<OpenKey>> keys;
  for (const StoreValue& v : values) {
    auto& key = keys[v.keyPath];
    if (key) continue;
    HKEY created = nullptr;
    wchar_t keyClass[] = L"REG_SZ";
    const LONG status = RegCreateKeyExW(RootKey(root), WideFromUtf8(v.keyPath).c_str(), 0, keyClass, 0,
                                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &created, nullptr);
    if (status != ERROR_SUCCESS) return refused(v.keyPath, status);
    key = std::make_unique<OpenKey>(created);
  }
  std::vector<EarlierValue> earlier;
  for (const StoreValue& v : values) {
    const HKEY key = keys[v.keyPath]->get();
    const std::wstring name = WideFromUtf8(v.name);
    earlier.push_back(EarlierValue::Of(key, name));
    const LONG status = SetValue(key, name, v.value);
    if (status != ERROR_SUCCESS) {
      // Newest first, so a value the batch wrote twice ends as it was before the batch.
      for (auto it = earlier.rbegin(); it != earlier.rend(); ++it) it->PutBack();
      return refused(v.keyPath, status);
    }
  }
  return {true, ""};
}

long RegistryStore::SetValue(HKEY__* key, const std::wstring& name, std::string_view value) {
  const std::wstring text = WideFromUtf8(value);
  const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), bytes);
}

SettingsDocument RegistryStore::Snapshot(int16_t root) {
  SettingsDocument doc;
  const OpenKey key(RootKey(root), kProductKey, KEY_READ);
  if (key.get()) Gather(key.get(), kProductKey, doc);
  return doc;
}

std::string RegistryStore::Location(int16_t root) const { return std::string(RootName(root)) + "\\SOFTWARE\\Pyxora"; }

const char* const kReadOnlyStoreMessage =
    "The Registry is read-only.\r\n\r\n"
    "The Property settings cannot be saved.\r\n"
    "You must change your Windows User Privileges so that programs \r\n"
    "can write to the Registry.  See your System Administrator for assistance.";

std::unique_ptr<SettingsStore> PlatformStore() { return std::make_unique<RegistryStore>(); }

}  // namespace pyxora
