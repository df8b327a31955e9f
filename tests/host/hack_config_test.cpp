// The XScreenSaver settings file as built (read back from the build folder): every
// offered value has the settings table's default and range, every argument the
// dialog can pass is one the hack accepts, and a new effect needs no change to appear.
#include "host/hack_config.h"

#include <array>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include <gtest/gtest.h>

#include "host/advanced_settings.h"
#include "host/hack_options.h"
#include "support/test_support.h"

namespace pyxora {
namespace {

using testing::FileBytes;

struct Element {
  std::string tag;
  std::map<std::string, std::string> attributes;
};

// One element per line, as the generator writes them.
std::vector<Element> Elements(const std::string& xml) {
  std::vector<Element> elements;
  std::istringstream lines(xml);
  const std::regex open(R"(^\s*<(number|boolean|option)\s)");
  const std::regex attribute(R"(([-\w]+)="([^"]*)\")");
  for (std::string line; std::getline(lines, line);) {
    std::smatch tag;
    if (!std::regex_search(line, tag, open)) continue;
    Element element{tag[1], {}};
    for (auto it = std::sregex_iterator(line.begin(), line.end(), attribute); it != std::sregex_iterator(); ++it)
      element.attributes[(*it)[1]] = (*it)[2];
    elements.push_back(element);
  }
  return elements;
}

std::string BuiltXml() { return FileBytes(HACK_CONFIG_XML); }

const Element* Find(const std::vector<Element>& elements, std::string_view tag, std::string_view id) {
  for (const Element& e : elements)
    if (e.tag == tag && e.attributes.count("id") && e.attributes.at("id") == id) return &e;
  return nullptr;
}

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

TEST(HackConfig, TheBuiltFileIsTheOneTheTablesMakeNow) {
  const std::string built = BuiltXml();
  ASSERT_FALSE(built.empty()) << "no file at " << HACK_CONFIG_XML;
  EXPECT_EQ(built, HackConfigXml());
}

TEST(HackConfig, TheFirstValuesOfEachEffectAreOfferedWithTheTablesDefaultAndRange) {
  const std::vector<Element> elements = Elements(BuiltXml());
  size_t offered = 0;
  for (const EffectEntry& effect : Effects()) {
    if (!effect.run) continue;
    ASSERT_NE(effect.settingRows, nullptr) << effect.name << " runs but declares no settings rows";
    size_t offeredHere = 0;
    for (const SettingRowInfo& row : effect.settingRows()) {
      SCOPED_TRACE(row.key);
      const bool wanted = offeredHere < kHackDialogValuesPerEffect;
      if (row.boolean) {
        const Element* box = Find(elements, "boolean", row.key);
        ++offeredHere;
        if (!wanted) {
          EXPECT_EQ(box, nullptr);
          continue;
        }
        ASSERT_NE(box, nullptr);
        if (row.defaultValue != 0) EXPECT_EQ(box->attributes.at("arg-unset"), "-" + std::string(row.key) + " 0");
        else EXPECT_EQ(box->attributes.at("arg-set"), "-" + std::string(row.key) + " 1");
        ++offered;
      } else if (row.box.index >= 0) {
        const Element* number = Find(elements, "number", row.key);
        ++offeredHere;
        if (!wanted) {
          EXPECT_EQ(number, nullptr);
          continue;
        }
        ASSERT_NE(number, nullptr);
        const float high = std::stof(number->attributes.at("high"));
        EXPECT_EQ(std::stof(number->attributes.at("default")), row.defaultValue);
        EXPECT_EQ(std::stof(number->attributes.at("low")), row.box.lo);
        EXPECT_LE(row.defaultValue, high);
        EXPECT_LE(high, row.box.hi);  // a slider may stop short of a long range
        ++offered;
      } else {
        EXPECT_EQ(Find(elements, "number", row.key), nullptr) << "a value with no range is not offered";
      }
    }
  }
  // Nothing else: no row of an effect that is gone, nothing twice.
  size_t settingElements = 0;
  for (const Element& e : elements)
    if (e.tag != "option" && e.attributes.at("id") != "delay" && e.attributes.at("id") != "showfps")
      ++settingElements;
  EXPECT_EQ(settingElements, offered);

  const Element* delay = Find(elements, "number", "delay");
  ASSERT_NE(delay, nullptr);
  EXPECT_EQ(delay->attributes.at("default"), std::to_string(kDefaultFrameDelayMs * 1000));
  EXPECT_EQ(delay->attributes.at("arg"), "-delay %");
}

// Decimal values are sliders with decimal bounds (the daemon's tool makes a whole-number
// slider of whole-number bounds), reaching at most ten times their default; sliders
// share the second row of their effect, whole numbers the first.
TEST(HackConfig, DecimalSlidersReachTheUsualValuesAndShareARow) {
  const std::vector<Element> elements = Elements(BuiltXml());
  const std::vector<std::array<std::string, 5>> rows = {
      // id, type, low, high, default
      {"FireSymmetry", "slider", "0.0", "1.0", "1.0"},
      {"FireSpeed", "slider", "0.1", "60.0", "6.0"},
      {"FirePersist", "slider", "0.25", "0.99", "0.97"},
      {"B_Spline_ESpeed", "slider", "0.25", "20.0", "2.0"},
      {"B_Spline_Gravity", "slider", "0.0", "9.99", "0.0"},
      {"Grav_ESpeed", "spinbutton", "1", "999", "15"},
  };
  for (const auto& [id, type, low, high, value] : rows) {
    const Element* number = Find(elements, "number", id);
    ASSERT_NE(number, nullptr) << id;
    EXPECT_EQ(number->attributes.at("type"), type) << id;
    EXPECT_EQ(number->attributes.at("low"), low) << id;
    EXPECT_EQ(number->attributes.at("high"), high) << id;
    EXPECT_EQ(number->attributes.at("default"), value) << id;
  }
  std::vector<std::string> fireworks;
  for (const Element& e : elements)
    if (e.tag == "number" && e.attributes.at("id").rfind("Fire", 0) == 0) fireworks.push_back(e.attributes.at("id"));
  EXPECT_EQ(fireworks, (std::vector<std::string>{"FireWorks", "FireSymmetry", "FireSparks", "FireSpeed", "FireLength",
                                                 "FirePersist"}));  // column by column
}

TEST(HackConfig, EveryArgumentTheDialogCanPassIsAcceptedAndMeansWhatItSays) {
  const std::vector<Element> elements = Elements(BuiltXml());
  std::vector<std::string> effectIds;
  for (const Element& e : elements) {
    SCOPED_TRACE(e.attributes.at("id"));
    std::string arg;
    if (e.attributes.count("arg")) arg = std::regex_replace(e.attributes.at("arg"), std::regex("%"), e.attributes.at("default"));
    else if (e.attributes.count("arg-set")) arg = e.attributes.at("arg-set");
    else if (e.attributes.count("arg-unset")) arg = e.attributes.at("arg-unset");
    if (arg.empty()) {
      EXPECT_EQ(e.attributes.at("id"), "stored");  // the one choice that passes nothing
      continue;
    }
    std::vector<std::string> args = Words(arg);
    args.insert(args.begin(), "-root");
    const auto parsed = ParseHackOptions(args);
    ASSERT_TRUE(std::holds_alternative<HackOptions>(parsed)) << arg << ": " << std::get<std::string>(parsed);
    const HackOptions& options = std::get<HackOptions>(parsed);
    if (e.tag == "option") {
      ASSERT_NE(options.effect, nullptr);
      const std::string id = e.attributes.at("id");
      EXPECT_EQ(id, options.preset ? std::string(options.effect->renderName) + "-" + std::to_string(options.preset)
                                   : std::string(options.effect->renderName));
      effectIds.push_back(id);
    } else if (e.tag == "number" && e.attributes.at("id") != "delay") {
      ASSERT_EQ(options.settings.size(), 1u);
      EXPECT_EQ(options.settings[0].key, e.attributes.at("id"));
      EXPECT_EQ(options.settings[0].value, e.attributes.at("default"));
    }
  }
  // Every effect that runs, and each of its presets, can be chosen; nothing else.
  std::vector<std::string> expected;
  for (const EffectEntry& effect : Effects()) {
    if (!effect.run) continue;
    expected.push_back(effect.renderName);
    for (int preset = 1; effect.loadTheme && preset <= effect.themeCount; ++preset)
      expected.push_back(std::string(effect.renderName) + "-" + std::to_string(preset));
  }
  EXPECT_EQ(effectIds, expected);
}

TEST(HackConfig, ANewEffectsRowsAppearWithNoChangeToTheGenerator) {
  EffectTable table = Effects();
  table[0].run = [] {};
  table[0].loadTheme = [](int16_t) {};
  table[0].themeCount = 2;
  table[0].settingRows = []() -> std::span<const SettingRowInfo> {
    static const std::vector<SettingRowInfo> rows{
        {"Fire_Shells", SettingGetter::Int, 12, {0, 0, 1, 99, 1, 2}, "Shells & <Stars> (1 - 99):"},
        {"Fire_Fast", SettingGetter::Dbl, 0.5f, {1, 1, 0.1f, 2.5f, 0, 0}, ""},
        {"Fire_Jet", SettingGetter::Int, 1, {}, "Jets:", true},
        {"Fire_Style", SettingGetter::Int, 3, {}, "Style"},
        {"Fire_NovaFreq", SettingGetter::Int, 3, {2, 0, 0, 9}, "Frequency:"},
        {"Fire_CometFreq", SettingGetter::Int, 3, {3, 0, 0, 9}, "Frequency (0 - 9):"},
    };
    return rows;
  };
  const std::string xml = HackConfigXml(table);
  EXPECT_NE(xml.find(R"(<option id="fireworks" _label="Fireworks" arg-set="-effect fireworks"/>)"), std::string::npos);
  EXPECT_NE(xml.find(R"(arg-set="-effect fireworks -preset 2"/>)"), std::string::npos);
  EXPECT_EQ(xml.find("-effect fireworks -preset 3"), std::string::npos);
  EXPECT_NE(xml.find(R"(<number id="Fire_Shells" type="spinbutton" arg="-Fire_Shells %" )"
                     R"(_label="Fireworks: Shells &amp; &lt;Stars&gt;" low="1" high="99" default="12"/>)"),
            std::string::npos);
  EXPECT_NE(xml.find(R"(<number id="Fire_Fast" type="slider" arg="-Fire_Fast %" _label="Fireworks: Fast" )"
                     R"(_low-label="0.1" _high-label="2.5" low="0.1" high="2.5" default="0.5"/>)"),
            std::string::npos);
  EXPECT_NE(xml.find(R"(<boolean id="Fire_Jet" _label="Fireworks: Jets" arg-unset="-Fire_Jet 0"/>)"), std::string::npos);
  EXPECT_EQ(xml.find("Fire_Style"), std::string::npos);
  // Namesakes within one effect are told apart by their keys.
  EXPECT_NE(xml.find(R"x(_label="Fireworks: Frequency (Nova Freq)")x"), std::string::npos);
  EXPECT_NE(xml.find(R"x(_label="Fireworks: Frequency (Comet Freq)")x"), std::string::npos);
  // The fireworks come first, as in the effect table.
  EXPECT_LT(xml.find("Fire_Shells"), xml.find("Warp_Works"));

  // Presets need a way to load them; rows need an effect that runs.
  table[0].loadTheme = nullptr;
  table[5].run = nullptr;
  table[5].settingRows = []() -> std::span<const SettingRowInfo> {
    static const std::vector<SettingRowInfo> rows{{"Galaxy_Stars", SettingGetter::Int, 5, {0, 0, 1, 9}}};
    return rows;
  };
  const std::string partial = HackConfigXml(table);
  EXPECT_EQ(partial.find("fireworks -preset"), std::string::npos);
  EXPECT_EQ(partial.find("Galaxy"), std::string::npos);
  EXPECT_NE(partial.find("Fire_Shells"), std::string::npos);
}

// Columns of the effect's block and the values in each, read back from the XML.
std::vector<int> ColumnsOf(const std::string& xml, const std::string& effectName) {
  const size_t start = xml.find("<!-- " + effectName);
  const size_t end = xml.find("</hgroup>", start);
  std::vector<int> columns;
  std::istringstream block(xml.substr(start, end - start));
  for (std::string line; std::getline(block, line);) {
    if (line.find("<vgroup>") != std::string::npos) columns.push_back(0);
    if (line.find("<number") != std::string::npos) ++columns.back();
  }
  return columns;
}

TEST(HackConfig, AnEffectsFirstSixValuesFillThreeColumns) {
  const std::vector<std::pair<int, std::vector<int>>> cases = {
      {1, {1}}, {2, {1, 1}}, {4, {2, 1, 1}}, {5, {2, 2, 1}}, {6, {2, 2, 2}}, {7, {2, 2, 2}}, {43, {2, 2, 2}},
  };
  for (const auto& [count, expected] : cases) {
    static int rowCount = 0;
    rowCount = count;
    EffectTable table = Effects();
    table[0].settingRows = []() -> std::span<const SettingRowInfo> {
      static std::vector<std::string> keys;
      static std::vector<SettingRowInfo> rows;
      keys.clear();
      rows.clear();
      for (int i = 0; i < rowCount; ++i) keys.push_back("Fire_K" + std::to_string(i));
      for (const std::string& key : keys) rows.push_back({key.c_str(), SettingGetter::Int, 1, {0, 0, 0, 9, 1, 1}, ""});
      return rows;
    };
    const std::string xml = HackConfigXml(table);
    EXPECT_EQ(ColumnsOf(xml, "Fireworks"), expected) << count << " values";
    EXPECT_NE(xml.find("\"Fire_K" + std::to_string(std::min(count, 6) - 1) + "\""), std::string::npos);
    EXPECT_EQ(xml.find("\"Fire_K" + std::to_string(std::min(count, 6)) + "\""), std::string::npos);
  }
}

TEST(HackConfig, RowLabelsDropTheRangeAndColonOrComeFromTheKey) {
  const std::vector<std::pair<SettingRowInfo, std::string>> cases = {
      {{"B_Spline_Splines", SettingGetter::Int, 0, {}, "Splines (1 - 999):"}, "Splines"},
      {{"K", SettingGetter::Int, 0, {}, "Style:  Maximum Pattern Size (1 - 9):"}, "Style:  Maximum Pattern Size"},
      {{"K", SettingGetter::Int, 0, {}, "Hue Lock:"}, "Hue Lock"},
      {{"K", SettingGetter::Int, 0, {}, "(odd)"}, "(odd)"},
      {{"Grav_TrailLength", SettingGetter::Int, 0, {}, ""}, "Trail Length"},
      {{"Grav_ESpeed", SettingGetter::Int, 0, {}, "  "}, "ESpeed"},
      {{"Plain", SettingGetter::Int, 0, {}, ""}, "Plain"},
      {{"K_AbCd", SettingGetter::Int, 0, {}, ""}, "Ab Cd"},
      {{"Odd_", SettingGetter::Int, 0, {}, ""}, "Odd_"},
  };
  for (const auto& [row, label] : cases) EXPECT_EQ(HackRowLabel(row), label) << row.key;
}

}  // namespace
}  // namespace pyxora
