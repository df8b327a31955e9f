// The settings store of the Windows program: the registry itself. Root 0 is
// HKEY_LOCAL_MACHINE, 1 HKEY_CURRENT_USER, 2 HKEY_CLASSES_ROOT and any other HKEY_USERS;
// values are REG_SZ, UTF-16 in the registry and UTF-8 here.
#pragma once

#include "settings/store.h"

namespace pyxora {

class RegistryStore : public SettingsStore {
 public:
  std::optional<std::string> Read(int16_t root, std::string_view keyPath, std::string_view name) override;
  bool Write(int16_t root, std::string_view keyPath, std::string_view name, std::string_view value) override;
  // Every key under SOFTWARE\Pyxora, by its full path.
  SettingsDocument Snapshot(int16_t root) override;
  std::string Location(int16_t root) const override;
};

}  // namespace pyxora
