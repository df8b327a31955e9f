// Inputs the fuzz targets (fuzz/) once failed on, fed to the same code in the normal suite.
#include <string>

#include "settings/settings_document.h"
#include "support/test_support.h"

namespace pyxora {
namespace {

// What a settings file held reads back the same after the store writes it out.
void ExpectSameAfterRewrite(const std::string& text) {
  const SettingsDocument doc = SettingsDocument::Parse(text);
  const SettingsDocument again = SettingsDocument::Parse(doc.Serialise());
  EXPECT_EQ(again.SkippedLines(), 0u);
  ASSERT_EQ(again.Sections().size(), doc.Sections().size());
  for (size_t i = 0; i < doc.Sections().size(); ++i) {
    EXPECT_EQ(again.Sections()[i].path, doc.Sections()[i].path);
    EXPECT_EQ(again.Sections()[i].values, doc.Sections()[i].values);
  }
}

TEST(SettingsFileFuzzRegressions, ANameWithABlankAtEitherEndKeepsItsBlanks) {
  // The writer put the blank out plain and the reader trimmed it: " " came back as "".
  ExpectSameAfterRewrite("[]\n\\x20=");
  const SettingsDocument blank = SettingsDocument::Parse("[]\n\\x20=");
  ASSERT_EQ(blank.Sections().size(), 1u);  // "[]" is a header: the section without a name
  EXPECT_EQ(blank.Get("", " "), "");
  ExpectSameAfterRewrite("[S]\nname\\x20=v\n\\x20\\x20both\\x20ends\\x20=w\n");
  const SettingsDocument doc = SettingsDocument::Parse("[S]\n\\x20a b\\x20=1\n");
  EXPECT_EQ(doc.Serialise(), "[S]\n\\x20a b\\x20=1\n");  // the blank inside stays plain
  EXPECT_EQ(SettingsDocument::Parse(doc.Serialise()).Get("S", " a b "), "1");
}

TEST(SettingsFileFuzzRegressions, CommentsAreNotUnreadableLinesAndHexEscapesTakeEitherCase) {
  // A comment counted as unreadable would make every write keep a backup of the file.
  const SettingsDocument doc = SettingsDocument::Parse("; one\n# two\n[S]\n  ; three\nv=\\x0a\\x0A\\xaF\n");
  EXPECT_EQ(doc.SkippedLines(), 0u);
  EXPECT_EQ(doc.Get("S", "v"), "\n\n\xAF");
}

}  // namespace
}  // namespace pyxora
