// The frames of the Properties window, built from the effects' setting tables so
// every label, range and step is declared once.
#include <QCheckBox>
#include <algorithm>
#include <cmath>
#include <vector>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "app/ui/number_box.h"
#include "app/ui/preview_box.h"
#include "app/ui/props_window.h"
#include "effects/fireworks/fireworks_settings.h"
#include "effects/galaxy/galaxy_build.h"
#include "effects/galaxy/galaxy_settings.h"
#include "effects/gravity/gravity_settings.h"
#include "effects/splines/warp.h"
#include "host/properties_fields.h"

namespace pyxora {
namespace {

constexpr int kBoxWidth = 64;
constexpr int kPreviewWidth = 320, kPreviewHeight = 240;

std::vector<std::string> Names(const auto& array) { return {array.begin(), array.end()}; }

QGroupBox* Frame(const char* name, const char* caption) {
  auto* frame = new QGroupBox(QString::fromUtf8(caption));
  frame->setObjectName(name);
  return frame;
}

QFrame* Swatch(const QString& name) {
  auto* swatch = new QFrame;
  swatch->setObjectName(name);
  swatch->setFrameShape(QFrame::Box);
  swatch->setFixedSize(22, 22);
  swatch->setAutoFillBackground(true);
  return swatch;
}

// picGalProfile: the outline of the chosen profile, as the galaxy's envelope over
// its radius (both sides of the axis), scaled to fill the picture's height.
class ProfilePicture : public QFrame {
 public:
  ProfilePicture() {
    setObjectName("picGalProfile");
    setFrameShape(QFrame::Box);
    setFixedSize(96, 44);
  }
  void SetProfile(int profile) {
    profile_ = profile;
    update();
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.fillRect(rect().adjusted(1, 1, -1, -1), Qt::black);
    const int half = (width() - 4) / 2, centreX = width() / 2, centreY = height() / 2;
    std::vector<float> heights(static_cast<size_t>(half) + 1);
    float highest = 0;
    for (int i = 0; i <= half; ++i) {
      heights[static_cast<size_t>(i)] = ProfileEnvelope(static_cast<int16_t>(profile_), static_cast<float>(i) / half, 1, 1);
      highest = std::max(highest, heights[static_cast<size_t>(i)]);
    }
    if (highest <= 0) return;
    painter.setPen(QColor(255, 255, 255));
    const float scale = static_cast<float>(centreY - 3) / highest;
    for (int i = 0; i <= half; ++i) {
      const int dy = static_cast<int>(std::lround(heights[static_cast<size_t>(i)] * scale));
      for (int side : {-1, 1}) {
        painter.drawPoint(centreX + side * i, centreY - dy);
        painter.drawPoint(centreX + side * i, centreY + dy);
      }
    }
  }

