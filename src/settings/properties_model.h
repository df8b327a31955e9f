// The Properties window's state as plain data: the text of every box by control
// array and index, the check boxes and the list indices. Preview entries, templates
// and factory values work on this, never on widgets.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>

namespace pyxora {

struct PropertiesModel {
  int16_t SelectedEffect = 0;
  std::map<std::pair<std::string, int>, std::string> Boxes;  // ("txtGrav", 3) -> "15"
  std::map<std::string, bool> Checks;                         // "chkGravStereo" -> ticked
  std::map<std::string, int> Lists;                           // "cboGravColor" -> index

  std::string Text(std::string_view array, int index) const {
    const auto it = Boxes.find({std::string(array), index});
    return it == Boxes.end() ? std::string() : it->second;
  }
  void SetText(std::string_view array, int index, std::string text) {
    Boxes[{std::string(array), index}] = std::move(text);
  }
  bool Checked(std::string_view name) const {
    const auto it = Checks.find(std::string(name));
    return it != Checks.end() && it->second;
  }
  int ListIndex(std::string_view name, int fallback = 0) const {
    const auto it = Lists.find(std::string(name));
    return it == Lists.end() ? fallback : it->second;
  }
};

}  // namespace pyxora
