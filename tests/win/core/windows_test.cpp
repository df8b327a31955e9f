// What is Windows' own in the core: the registry as the settings store, files at paths
// outside the ANSI code page, Windows program paths and the system's version.
#include <io.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "base/system.h"
#include "host/diagnostics.h"
#include "host/startup.h"
#include "host/templates.h"
#include "settings/registry_store.h"
#include "settings/settings.h"
#include "settings/template_file.h"
#include "support/test_support.h"

namespace pyxora {
namespace {

class Registry : public ::testing::Test {
 protected:
  void SetUp() override {
    Clear();
    SetCurrentStore(std::make_unique<RegistryStore>());
  }
  void TearDown() override {
    Clear();
    SetCurrentStore(std::make_unique<MemoryStore>());
  }
  static void Clear() {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_CLASSES_ROOT, HKEY_USERS})
      RegDeleteTreeW(root, L"SOFTWARE\\Pyxora");
  }
  // The raw value as the registry holds it.
  static std::wstring RawValue(const wchar_t* section, const wchar_t* name, DWORD* type,
                               HKEY root = HKEY_CURRENT_USER) {
    wchar_t data[512] = {};
    DWORD bytes = sizeof data;
    const std::wstring key = std::wstring(L"SOFTWARE\\Pyxora\\PXRA_SS\\") + section;
    if (RegGetValueW(root, key.c_str(), name, RRF_RT_ANY, type, data, &bytes) != ERROR_SUCCESS) return L"?";
    return data;
  }
};

TEST_F(Registry, ValuesAreUtf16StringsUnderTheProductKeyAndReadBackAsWritten) {
  ASSERT_TRUE(SaveSettingStr("Advanced", "LockMessage", "  Grüße ☃ — back at 3  "));
  DWORD type = 0;
  EXPECT_EQ(RawValue(L"Advanced", L"LockMessage", &type), L"Grüße ☃ — back at 3");
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  // The registry ignores case in key paths and value names, as the stored settings must.
  EXPECT_EQ(GetSettingStr("ADVANCED", "lockmessage", ""), "Grüße ☃ — back at 3");
  ASSERT_TRUE(SaveSettingStr("General\\Main", "WindowState", 2));
  EXPECT_EQ(GetSettingInt("General\\Main", "WindowState", -1), 2);
  EXPECT_EQ(GetSettingInt("General", "AnimationType", -1), -1);
  EXPECT_EQ(CurrentStore().Location(kUserRoot), "HKEY_CURRENT_USER\\SOFTWARE\\Pyxora");

  const SettingsDocument listed = CurrentStore().Snapshot(kUserRoot);
  EXPECT_EQ(listed.Get("SOFTWARE\\Pyxora\\PXRA_SS\\General\\Main", "WindowState"), "2");
  EXPECT_EQ(listed.Sections().size(), 2u);
}

TEST_F(Registry, TextsLongerThan127CharactersAndValuesOfOtherTypesReadAsTheDefault) {
  ASSERT_TRUE(SaveSettingStr("General", "Long", std::string(127, 'x')));
  EXPECT_EQ(GetSettingStr("General", "Long", "d").size(), 127u);
  ASSERT_TRUE(SaveSettingStr("General", "Long", std::string(128, 'x')));
  EXPECT_EQ(GetSettingStr("General", "Long", "d"), "d");
  const DWORD four = 4;
  RegSetKeyValueW(HKEY_CURRENT_USER, L"SOFTWARE\\Pyxora\\PXRA_SS\\General", L"AnimationType", REG_DWORD, &four,
                  sizeof four);
  EXPECT_EQ(GetSettingInt("General", "AnimationType", -1), -1);
}

TEST_F(Registry, EachRootIsItsOwnHive) {
  ASSERT_TRUE(SaveSettingStr("General", "AnimationType", 5, kMachineRoot));
  EXPECT_EQ(GetSettingInt("General", "AnimationType", -1, kMachineRoot), 5);
  EXPECT_EQ(GetSettingInt("General", "AnimationType", -1, kUserRoot), -1);
  ASSERT_TRUE(SaveSettingStr("General", "AnimationType", 3));
  for (int16_t root : {2, 3, 7}) EXPECT_EQ(GetSettingInt("General", "AnimationType", -1, root), -1) << root;
  // 2 is HKEY_CLASSES_ROOT, any other selector HKEY_USERS.
  const struct {
    int16_t selector;
    HKEY hive;
  } kHives[] = {{2, HKEY_CLASSES_ROOT}, {3, HKEY_USERS}, {-1, HKEY_USERS}};
  for (const auto& row : kHives) {
    Clear();
    ASSERT_TRUE(SaveSettingStr("General", "AnimationType", row.selector, row.selector)) << row.selector;
    DWORD type = 0;
    EXPECT_EQ(RawValue(L"General", L"AnimationType", &type, row.hive), std::to_wstring(row.selector)) << row.selector;
    EXPECT_EQ(GetSettingInt("General", "AnimationType", -9, kUserRoot), -9) << row.selector;
  }
}

// Refuses the nth value it is asked to set, as a registry that is full or locked would.
class RefusingRegistry : public RegistryStore {
 public:
  explicit RefusingRegistry(int refused) : refused_(refused) {}

 protected:
  long SetValue(HKEY__* key, const std::wstring& name, std::string_view value) override {
    if (++calls_ == refused_) return ERROR_ACCESS_DENIED;
    return RegistryStore::SetValue(key, name, value);
  }

 private:
  int refused_, calls_ = 0;
};

