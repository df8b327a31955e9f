#include "settings/settings.h"

#include <cmath>
#include <limits>
#include <optional>

#include "base/number_text.h"
#include "base/numeric.h"
#include "settings/user_message.h"

namespace pyxora {

SettingText::SettingText(float value) : text_(FormatNumber(value)) {}
SettingText::SettingText(double value) : text_(FormatNumber(value)) {}

std::string SettingsKeyPath(std::string_view section, std::string_view app) {
  std::string path = "SOFTWARE\\Pyxora\\";
  path += app;
  path += '\\';
  path += section;
  return path;
}

std::string ReadSettingText(std::string_view section, std::string_view key, const SettingText& fallback,
                            int16_t store, std::string_view app) {
  const auto value = CurrentStore().Read(store, SettingsKeyPath(section, app), key);
  if (!value || value->size() > kMaxSettingText) return fallback.Text();
  return *value;
}

bool SaveSettingStr(std::string_view section, std::string_view key, const SettingText& value, int16_t store,
                    std::string_view app) {
  return CurrentStore().Write(store, SettingsKeyPath(section, app), key, TrimBlanks(value.Text()));
}

void SettingsBatch::Add(std::string_view section, std::string_view key, const SettingText& value) {
  values_.push_back({SettingsKeyPath(section), std::string(key), TrimBlanks(value.Text())});
}

StoreWriteResult SettingsBatch::Save(int16_t store) const { return CurrentStore().WriteBatch(store, values_); }

std::string GetSettingStr(std::string_view section, std::string_view key, const SettingText& fallback,
                          int16_t store, std::string_view app) {
  return ReadSettingText(section, key, fallback, store, app);
}

namespace {

// The stored text as a number; a number that does not fit the target gives 0.
template <class Int>
Int ReadWhole(std::string_view section, std::string_view key, Int fallback, int16_t store, std::string_view app) {
  const auto number = ParseNumericText(ReadSettingText(section, key, fallback, store, app));
  if (!number) return fallback;
  return ToInteger<Int>(*number).value_or(0);
}

}  // namespace

int16_t GetSettingInt(std::string_view section, std::string_view key, int16_t fallback, int16_t store,
                      std::string_view app) {
  return ReadWhole<int16_t>(section, key, fallback, store, app);
}

int32_t GetSettingLng(std::string_view section, std::string_view key, int32_t fallback, int16_t store,
                      std::string_view app) {
  return ReadWhole<int32_t>(section, key, fallback, store, app);
}

float GetSettingDbl(std::string_view section, std::string_view key, float fallback, int16_t store,
                    std::string_view app) {
  const auto number = ParseNumericText(ReadSettingText(section, key, fallback, store, app));
  if (!number) return fallback;
  if (!std::isfinite(*number) || std::fabs(*number) > std::numeric_limits<float>::max()) return 0.0f;
  return static_cast<float>(*number);
}

bool TestRegistryWrite() {
  SaveSettingStr("General", "TestRegWrite", 1);
  if (GetSettingInt("General", "TestRegWrite", 0) == 1) return true;
  ShowUserMessage(UserMessageKind::Exclamation, "Pyxora", kReadOnlyStoreMessage);
  return false;
}

std::string ReadSystemValue(int16_t root, std::string_view keyPath, std::string_view valueName) {
  const auto value = CurrentStore().Read(root, keyPath, valueName);
  if (!value || value->size() > 254) return "";
  return *value;
}

}  // namespace pyxora
