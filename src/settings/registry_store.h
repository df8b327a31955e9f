// The settings store of the Windows program: the registry itself. Root 0 is
// HKEY_LOCAL_MACHINE, 1 HKEY_CURRENT_USER, 2 HKEY_CLASSES_ROOT and any other HKEY_USERS;
// values are REG_SZ, UTF-16 in the registry and UTF-8 here.
#pragma once

#include <string>

#include "settings/store.h"

struct HKEY__;  // an open registry key (HKEY), without the Windows headers

namespace pyxora {

class RegistryStore : public SettingsStore {
 public:
  std::optional<std::string> Read(int16_t root, std::string_view keyPath, std::string_view name) override;
  bool Write(int16_t root, std::string_view keyPath, std::string_view name, std::string_view value) override;
  // All or none as far as the registry allows: a refused value puts back the ones the
  // batch already changed; a process killed half-way leaves the values written so far.
  StoreWriteResult WriteBatch(int16_t root, const std::vector<StoreValue>& values) override;
  // Every key under SOFTWARE\Pyxora, by its full path.
  SettingsDocument Snapshot(int16_t root) override;
  std::string Location(int16_t root) const override;

 protected:
  // The one place the store sets a value (a Windows error code, 0 for success): tests
  // put faults in here.
  virtual long SetValue(HKEY__* key, const std::wstring& name, std::string_view value);
};

}  // namespace pyxora