TEST_F(Registry, ABatchIsStoredWholeOrARefusedValuePutsBackTheOnesBeforeIt) {
  ASSERT_TRUE(SaveSettingStr("General", "AnimationType", 2));
  const std::vector<StoreValue> batch = {{SettingsKeyPath("General"), "AnimationType", "4"},
                                         {SettingsKeyPath("Galaxy"), "Galaxy_Stars", "900"},
                                         {SettingsKeyPath("General"), "AnimationType", "5"},
                                         {SettingsKeyPath("Advanced"), "LockMessage", "late"}};
  for (int refused : {1, 3, 4}) {
    RefusingRegistry store(refused);
    const StoreWriteResult result = store.WriteBatch(kUserRoot, batch);
    EXPECT_FALSE(result.ok) << refused;
    const std::string where = "cannot write HKEY_CURRENT_USER\\" + batch[refused - 1].keyPath + ": ";
    EXPECT_EQ(result.error.substr(0, where.size()), where) << refused;
    EXPECT_GT(result.error.size(), where.size()) << "the system's reason";
    DWORD type = 0;
    EXPECT_EQ(RawValue(L"General", L"AnimationType", &type), L"2") << refused;
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(RawValue(L"Galaxy", L"Galaxy_Stars", &type), L"?") << refused;
  }
  // Taken whole, the later of two values at one address wins.
  ASSERT_TRUE(CurrentStore().WriteBatch(kUserRoot, batch).ok);
  EXPECT_EQ(GetSettingInt("General", "AnimationType", -1), 5);
  EXPECT_EQ(GetSettingInt("Galaxy", "Galaxy_Stars", -1), 900);
  EXPECT_EQ(GetSettingStr("Advanced", "LockMessage", ""), "late");
}

TEST(WindowsTexts, TheWriteTestNamesTheRegistry) {
  EXPECT_STREQ(kReadOnlyStoreMessage,
               "The Registry is read-only.\r\n\r\n"
               "The Property settings cannot be saved.\r\n"
               "You must change your Windows User Privileges so that programs \r\n"
               "can write to the Registry.  See your System Administrator for assistance.");
}

TEST_F(Registry, ATemplateRoundTripsThroughAFolderOutsideTheAnsiCodePage) {
  testing::TempFolder folder;
  const std::string path = Utf8FromPath(folder.Path() / PathFromUtf8("Ωμέγα ☃")) + "\\night.pxt";
  ASSERT_TRUE(std::filesystem::create_directory(PathFromUtf8(path).parent_path()));
  ASSERT_TRUE(SaveSettingStr("Galaxy", "Galaxy_Stars", 1234));
  PropertiesModel props;
  LoadPropertiesFromStore(props);
  ASSERT_TRUE(SaveTemplate(props, path)) << gTemplate.LastWriteError;
  // Saved again, the new file takes the old one's place and no temporary is left.
  ASSERT_TRUE(SaveTemplate(props, path)) << gTemplate.LastWriteError;
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(PathFromUtf8(path).parent_path()), {}), 1);

  Clear();
  ASSERT_TRUE(ImportTemplate(path).ok);
  EXPECT_EQ(GetSettingStr("Galaxy", "Galaxy_Stars", ""), "1234");
  // A folder is no template, and nothing is written over it.
  EXPECT_EQ(ImportTemplate(Utf8FromPath(PathFromUtf8(path).parent_path())).error, "it is a folder");
  EXPECT_FALSE(SaveTemplate(props, Utf8FromPath(PathFromUtf8(path).parent_path())));
}

TEST(WindowsProgramPaths, OnlyAnExeWithoutAScreenSaverBesideItIsTheWindowedApplication) {
  auto dispatch = [](std::set<std::string> files, const std::string& line = "/s") {
    return DispatchCommandLine(line, "C:\\Program Files\\Pyxora\\Pyxora.exe",
                               [files](const std::string& path) { return files.count(path) > 0; });
  };
  const std::string exe = "C:\\Program Files\\Pyxora\\Pyxora.exe", scr = "C:\\Program Files\\Pyxora\\Pyxora.scr";
  EXPECT_EQ(dispatch({exe}).action, StartAction::Windowed);
  EXPECT_EQ(dispatch({exe, scr}).action, StartAction::Saver);
  EXPECT_EQ(dispatch({exe, scr}, "/p 1234").windowId, 1234);
}

TEST(WindowsSystem, TheProgramsOwnFilesLiveInTheLocalApplicationDataFolder) {
  const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
  ASSERT_NE(local, nullptr);
  EXPECT_EQ(UserDataFolder(), std::filesystem::path(local) / L"Pyxora");
}

// As mkstemp: each call takes a name no file has, so two can be open at once.
TEST(WindowsSystem, AUniqueFileTakesANameNoFileHas) {
  testing::TempFolder folder;
  const std::string pattern = Utf8FromPath(folder.Path() / "t.pxt.XXXXXX");
  std::string first = pattern, second = pattern;
  const int a = CreateUniqueFile(first), b = CreateUniqueFile(second);
  ASSERT_GE(a, 0);
  ASSERT_GE(b, 0);
  _close(a);
  _close(b);
  EXPECT_NE(first, second);
  EXPECT_EQ(first.find("XXXXXX"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(PathFromUtf8(first)));
  std::string bad = Utf8FromPath(folder.Path() / "t.pxt");
  EXPECT_EQ(CreateUniqueFile(bad), -1);
}

TEST(WindowsSystem, TheVersionIsWindowsOwn) {
  const std::string os = OperatingSystemText();
  ASSERT_EQ(os.rfind("Windows ", 0), 0u) << os;
  EXPECT_NE(os.find_first_of("0123456789"), std::string::npos);
}

}  // namespace
}  // namespace pyxora