 private:
  int profile_ = 0;
};

// A label for a list or a check box row.
QLabel* RowLabel(const QString& text) {
  auto* label = new QLabel(text.endsWith(':') ? text : text + ':');
  return label;
}

}  // namespace

NumberBox* PropsWindow::MakeBox(const PropertiesControl& control) {
  auto* box = new NumberBox(control.name, control.index);
  box->setFixedWidth(kBoxWidth);
  box->SetDecimal(control.box.kind == 1);
  const std::string array = control.name;
  const int index = control.index;
  box->SetLostFocusRule([this, array, index](const std::string& text) {
    return LostFocusText(Model(), array, index, text);
  });
  box->SetArrowRule([array, index](const std::string& text, int direction) {
    return ArrowStepText(array, index, text, direction);
  });
  boxes_[{box->Array(), index}] = box;
  connect(box, &QLineEdit::textChanged, this, [this, box] { BoxChanged(*box); });
  return box;
}

void PropsWindow::AddBoxRow(QGridLayout& grid, int row, const PropertiesControl& control) {
  auto* label = new QLabel(QString::fromStdString(control.label));
  NumberBox* box = MakeBox(control);
  label->setBuddy(box);
  grid.addWidget(label, row, 0);
  grid.addWidget(box, row, 1);
  if (BoxHasSpinner(control)) {
    auto* spinner = new Spinner;
    spinner->setObjectName(QStringLiteral("spn%1_%2").arg(QString(control.name).mid(3)).arg(control.index));
    spinners_[{box->Array(), control.index}] = spinner;
    spinner->Follow(*box);
    grid.addWidget(spinner, row, 2);
  }
}

QWidget* PropsWindow::BoxGrid(const char* array, std::initializer_list<int> indexes, QWidget* extra) {
  auto* panel = new QWidget;
  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setVerticalSpacing(3);
  grid->setColumnStretch(0, 1);
  // The spinner column keeps its width where a page has no spinners, so boxes line up.
  // A blank widget, not a spacer: the layout leaves out the spacing beside an empty column.
  auto* spinnerColumn = new QWidget;
  spinnerColumn->setFixedSize(Spinner().sizeHint().width(), 1);
  grid->addWidget(spinnerColumn, 0, 2);
  int row = 0;
  for (int index : indexes)
    if (const PropertiesControl* control = FindBoxControl(array, index)) AddBoxRow(*grid, row++, *control);
  if (extra) grid->addWidget(extra, row++, 0, 1, 2, Qt::AlignLeft);
  grid->setRowStretch(row, 1);
  return panel;
}

QCheckBox* PropsWindow::MakeCheck(const char* name) {
  const PropertiesControl* control = FindNamedControl(name);
  auto* check = new QCheckBox(control ? QString::fromStdString(control->label) : QString(name));
  check->setObjectName(name);
  // The caption stands left of the box, lined up with the labels above.
  check->setLayoutDirection(Qt::RightToLeft);
  checks_[name] = check;
  return check;
}

QComboBox* PropsWindow::MakeList(const char* name, const std::vector<std::string>& entries) {
  auto* list = new QComboBox;
  list->setObjectName(name);
  for (const std::string& entry : entries) list->addItem(QString::fromStdString(entry));
  lists_[name] = list;
  return list;
}

QComboBox* PropsWindow::MakeThemeList(const char* name, int effect) {
  auto* list = new QComboBox;
  list->setObjectName(name);
  for (const std::string& entry : ThemeListEntries(effect)) list->addItem(QString::fromStdString(entry));
  connect(list, &QComboBox::activated, this, [this, effect](int theme) { ChooseTheme(effect, theme); });
  return list;
}

QWidget* PropsWindow::PagedGroup(const char* listName, const std::vector<std::string>& names,
                                 const std::vector<QWidget*>& pages, QComboBox** list, QStackedWidget** stack) {
  auto* panel = new QWidget;
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  *list = new QComboBox;
  (*list)->setObjectName(listName);
  for (const std::string& name : names) (*list)->addItem(QString::fromStdString(name));
  *stack = new QStackedWidget;
  for (QWidget* page : pages) (*stack)->addWidget(page);
  layout->addWidget(*list);
  layout->addWidget(*stack);
  QStackedWidget* pagesStack = *stack;
  connect(*list, &QComboBox::currentIndexChanged, this, [this, pagesStack](int page) { ShowPage(*pagesStack, page); });
  ShowPage(*pagesStack, 0);
  return panel;
}

QGroupBox* PropsWindow::BuildFireworksFrame() {
  QGroupBox* frame = Frame("fraAni_0", "Fireworks Properties");
  auto* layout = new QVBoxLayout(frame);
  auto* themeRow = new QHBoxLayout;
  themeRow->addWidget(new QLabel("Theme:"));
  themeRow->addWidget(MakeThemeList("cboFireTheme", 0), 1);
  layout->addLayout(themeRow);
  layout->addWidget(BoxGrid("txtFire", {0, 1, 2, 3, 4, 5, 6, 7, 8}));
  const std::vector<QWidget*> pages = {
      BoxGrid("txtFire", {20, 21, 22, 23, 24}),
      BoxGrid("txtFire", {9, 10, 36}),
      BoxGrid("txtFire", {13, 14, 15}, MakeCheck("chkMultiMom")),
      BoxGrid("txtFire", {16, 17, 18, 19}, MakeCheck("chkJetBurst")),
      BoxGrid("txtFire", {11, 12}),
      BoxGrid("txtFire", {25, 26, 27}),
      BoxGrid("txtFire", {28, 29, 30}),
      BoxGrid("txtFire", {31, 32, 33, 34, 35}),
      BoxGrid("txtFire", {50, 51, 52, 53}),
  };
  layout->addWidget(PagedGroup("cboFireExtras", Names(kFireworksPageNames), pages, &cboFireExtras_, &firePages_));
  layout->addStretch(1);
  return frame;
}

QGroupBox* PropsWindow::BuildWarpFrame() {
  QGroupBox* frame = Frame("fraAni_2", "B-Spline Warp Properties");
  auto* layout = new QVBoxLayout(frame);
  auto* typeRow = new QHBoxLayout;
  typeRow->addWidget(new QLabel("Warp Type"));
  typeRow->addWidget(MakeList("cboWarpType", Names(kWarpTypeNames)), 1);
  layout->addLayout(typeRow);
  layout->addWidget(BoxGrid("txtWarp", {0, 1, 2, 3, 4, 5, 6, 7, 8}, MakeCheck("chkWarpHueLock")));
  layout->addStretch(1);
  return frame;
}

QGroupBox* PropsWindow::BuildSparklerFrame() {
  QGroupBox* frame = Frame("fraAni_3", "B-Spline Sparkler Properties");
  auto* layout = new QVBoxLayout(frame);
  layout->addWidget(BoxGrid("txtSpline", {0, 1, 2, 3, 4, 5, 6, 7, 8}, MakeCheck("chkSplineSym")));
  layout->addStretch(1);
  return frame;
}

QGroupBox* PropsWindow::BuildGravityFrame() {
  QGroupBox* frame = Frame("fraAni_4", "Gravity Well Properties");
  auto* layout = new QVBoxLayout(frame);
  auto* themeRow = new QHBoxLayout;
  themeRow->addWidget(new QLabel("Theme:"));
  themeRow->addWidget(MakeThemeList("cboGravTheme", 4), 1);
  layout->addLayout(themeRow);
  layout->addWidget(BoxGrid("txtGrav", {0, 1, 2, 3, 4, 5, 6, 7, 8}));
  auto* colourRow = new QHBoxLayout;
  const PropertiesControl* colour = FindNamedControl("cboGravColor");
  colourRow->addWidget(RowLabel(QString::fromStdString(colour ? colour->label : "Color Measure")));
  colourRow->addWidget(MakeList("cboGravColor", Names(kGravityColorNames)), 1);
  layout->addLayout(colourRow);
  layout->addWidget(BoxGrid("txtGrav", {9, 10}, MakeCheck("chkGravStereo")));
  layout->addStretch(1);
  return frame;
}

QGroupBox* PropsWindow::BuildGalaxyFrame() {
  QGroupBox* frame = Frame("fraAni_5", "Galaxy Properties");
  auto* layout = new QVBoxLayout(frame);
  auto* themeRow = new QHBoxLayout;
  themeRow->addWidget(new QLabel("Theme:"));
  themeRow->addWidget(MakeThemeList("cboGalaxyTheme", 5), 1);
  layout->addLayout(themeRow);

  // Galaxy Characteristics: the shape on the left, the look on the right.
  auto* character = new QWidget;
  auto* columns = new QHBoxLayout(character);
  columns->setContentsMargins(0, 0, 0, 0);
  columns->addWidget(BoxGrid("txtGalaxy", {0, 1, 2, 3, 4, 5, 7}));
  auto* right = new QWidget;
  auto* rightLayout = new QGridLayout(right);
  rightLayout->setContentsMargins(0, 0, 0, 0);
  rightLayout->setVerticalSpacing(3);
  int row = 0;
  for (int index : {90, 91, 92, 93, 94, 95})
    if (const PropertiesControl* control = FindBoxControl("txtGalaxy", index)) AddBoxRow(*rightLayout, row++, *control);
  picGalHue_ = Swatch("picGalHue");
  rightLayout->addWidget(picGalHue_, row - 1, 3);
  rightLayout->setColumnStretch(4, 1);
  const std::pair<const char*, std::vector<std::string>> lists[] = {
      {"cboGalProfile", Names(kGalaxyProfileNames)},
      {"cboGalColor", Names(kGalaxyColorNames)},
      {"cboGalPlane", {kGalaxyPlaneName}},
  };
  for (const auto& [name, entries] : lists) {
    const PropertiesControl* control = FindNamedControl(name);
    rightLayout->addWidget(RowLabel(control ? QString::fromStdString(control->label) : QString("Plane")), row, 0);
    rightLayout->addWidget(MakeList(name, entries), row++, 1, 1, 4);
  }
  auto* outline = new ProfilePicture;
  connect(lists_["cboGalProfile"], &QComboBox::currentIndexChanged, outline, [outline](int p) { outline->SetProfile(p); });
  rightLayout->addWidget(outline, row++, 1, 1, 4, Qt::AlignLeft);
  rightLayout->setRowStretch(row, 1);
  columns->addWidget(right);

  const std::vector<QWidget*> pages = {
      character,
      BoxGrid("txtGalaxy", {10, 11, 12}),
      BoxGrid("txtGalaxy", {20, 21, 22}),
      BoxGrid("txtGalaxy", {30, 31, 32, 33}),
      BoxGrid("txtGalaxy", {40, 41, 42, 43, 44, 45, 46}),
      BoxGrid("txtGalaxy", {60, 61, 62, 63, 64}),
  };
  layout->addWidget(PagedGroup("cboGalaxyExtras", Names(kGalaxyGroupNames), pages, &cboGalaxyExtras_, &galaxyPages_));
  layout->addStretch(1);
  return frame;
}

QGroupBox* PropsWindow::BuildRetiredFrame() {
  QGroupBox* frame = Frame("fraAni_1", "3D Stars [RETIRED]");
  auto* layout = new QVBoxLayout(frame);
  auto* label = new QLabel("The 3D Stars Effect has been Retired.");
  label->setObjectName("lblRetired");
  layout->addWidget(label);
  layout->addStretch(1);
  return frame;
}

QWidget* PropsWindow::BuildColourFrames() {
  auto* panel = new QWidget;
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);

