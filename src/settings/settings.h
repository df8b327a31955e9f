// Typed access to the settings store. Every read takes a default that it returns when
// the value is absent, unreadable, too long or not a number; writes report success.
#pragma once

#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/store.h"

namespace pyxora {

inline constexpr const char* kAppName = "PXRA_SS";

// The longest stored text that reads back; longer texts read as the default.
inline constexpr size_t kMaxSettingText = 127;

// "Any value" handed to a read as default or to a write: text, or a number written as text.
class SettingText {
 public:
  SettingText(std::string_view text) : text_(text) {}
  SettingText(const char* text) : text_(text ? text : "") {}
  SettingText(const std::string& text) : text_(text) {}
  template <std::integral Int>
    requires(!std::same_as<Int, bool> && !std::same_as<Int, char>)
  SettingText(Int value) : text_(std::to_string(value)) {}
  SettingText(float value);
  SettingText(double value);
  SettingText(bool) = delete;  // True is -1 here; say which number is meant

  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

std::string SettingsKeyPath(std::string_view section, std::string_view app = kAppName);

std::string ReadSettingText(std::string_view section, std::string_view key, const SettingText& fallback,
                            int16_t store = kUserRoot, std::string_view app = kAppName);
bool SaveSettingStr(std::string_view section, std::string_view key, const SettingText& value,
                    int16_t store = kUserRoot, std::string_view app = kAppName);

std::string GetSettingStr(std::string_view section, std::string_view key, const SettingText& fallback,
                          int16_t store = kUserRoot, std::string_view app = kAppName);
int16_t GetSettingInt(std::string_view section, std::string_view key, int16_t fallback,
                      int16_t store = kUserRoot, std::string_view app = kAppName);
int32_t GetSettingLng(std::string_view section, std::string_view key, int32_t fallback,
                      int16_t store = kUserRoot, std::string_view app = kAppName);
float GetSettingDbl(std::string_view section, std::string_view key, float fallback,
                    int16_t store = kUserRoot, std::string_view app = kAppName);

// Settings gathered to reach the store in one write, all or none; each text trimmed
// as SaveSettingStr trims it.
class SettingsBatch {
 public:
  void Add(std::string_view section, std::string_view key, const SettingText& value);
  StoreWriteResult Save(int16_t store = kUserRoot) const;

 private:
  std::vector<StoreValue> values_;
};

// Writes General/TestRegWrite and reads it back; tells the user when that fails.
bool TestRegistryWrite();

// A value outside the program's own key (the system password flag). There is
// nothing of the kind to read on Linux, so this gives the empty text unless a
// store holds such a value.
std::string ReadSystemValue(int16_t root, std::string_view keyPath, std::string_view valueName);

// The text of the write-test failure, shown with the product name as title; it names
// the platform's store (the settings file, the registry).
extern const char* const kReadOnlyStoreMessage;

}  // namespace pyxora
