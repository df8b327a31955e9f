#include "settings/store.h"

namespace pyxora {

namespace {
bool IsAddressable(int16_t root) { return root == kMachineRoot || root == kUserRoot; }
}  // namespace

std::optional<std::string> MemoryStore::Read(int16_t root, std::string_view keyPath, std::string_view name) {
  if (!IsAddressable(root)) return std::nullopt;
  return roots_[root].Get(keyPath, name);
}

bool MemoryStore::Write(int16_t root, std::string_view keyPath, std::string_view name, std::string_view value) {
  if (readOnly_ || !IsAddressable(root)) return false;
  roots_[root].Set(keyPath, name, value);
  return true;
}

StoreWriteResult MemoryStore::WriteBatch(int16_t root, const std::vector<StoreValue>& values) {
  if (readOnly_ || !IsAddressable(root)) return {false, "the store is read-only"};
  for (const StoreValue& v : values) roots_[root].Set(v.keyPath, v.name, v.value);
  return {true, ""};
}

SettingsDocument MemoryStore::Snapshot(int16_t root) {
  if (!IsAddressable(root)) return {};
  return roots_[root];
}

}  // namespace pyxora