  QGroupBox* pixCol = Frame("fraPixCol", "Pixel Color Distribution");
  auto* pixLayout = new QVBoxLayout(pixCol);
  pixLayout->addWidget(BoxGrid("txtPixCol", {0, 1, 2}));
  layout->addWidget(pixCol);

  QGroupBox* colour = Frame("fraColor", "Pixel Hue Mix:  Red, Green, Blue (0 - 100)");
  auto* colourLayout = new QHBoxLayout(colour);
  for (int i = 0; i < 3; ++i) {
    const PropertiesControl* control = FindBoxControl("txtPixHue", i);
    if (!control) continue;
    picPixHue_[static_cast<size_t>(i)] = Swatch(QStringLiteral("picPixHue_%1").arg(i));
    colourLayout->addWidget(picPixHue_[static_cast<size_t>(i)]);
    NumberBox* box = MakeBox(*control);
    box->setFixedWidth(44);
    box->setToolTip(QString::fromStdString(control->label));
    colourLayout->addWidget(box);
    auto* spinner = new Spinner;
    spinner->setObjectName(QStringLiteral("spnPixHue_%1").arg(i));
    spinners_[{box->Array(), i}] = spinner;
    spinner->Follow(*box);
    colourLayout->addWidget(spinner);
    if (i < 2) colourLayout->addSpacing(8);
  }
  colourLayout->addStretch(1);
  layout->addWidget(colour);
  return panel;
}

QWidget* PropsWindow::BuildPreviewFrame() {
  QGroupBox* frame = Frame("fraPreview", "Preview");
  auto* layout = new QVBoxLayout(frame);
  cmdDispPreview_ = new QPushButton("Display Effects Preview");
  cmdDispPreview_->setObjectName("cmdDispPreview");
  cmdDispPreview_->setAutoDefault(false);
  connect(cmdDispPreview_, &QPushButton::clicked, this, &PropsWindow::TogglePreview);
  layout->addWidget(cmdDispPreview_);
  picPreview_ = new PreviewBox;
  picPreview_->setFixedSize(kPreviewWidth, kPreviewHeight);
  layout->addWidget(picPreview_, 0, Qt::AlignHCenter);
  return frame;
}

}  // namespace pyxora
