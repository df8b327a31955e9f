#include "host/properties_layout.h"

#include <algorithm>
#include <cmath>

#include "effects/fireworks/fireworks_settings.h"
#include "effects/galaxy/galaxy_build.h"
#include "effects/galaxy/galaxy_settings.h"
#include "effects/gravity/gravity_settings.h"
#include "effects/splines/warp.h"
#include "host/properties_fields.h"

namespace pyxora {
namespace {

std::vector<std::string> Names(const auto& array) { return {array.begin(), array.end()}; }

LayoutItem Boxes(const char* array, std::vector<int> indexes) {
  return {LayoutItemKind::Boxes, array, std::move(indexes), {}, {}, {}};
}
LayoutItem Check(const char* name) { return {LayoutItemKind::Check, name, {}, {}, {}, {}}; }
LayoutItem Theme(const char* name) { return {LayoutItemKind::ThemeList, name, {}, {}, "Theme:", {}}; }
LayoutItem Page(std::vector<LayoutItem> items) { return {LayoutItemKind::Page, {}, {}, {}, {}, std::move(items)}; }
LayoutItem Pages(const char* name, std::vector<std::string> names, std::vector<LayoutItem> pages) {
  return {LayoutItemKind::Pages, name, {}, std::move(names), {}, std::move(pages)};
}
// A list labelled as its row in the settings table names it (or `fallback`).
LayoutItem List(const char* name, std::vector<std::string> entries, const char* fallback) {
  const PropertiesControl* control = FindNamedControl(name);
  std::string label = control && !control->label.empty() ? control->label : fallback;
  if (!label.empty() && label.back() != ':') label += ':';
  return {LayoutItemKind::List, name, {}, std::move(entries), std::move(label), {}};
}

std::vector<EffectFrameLayout> BuildLayouts() {
  std::vector<EffectFrameLayout> frames;
  frames.push_back({"fraAni_0", "Fireworks Properties",
                    {Theme("cboFireTheme"), Boxes("txtFire", {0, 1, 2, 3, 4, 5, 6, 7, 8}),
                     Pages("cboFireExtras", Names(kFireworksPageNames),
                           {Page({Boxes("txtFire", {20, 21, 22, 23, 24})}), Page({Boxes("txtFire", {9, 10, 36})}),
                            Page({Boxes("txtFire", {13, 14, 15}), Check("chkMultiMom")}),
                            Page({Boxes("txtFire", {16, 17, 18, 19}), Check("chkJetBurst")}),
                            Page({Boxes("txtFire", {11, 12})}), Page({Boxes("txtFire", {25, 26, 27})}),
                            Page({Boxes("txtFire", {28, 29, 30})}), Page({Boxes("txtFire", {31, 32, 33, 34, 35})}),
                            Page({Boxes("txtFire", {50, 51, 52, 53})})})}});
  frames.push_back({"fraAni_1", "3D Stars [RETIRED]",
                    {{LayoutItemKind::Note, "lblRetired", {}, {}, "The 3D Stars Effect has been Retired.", {}}}});
  frames.push_back({"fraAni_2", "B-Spline Warp Properties",
                    {List("cboWarpType", Names(kWarpTypeNames), "Warp Type"),
                     Boxes("txtWarp", {0, 1, 2, 3, 4, 5, 6, 7, 8}), Check("chkWarpHueLock")}});
  frames.push_back({"fraAni_3", "B-Spline Sparkler Properties",
                    {Boxes("txtSpline", {0, 1, 2, 3, 4, 5, 6, 7, 8}), Check("chkSplineSym")}});
  frames.push_back({"fraAni_4", "Gravity Well Properties",
                    {Theme("cboGravTheme"), Boxes("txtGrav", {0, 1, 2, 3, 4, 5, 6, 7, 8}),
                     List("cboGravColor", Names(kGravityColorNames), "Color Measure"), Boxes("txtGrav", {9, 10}),
                     Check("chkGravStereo")}});
  frames.push_back(
      {"fraAni_5", "Galaxy Properties",
       {Theme("cboGalaxyTheme"),
        Pages("cboGalaxyExtras", Names(kGalaxyGroupNames),
              {Page({Boxes("txtGalaxy", {0, 1, 2, 3, 4, 5, 7, 90, 91, 92, 93, 94, 95}),
                     {LayoutItemKind::HueSwatch, "picGalHue", {}, {}, {}, {}},
                     List("cboGalProfile", Names(kGalaxyProfileNames), "Profile"),
                     List("cboGalColor", Names(kGalaxyColorNames), "Color"),
                     List("cboGalPlane", {kGalaxyPlaneName}, "Plane"),
                     {LayoutItemKind::ProfilePicture, "picGalProfile", {}, {}, {}, {}}}),
               Page({Boxes("txtGalaxy", {10, 11, 12})}), Page({Boxes("txtGalaxy", {20, 21, 22})}),
               Page({Boxes("txtGalaxy", {30, 31, 32, 33})}), Page({Boxes("txtGalaxy", {40, 41, 42, 43, 44, 45, 46})}),
               Page({Boxes("txtGalaxy", {60, 61, 62, 63, 64})})})}});
  return frames;
}

}  // namespace

std::vector<OutlinePoint> ProfileOutline(int profile, int width, int height) {
  const int half = (width - 4) / 2, centreX = width / 2, centreY = height / 2;
  if (half <= 0) return {};
  std::vector<float> heights(static_cast<size_t>(half) + 1);
  float highest = 0;
  for (int i = 0; i <= half; ++i) {
    heights[static_cast<size_t>(i)] = ProfileEnvelope(static_cast<int16_t>(profile), static_cast<float>(i) / half, 1, 1);
    highest = std::max(highest, heights[static_cast<size_t>(i)]);
  }
  std::vector<OutlinePoint> points;
  if (highest <= 0) return points;
  const float scale = static_cast<float>(centreY - 3) / highest;
  for (int i = 0; i <= half; ++i) {
    const int dy = static_cast<int>(std::lround(heights[static_cast<size_t>(i)] * scale));
    for (int side : {-1, 1}) {
      points.push_back({centreX + side * i, centreY - dy});
      points.push_back({centreX + side * i, centreY + dy});
    }
  }
  return points;
}

const std::vector<EffectFrameLayout>& EffectFrameLayouts() {
  static const std::vector<EffectFrameLayout> layouts = BuildLayouts();
  return layouts;
}

}  // namespace pyxora
