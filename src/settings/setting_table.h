// An effect's settings declared once: key, getter, record field, default and the
// Properties box that edits it. Loaders, templates, factory values and the dialog
// fields all read the same rows, so a key and its default live in one place.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
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

// Which Properties control edits a setting: a numeric box, a check box or a list.
enum class SettingControl : uint8_t { Box, Check, List };

// One row seen without its record type, for code that handles every effect alike:
// templates, migration, factory values, the hack's command-line options and the
// XScreenSaver settings file.
struct SettingRowInfo {
  const char* key = "";
  SettingGetter getter = SettingGetter::Int;
  float defaultValue = 0;
  SettingBox box{};
  const char* label = "";
  bool boolean = false;  // a check box: on for any non-zero value
  SettingControl control = SettingControl::Box;
  const char* controlName = "";  // the box array ("txtGrav", indexed by box.index), check box or list
  bool readFromTemplate = true;  // false: written to templates but never restored
};

// A setting with no text box: the check box or list that edits it.
struct OtherControl {
  const char* key;
  SettingControl control;
  const char* name;
};

// The rows of `fields`, edited by the boxes of `boxArray` unless `others` names their
// control; in the order of `order` when given (the order templates list them). The
// rows numbered in `notRestored` are written to templates but never read back.
template <class Record>
std::vector<SettingRowInfo> DescribeSettingFields(std::span<const SettingField<Record>> fields, const char* boxArray,
                                                  std::initializer_list<OtherControl> others = {},
                                                  std::initializer_list<int> order = {},
                                                  std::initializer_list<int> notRestored = {}) {
  std::vector<SettingRowInfo> rows;
  rows.reserve(fields.size());
  auto add = [&](size_t i) {
    const SettingField<Record>& field = fields[i];
    const bool boolean = std::holds_alternative<bool Record::*>(field.member);
    SettingRowInfo row{field.key, field.getter, field.defaultValue, field.box, field.label, boolean};
    row.controlName = boxArray;
    for (const OtherControl& other : others)
      if (std::string_view(other.key) == field.key) {
        row.control = other.control;
        row.controlName = other.name;
      }
    for (const int skipped : notRestored) row.readFromTemplate = row.readFromTemplate && static_cast<size_t>(skipped) != i;
    rows.push_back(row);
  };
  if (order.size() == 0) {
    for (size_t i = 0; i < fields.size(); ++i) add(i);
  } else {
    for (const int i : order) add(static_cast<size_t>(i));
  }
  return rows;
}

// Writes `value` into the row's field: a Boolean is on for any non-zero value, a
// whole number saturates and rounds half to even, a single keeps within its range
// (NaN becomes 0).
template <class Record>
void SetSettingField(const SettingField<Record>& field, Record& record, double value) {
  std::visit(
      [&](auto member) {
        using T = std::remove_reference_t<decltype(record.*member)>;
        if constexpr (std::is_same_v<T, bool>) {
          record.*member = value != 0;
        } else if constexpr (std::is_same_v<T, float>) {
          constexpr double kMax = std::numeric_limits<float>::max();
          record.*member = std::isnan(value) ? 0.0f : static_cast<float>(ClampValue(value, -kMax, kMax));
        } else {
          record.*member = SaturatingRound<T>(value);
        }
      },
      field.member);
}

// The record as the rows' defaults fill it.
template <class Record>
Record SettingDefaults(std::span<const SettingField<Record>> fields) {
  Record record;
  for (const SettingField<Record>& field : fields) SetSettingField(field, record, field.defaultValue);
  return record;
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
    SetSettingField(field, record, value);
  }
}

}  // namespace pyxora
