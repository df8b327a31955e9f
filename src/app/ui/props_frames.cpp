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
#include "host/properties_fields.h"
#include "host/properties_layout.h"

namespace pyxora {
namespace {

constexpr int kBoxWidth = 64;
constexpr int kPreviewWidth = 320, kPreviewHeight = 240;

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
    painter.setPen(QColor(255, 255, 255));
    for (const OutlinePoint& point : ProfileOutline(profile_, width(), height())) painter.drawPoint(point.x, point.y);
  }

 private:
  int profile_ = 0;
};

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

QWidget* PropsWindow::BoxGrid(const char* array, const std::vector<int>& indexes, QWidget* extra) {
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

QGroupBox* PropsWindow::BuildFrame(int effect, const EffectFrameLayout& layout) {
  QGroupBox* frame = Frame(layout.frameName.c_str(), layout.caption.c_str());
  auto* column = new QVBoxLayout(frame);
  LayItems(*column, layout.items, effect);
  column->addStretch(1);
  return frame;
}

void PropsWindow::LayItems(QVBoxLayout& column, const std::vector<LayoutItem>& items, int effect) {
  QGridLayout* lastGrid = nullptr;
  int lastRow = 0;
  for (size_t i = 0; i < items.size(); ++i) {
    const LayoutItem& item = items[i];
    switch (item.kind) {
      case LayoutItemKind::ThemeList:
      case LayoutItemKind::List: {
        auto* row = new QHBoxLayout;
        row->addWidget(new QLabel(QString::fromStdString(item.label)));
        row->addWidget(item.kind == LayoutItemKind::ThemeList ? MakeThemeList(item.name.c_str(), effect)
                                                              : MakeList(item.name.c_str(), item.entries),
                       1);
        column.addLayout(row);
        break;
      }
      case LayoutItemKind::Boxes: {
        // A check box right after its boxes stands below them, lined up with them.
        QWidget* extra = nullptr;
        if (i + 1 < items.size() && items[i + 1].kind == LayoutItemKind::Check) extra = MakeCheck(items[++i].name.c_str());
        QWidget* grid = BoxGrid(item.name.c_str(), item.boxes, extra);
        lastGrid = static_cast<QGridLayout*>(grid->layout());
        lastRow = static_cast<int>(item.boxes.size()) - 1;
        column.addWidget(grid);
        break;
      }
      case LayoutItemKind::Check:
        column.addWidget(MakeCheck(item.name.c_str()));
        break;
      case LayoutItemKind::Pages: {
        std::vector<QWidget*> pages;
        for (const LayoutItem& page : item.children) {
          auto* panel = new QWidget;
          auto* pageColumn = new QVBoxLayout(panel);
          pageColumn->setContentsMargins(0, 0, 0, 0);
          LayItems(*pageColumn, page.children, effect);
          pageColumn->addStretch(1);
          pages.push_back(panel);
        }
        QComboBox* list = nullptr;
        QStackedWidget* stack = nullptr;
        column.addWidget(PagedGroup(item.name.c_str(), item.entries, pages, &list, &stack));
        pageStacks_.push_back(stack);
        break;
      }
      case LayoutItemKind::HueSwatch:
        // Beside the box above it: the galaxy hue.
        picGalHue_ = Swatch("picGalHue");
        if (lastGrid) lastGrid->addWidget(picGalHue_, lastRow, 3);
        break;
      case LayoutItemKind::ProfilePicture: {
        auto* outline = new ProfilePicture;
        if (QComboBox* profiles = lists_["cboGalProfile"])
          connect(profiles, &QComboBox::currentIndexChanged, outline, [outline](int p) { outline->SetProfile(p); });
        column.addWidget(outline, 0, Qt::AlignLeft);
        break;
      }
      case LayoutItemKind::Note: {
        auto* label = new QLabel(QString::fromStdString(item.label));
        label->setObjectName(QString::fromStdString(item.name));
        column.addWidget(label);
        break;
      }
      case LayoutItemKind::Page:
        break;
    }
  }
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
