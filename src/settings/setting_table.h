// An effect's settings declared once: key, getter, record field, default and the
// Properties box that edits it. Loaders, templates, factory values and the dialog
// fields all read the same rows, so a key and its default live in one place.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <span>
#include <string_view>
#include <variant>
#include <vector>

#include "base/numeric.h"
#include "settings/settings.h"

namespace pyxora {

// Which typed getter reads the stored text.
enum class SettingGetter { Int, Lng, Dbl };

// How the Properties window clamps the box when it loses focus (ClampTextBox kinds).
struct SettingBox {
  int index = -1;  // index in the effect's text-box array; -1 when edited elsewhere
  int kind = 0;    // 0 16-bit, 1 single, 2 32-bit
  float lo = 0, hi = 0;
  float step = 1;     // arrow-key and spinner step
  int maxLength = 0;  // characters the box accepts
};

template <class Record>
struct SettingField {
  using Member = std::variant<int16_t Record::*, int32_t Record::*, float Record::*, bool Record::*>;
  const char* key;
  SettingGetter getter;
  Member member;
  float defaultValue;
  SettingBox box{};
  const char* label = "";
};

// One row seen without its record type: what code outside the effect needs to know
// (the hack's command-line options, the XScreenSaver config generated from the rows).
struct SettingRowInfo {
  const char* key = "";
  SettingGetter getter = SettingGetter::Int;
  float defaultValue = 0;
  SettingBox box{};
  const char* label = "";
  bool boolean = false;  // a check box: on for any non-zero value
};

template <class Record>
std::vector<SettingRowInfo> DescribeSettingFields(std::span<const SettingField<Record>> fields) {
  std::vector<SettingRowInfo> rows;
  rows.reserve(fields.size());
  for (const SettingField<Record>& field : fields) {
    const bool boolean = std::holds_alternative<bool Record::*>(field.member);
    rows.push_back({field.key, field.getter, field.defaultValue, field.box, field.label, boolean});
  }
  return rows;
}

// Reads every row of `fields` from `section` into `record` with its getter and default.
// A Boolean field is on for any non-zero stored value.
template <class Record>
void LoadSettingFields(std::string_view section, std::span<const SettingField<Record>> fields, Record& record) {
  for (const SettingField<Record>& field : fields) {
    double value = 0;
    switch (field.getter) {
      case SettingGetter::Int:
        value = GetSettingInt(section, field.key, static_cast<int16_t>(field.defaultValue));
        break;
      case SettingGetter::Lng:
        value = GetSettingLng(section, field.key, static_cast<int32_t>(field.defaultValue));
        break;
      case SettingGetter::Dbl:
        value = GetSettingDbl(section, field.key, field.defaultValue);
        break;
    }
    std::visit(
        [&](auto member) {
          using T = std::remove_reference_t<decltype(record.*member)>;
          if constexpr (std::is_same_v<T, bool>) {
            record.*member = value != 0;
          } else if constexpr (std::is_integral_v<T>) {
            // A wide getter feeding a narrow field saturates instead of wrapping; a
            // decimal getter feeding a whole-number field rounds half to even.
            record.*member = SaturatingRound<T>(value);
          } else {
            record.*member = static_cast<T>(value);
          }
        },
        field.member);
  }
}

}  // namespace pyxora
