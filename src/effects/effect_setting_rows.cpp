// The effects' settings tables seen through one row type, so code that handles every
// effect's keys alike (templates, migration, factory values) needs no effect's record.
#include <initializer_list>
#include <string_view>
#include <vector>

#include "effects/effect_table.h"
#include "effects/fireworks/fireworks_settings.h"
#include "effects/galaxy/galaxy_settings.h"
#include "effects/gravity/gravity_settings.h"
#include "effects/splines/sparklers.h"
#include "effects/splines/warp.h"

namespace pyxora {

namespace {

// A setting with no text box: the check box or list that edits it.
struct OtherControl {
  const char* key;
  SettingControl control;
  const char* name;
};

template <class Record, size_t N>
std::vector<EffectSettingRow> RowsOf(const std::array<SettingField<Record>, N>& fields, const char* boxArray,
                                     std::initializer_list<OtherControl> others,
                                     std::initializer_list<int> order = {},
                                     std::initializer_list<int> notRestored = {}) {
  std::vector<EffectSettingRow> rows;
  auto add = [&](int i) {
    const SettingField<Record>& field = fields[static_cast<size_t>(i)];
    EffectSettingRow row{field.key, field.getter, field.defaultValue, SettingControl::Box, boxArray,
                         field.box.index};
    for (const OtherControl& other : others)
      if (std::string_view(other.key) == field.key) {
        row.control = other.control;
        row.controlName = other.name;
        row.boxIndex = -1;
      }
    for (const int skipped : notRestored) row.readFromTemplate = row.readFromTemplate && skipped != i;
    rows.push_back(row);
  };
  if (order.size() == 0) {
    for (size_t i = 0; i < N; ++i) add(static_cast<int>(i));
  } else {
    for (const int i : order) add(i);
  }
  return rows;
}

}  // namespace

std::span<const EffectSettingRow> EffectSettingRows(int16_t index) {
  static const std::vector<EffectSettingRow> fireworks = RowsOf(
      kFireworksFields, "txtFire",
      {{kFireworksFields[kFireworksCheckBoxes[0].row].key, SettingControl::Check, kFireworksCheckBoxes[0].name},
       {kFireworksFields[kFireworksCheckBoxes[1].row].key, SettingControl::Check, kFireworksCheckBoxes[1].name}});
  // Templates list the warp type after the lock percent.
  static const std::vector<EffectSettingRow> warp =
      RowsOf(kWarpFields, "txtWarp",
             {{"Warp_Type", SettingControl::List, "cboWarpType"},
              {"Warp_HueLock", SettingControl::Check, "chkWarpHueLock"}},
             {0, 1, 2, 3, 4, 5, 6, 7, 9, 8, 10});
  static const std::vector<EffectSettingRow> sparklers =
      RowsOf(kSparklerFields, "txtSpline", {{"B_Spline_Symmetry", SettingControl::Check, "chkSplineSym"}});
  // The stereo pair is saved in templates but never restored from one.
  static const std::vector<EffectSettingRow> gravity =
      RowsOf(kGravityFields, "txtGrav",
             {{"Grav_ColorComp", SettingControl::List, "cboGravColor"},
              {"Grav_StereoOn", SettingControl::Check, "chkGravStereo"}},
             {}, {9, 10, 12});
  static const std::vector<EffectSettingRow> galaxy =
      RowsOf(kGalaxyFields, "txtGalaxy",
             {{"Galaxy_ColorComp", SettingControl::List, "cboGalColor"},
              {"Galaxy_Profile", SettingControl::List, "cboGalProfile"}});
  switch (index) {
    case 0: return fireworks;
    case 2: return warp;
    case 3: return sparklers;
    case 4: return gravity;
    case 5: return galaxy;
    default: return {};
  }
}

}  // namespace pyxora
