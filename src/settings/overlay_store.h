// Values given for one run only (the hack's command-line options): read in place of
// the stored ones, never written anywhere. Everything else goes to the store beneath.
#pragma once

#include <memory>

#include "settings/store.h"

namespace pyxora {

class OverlayStore : public SettingsStore {
 public:
  explicit OverlayStore(std::unique_ptr<SettingsStore> inner) : inner_(std::move(inner)) {}

  // A per-user value of the program's own key, as GetSetting* address it.
  void Override(std::string_view section, std::string_view key, std::string_view value);

  std::optional<std::string> Read(int16_t root, std::string_view keyPath, std::string_view name) override;
  bool Write(int16_t root, std::string_view keyPath, std::string_view name, std::string_view value) override;
  StoreWriteResult WriteBatch(int16_t root, const std::vector<StoreValue>& values) override;
  SettingsDocument Snapshot(int16_t root) override;

 private:
  std::unique_ptr<SettingsStore> inner_;
  SettingsDocument overrides_;
};

}  // namespace pyxora
