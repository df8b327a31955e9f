#include "settings/overlay_store.h"

#include "settings/settings.h"

namespace pyxora {

void OverlayStore::Override(std::string_view section, std::string_view key, std::string_view value) {
  overrides_.Set(SettingsKeyPath(section), key, value);
}

std::optional<std::string> OverlayStore::Read(int16_t root, std::string_view keyPath, std::string_view name) {
  if (root == kUserRoot) {
    if (auto value = overrides_.Get(keyPath, name)) return value;
  }
  return inner_ ? inner_->Read(root, keyPath, name) : std::nullopt;
}

bool OverlayStore::Write(int16_t root, std::string_view keyPath, std::string_view name, std::string_view value) {
  return inner_ && inner_->Write(root, keyPath, name, value);
}

StoreWriteResult OverlayStore::WriteBatch(int16_t root, const std::vector<StoreValue>& values) {
  if (!inner_) return {false, "no store to write to"};
  return inner_->WriteBatch(root, values);
}

SettingsDocument OverlayStore::Snapshot(int16_t root) { return inner_ ? inner_->Snapshot(root) : SettingsDocument{}; }

}  // namespace pyxora
