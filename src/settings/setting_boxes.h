// Filling an effect's settings record from the Properties boxes of its table rows,
// so a preview shows the fields as typed, before they are saved.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <type_traits>

#include "base/number_text.h"
#include "base/numeric.h"
#include "settings/properties_model.h"
#include "settings/setting_table.h"

namespace pyxora {

// For every row with a box: the box's text read leniently with "0" put in front
// ("12abc" is 12, "" is 0, "-5" is 0), clamped to the box's range, stored in the field.
// Whole-number fields round to nearest, halves to even, after clamping.
template <class Record>
void ReadSettingBoxes(const PropertiesModel& props, std::string_view boxArray,
                      std::span<const SettingField<Record>> fields, Record& record) {
  for (const SettingField<Record>& field : fields) {
    if (field.box.index < 0) continue;
    const double value = ValOfBoxText(props.Text(boxArray, field.box.index));
    std::visit(
        [&](auto member) {
          using T = std::remove_reference_t<decltype(record.*member)>;
          if constexpr (std::is_same_v<T, float>) {
            record.*member = ClampSng(static_cast<float>(value), field.box.lo, field.box.hi);
          } else if constexpr (std::is_same_v<T, bool>) {
            record.*member = value != 0;
          } else {
            const double clamped = ClampValue<double>(value, field.box.lo, field.box.hi);
            record.*member = static_cast<T>(RoundHalfEven(clamped));
          }
        },
        field.member);
  }
}

}  // namespace pyxora
