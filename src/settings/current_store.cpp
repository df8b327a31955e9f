#include "settings/store.h"

namespace pyxora {
namespace {
std::unique_ptr<SettingsStore>& StoreSlot() {
  static std::unique_ptr<SettingsStore> store;
  return store;
}
}  // namespace

SettingsStore& CurrentStore() {
  auto& slot = StoreSlot();
  if (!slot) slot = PlatformStore();
  return *slot;
}

void SetCurrentStore(std::unique_ptr<SettingsStore> store) { StoreSlot() = std::move(store); }

}  // namespace pyxora
