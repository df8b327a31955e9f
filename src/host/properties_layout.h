// How the Properties window arranges each effect's frame: which boxes, lists and check
// boxes stand in it, in what order, and which of them sit on the pages of a paged
// group. Both platform sides build their frames from this, so a box appears in one
// place whichever toolkit draws it.
#pragma once

#include <string>
#include <vector>

namespace pyxora {

enum class LayoutItemKind {
  ThemeList,       // the effect's theme list ("cboFireTheme", ...), its label "Theme:"
  List,            // a list of the effect's rows, its entries from the effect
  Boxes,           // rows of label, box and spinner of `name`'s array
  Check,           // a check box of the effect's rows
  Pages,           // a list choosing one of `children` (each a Page) to show
  Page,            // the items of one page, in `children`
  HueSwatch,       // the swatch of the galaxy hue box
  ProfilePicture,  // the outline of the chosen galaxy profile
  Note,            // a line of text
};

struct LayoutItem {
  LayoutItemKind kind = LayoutItemKind::Boxes;
  std::string name;               // control or box-array name
  std::vector<int> boxes;         // Boxes: indexes in the array
  std::vector<std::string> entries;  // List and Pages: what the list offers
  std::string label;              // ThemeList, List: the label before it; Note: the text
  std::vector<LayoutItem> children;  // Pages: its pages; Page: its items
};

struct EffectFrameLayout {
  std::string frameName;  // "fraAni_0", ...
  std::string caption;    // "Fireworks Properties", ...
  std::vector<LayoutItem> items;
};

// One frame per entry of the effect list, in its order.
const std::vector<EffectFrameLayout>& EffectFrameLayouts();

struct OutlinePoint {
  int x, y;
};
// picGalProfile: the outline of galaxy profile `profile` in a `width` x `height` picture,
// the galaxy's envelope over its radius on both sides of the axis, scaled to fill the
// height but 3 pixels, inside a 2-pixel margin. Empty for a profile with no height.
std::vector<OutlinePoint> ProfileOutline(int profile, int width, int height);

}  // namespace pyxora
