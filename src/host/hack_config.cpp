#include "host/hack_config.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <vector>

#include "base/number_text.h"
#include "host/advanced_settings.h"

namespace pyxora {
namespace {

std::string Escape(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

// A row the dialog can offer: a box with a range, or a check box.
bool Offered(const SettingRowInfo& row) { return row.boolean || row.box.index >= 0; }

// Decimal values get a slider; whole numbers a spin button, which takes any value typed.
bool IsSlider(const SettingRowInfo& row) { return !row.boolean && row.box.kind == 1; }

float SliderHigh(const SettingRowInfo& row) {
  const float reach = row.defaultValue * kHackSliderSpanOfDefault;
  return IsSlider(row) && reach > row.box.lo && reach < row.box.hi ? reach : row.box.hi;
}

// The dialog's slider is whole-numbered unless a bound has a decimal point: "1.0".
std::string DecimalText(float value) {
  std::string text = FormatNumber(value);
  if (text.find_first_of(".eE") == std::string::npos) text += ".0";
  return text;
}

// "Grav_TrailLength" reads "Trail Length".
std::string KeyWords(const std::string& key) {
  const size_t prefixEnd = key.find('_');
  const std::string name =
      prefixEnd == std::string::npos || prefixEnd + 1 == key.size() ? key : key.substr(prefixEnd + 1);
  std::string words;
  for (size_t i = 0; i < name.size(); ++i) {
    if (i > 0 && std::isupper(static_cast<unsigned char>(name[i])) &&
        std::islower(static_cast<unsigned char>(name[i - 1])))
      words += ' ';
    words += name[i];
  }
  return words;
}

// `label` is the row's label, told apart from its namesakes in the same effect.
void WriteRow(std::ostream& xml, const EffectEntry& effect, const SettingRowInfo& row, const std::string& rowLabel) {
  const std::string id = Escape(row.key);
  // The short name keeps the dialog narrow: "Warp: Splines".
  std::string shortName = effect.renderName;
  if (!shortName.empty()) shortName[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(shortName[0])));
  const std::string label = Escape(shortName + ": " + rowLabel);
  if (row.boolean) {
    // The dialog passes an argument only when the box differs from its default.
    const bool on = row.defaultValue != 0;
    xml << "    <boolean id=\"" << id << "\" _label=\"" << label << "\" "
        << (on ? "arg-unset=\"-" + id + " 0\"" : "arg-set=\"-" + id + " 1\"") << "/>\n";
    return;
  }
  const bool slider = IsSlider(row);
  auto text = [slider](float value) { return slider ? DecimalText(value) : FormatNumber(value); };
  const std::string low = text(row.box.lo), high = text(SliderHigh(row)), value = text(row.defaultValue);
  xml << "    <number id=\"" << id << "\" type=\"" << (slider ? "slider" : "spinbutton") << "\" arg=\"-" << id
      << " %\" _label=\"" << label << "\"";
  if (slider) xml << " _low-label=\"" << low << "\" _high-label=\"" << high << "\"";
  xml << " low=\"" << low << "\" high=\"" << high << "\" default=\"" << value << "\"/>\n";
}

}  // namespace

std::string HackRowLabel(const SettingRowInfo& row) {
  std::string label = TrimBlanks(row.label ? row.label : "");
  while (!label.empty() && label.back() == ':') label = TrimBlanks(label.substr(0, label.size() - 1));
  if (!label.empty() && label.back() == ')') {
    const size_t open = label.rfind('(');
    if (open != std::string::npos && open > 0) label = TrimBlanks(label.substr(0, open));
  }
  return label.empty() ? KeyWords(row.key) : label;
}

std::string HackConfigXml(const EffectTable& effects) {
  std::ostringstream xml;
  xml << "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
         "<!-- Made from Pyxora's settings tables when Pyxora is built. -->\n\n"
         "<screensaver name=\"pyxora\" _label=\"Pyxora\">\n\n"
         "  <command arg=\"-root\"/>\n\n"
         "  <hgroup>\n"
         "   <select id=\"effect\">\n"
         "    <option id=\"stored\" _label=\"As chosen in Pyxora's Properties window\"/>\n";
  for (const EffectEntry& effect : effects) {
    if (!effect.run || !*effect.renderName) continue;
    const std::string name = effect.renderName;
    xml << "    <option id=\"" << name << "\" _label=\"" << Escape(effect.name) << "\" arg-set=\"-effect " << name
        << "\"/>\n";
    if (!effect.loadTheme) continue;
    for (int preset = 1; preset <= effect.themeCount; ++preset)
      xml << "    <option id=\"" << name << "-" << preset << "\" _label=\"" << Escape(effect.name) << ", preset "
          << preset << "\" arg-set=\"-effect " << name << " -preset " << preset << "\"/>\n";
  }
  xml << "   </select>\n"
      << "    <number id=\"delay\" type=\"slider\" arg=\"-delay %\" _label=\"Frame rate\" _low-label=\"Low\""
         " _high-label=\"High\" low=\"0\" high=\""
      << kHackSliderMaxDelayUs << "\" default=\"" << kDefaultFrameDelayMs * 1000 << "\" convert=\"invert\"/>\n"
      << "    <boolean id=\"showfps\" _label=\"Show frame rate\" arg-set=\"-fps\"/>\n"
      << "  </hgroup>\n";

  for (const EffectEntry& effect : effects) {
    if (!effect.run || !effect.settingRows) continue;
    std::vector<SettingRowInfo> rows;
    for (const SettingRowInfo& row : effect.settingRows())
      if (Offered(row) && rows.size() < kHackDialogValuesPerEffect) rows.push_back(row);
    if (rows.empty()) continue;
    // Sliders are the tallest: after the other values, so that they share rows.
    std::stable_partition(rows.begin(), rows.end(), [](const SettingRowInfo& row) { return !IsSlider(row); });
    // Labels shown in separate frames of the Properties window ("Frequency" of novae,
    // of bursts, of comets) would read the same here: those carry their key's words.
    std::vector<std::string> labels;
    for (const SettingRowInfo& row : rows) labels.push_back(HackRowLabel(row));
    std::vector<std::string> shown = labels;
    for (size_t i = 0; i < rows.size(); ++i)
      if (std::count(labels.begin(), labels.end(), labels[i]) > 1) shown[i] += " (" + KeyWords(rows[i].key) + ")";
    // Row by row: value i in column i % columns, so each row lines up across the columns.
    xml << "\n  <!-- " << Escape(effect.name) << " (section " << Escape(effect.section) << ") -->\n"
        << "  <hgroup>\n";
    for (size_t column = 0; column < std::min(rows.size(), kHackDialogColumns); ++column) {
      xml << "   <vgroup>\n";
      for (size_t i = column; i < rows.size(); i += kHackDialogColumns) WriteRow(xml, effect, rows[i], shown[i]);
      xml << "   </vgroup>\n";
    }
    xml << "  </hgroup>\n";
  }

  // Short: the dialog shows it below the values, and it must fit a 768-pixel screen.
  xml << "\n  <_description>\n"
         "Real-time 3D pixel animations. Pyxora's Properties window (pyxora /c) sets\n"
         "every value; one left at its default here is the one saved there.\n"
         "  </_description>\n"
         "</screensaver>\n";
  return xml.str();
}

}  // namespace pyxora
