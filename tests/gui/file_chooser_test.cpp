#include "app/ui/file_chooser.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "gui_support.h"
#include "host/first_run.h"
#include "host/templates.h"
#include "settings/properties_model.h"
#include "settings/template_file.h"

namespace pyxora {
namespace {

std::string ReadBytes(const QString& path) {
  std::ifstream in(path.toStdString(), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class FileChooserTest : public testing::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    gTemplate = TemplateState{};
    ApplyFactoryDefaults(props_);
    SaveSettingStr("Template", "Path_Drive", "/");
    SaveSettingStr("Template", "Path_Dir", dir_.path().toStdString());
  }
  void TearDown() override {
    gTemplate = TemplateState{};
    GuiTest::TearDown();
  }
  // A shown chooser whose messages are collected instead of shown.
  std::unique_ptr<FileChooser> Open(bool openMode) {
    FileChooserSetup setup;
    setup.openMode = openMode;
    setup.templateMode = true;
    setup.title = openMode ? "Select Template to Open" : "Enter or Select Template to Save";
    setup.filter = kTemplateFilter;
    setup.defaultExtension = kTemplateExtension;
    setup.props = &props_;
    auto chooser = std::make_unique<FileChooser>(setup);
    chooser->showMessage = [this](const QString& text) { messages_ << text; };
    chooser->show();
    return chooser;
  }
  void Ok(FileChooser& chooser, const QString& name) {
    chooser.findChild<QLineEdit*>("txtFile")->setText(name);
    QTest::mouseClick(chooser.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
  }
  QStringList Files(FileChooser& chooser) {
    QStringList names;
    auto* list = chooser.findChild<QListWidget*>("filTemp");
    for (int i = 0; i < list->count(); ++i) names << list->item(i)->text();
    return names;
  }
  QTemporaryDir dir_;
  PropertiesModel props_;
  QStringList messages_;
};

TEST_F(FileChooserTest, SavingANameWithoutADotAddsTheExtensionAndRemembersTheFolder) {
  SaveSettingStr("Template", "Path_Dir", "/");
  auto chooser = Open(false);
  ASSERT_TRUE(chooser->ChangeFolder(dir_.path()));
  Ok(*chooser, "night");
  EXPECT_TRUE(messages_.isEmpty()) << messages_.join("|").toStdString();
  EXPECT_EQ(chooser->result(), QDialog::Accepted);
  const QString path = dir_.filePath("night.pxt");
  EXPECT_EQ(chooser->ChosenPath(), path);
  EXPECT_EQ(ReadBytes(path).substr(0, 27), "\r\n[Admin]\r\nProduct=Pyxora\r\n");
  EXPECT_EQ(gTemplate.TemplatePath, path.toStdString());
  EXPECT_EQ(GetSettingStr("Template", "Path_Dir", ""), dir_.path().toStdString());
  EXPECT_FALSE(GetSettingStr("Template", "Path_Drive", "").empty());

  // A name with a dot is used as typed; saving over a template replaces it without a question.
  props_.SetText("txtFire", 0, "55");
  auto again = Open(false);
  EXPECT_EQ(again->Folder(), dir_.path());
  Ok(*again, "night.v2");
  Ok(*Open(false), "night");
  EXPECT_TRUE(QFileInfo(dir_.filePath("night.v2")).isFile());
  EXPECT_NE(ReadBytes(path).find("\r\nFireWorks=55\r\n"), std::string::npos);
  EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(FileChooserTest, OpeningAFileThatIsNotThereOrNoTemplateSaysSoAndKeepsTheFields) {
  std::ofstream(dir_.filePath("notes.pxt").toStdString()) << "FireWorks=55\n";
  props_.SetText("txtFire", 0, "40");
  const PropertiesModel before = props_;
  auto chooser = Open(true);
  for (const QString& name : {QString("absent.pxt"), QString(""), QString("sub"), QString("notes.pxt")}) {
    QDir(dir_.path()).mkdir("sub");
    messages_.clear();
    Ok(*chooser, name);
    EXPECT_EQ(messages_, QStringList{"Please select an existing file."}) << name.toStdString();
    EXPECT_TRUE(chooser->isVisible());
    EXPECT_EQ(chooser->result(), QDialog::Rejected);
  }
  EXPECT_EQ(props_.Boxes, before.Boxes);
}

TEST_F(FileChooserTest, SavingWhereNothingCanBeWrittenSaysSoAndStaysOpen) {
  auto chooser = Open(false);
  Ok(*chooser, "no/such/folder/night");
  EXPECT_EQ(messages_, QStringList{"Please enter a valid path and file."});
  Ok(*chooser, "  ");
  EXPECT_EQ(messages_.last(), "Please enter a file name.");
  EXPECT_TRUE(chooser->isVisible());
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList{});
}

TEST_F(FileChooserTest, TheTypeListFiltersTheFilesAndOpeningLoadsTheTemplate) {
  props_.SetText("txtGalaxy", 0, "4321");
  ASSERT_TRUE(SaveTemplate(props_, dir_.filePath("galaxy.pxt").toStdString()));
  std::ofstream(dir_.filePath("notes.txt").toStdString()) << "x";
  auto chooser = Open(true);
  auto* types = chooser->findChild<QComboBox*>("cboTypes");
  ASSERT_EQ(types->count(), 2);
  EXPECT_EQ(types->itemText(0), "Pyxora Templates (*.pxt)");
  EXPECT_EQ(types->itemText(1), "All Files (*.*)");
  EXPECT_EQ(Files(*chooser), QStringList{"galaxy.pxt"});
  types->setCurrentIndex(1);
  EXPECT_EQ(Files(*chooser), (QStringList{"galaxy.pxt", "notes.txt"}));

  // A double-click on a file is OK.
  PropertiesModel fresh;
  ApplyFactoryDefaults(fresh);
  props_ = fresh;
  auto* files = chooser->findChild<QListWidget*>("filTemp");
  ASSERT_TRUE(QTest::qWaitForWindowExposed(chooser.get()));
  const QRect item = files->visualItemRect(files->item(0));
  // A widget sees a double-click as a click followed by the double-click event.
  QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, item.center());
  QTest::mouseDClick(files->viewport(), Qt::LeftButton, {}, item.center());
  EXPECT_EQ(chooser->result(), QDialog::Accepted);
  EXPECT_EQ(props_.Text("txtGalaxy", 0), "4321");
  EXPECT_EQ(gTemplate.TemplatePath, dir_.filePath("galaxy.pxt").toStdString());
}

TEST_F(FileChooserTest, TheWindowComesBackWhereItWasClosed) {
  {
    auto chooser = Open(true);
    chooser->move(40, 50);
    chooser->reject();
  }
  EXPECT_FALSE(GetSettingStr("General\\Template", "WindowSize", "").empty());
  auto chooser = Open(true);
  EXPECT_EQ(chooser->pos(), QPoint(40, 50));
}

}  // namespace
}  // namespace pyxora
