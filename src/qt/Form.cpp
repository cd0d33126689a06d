// The form window: the client area laid out from the table in pixels, the menu bar above it.
#include "Form.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMenu>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

#include "ButtonControl.h"
#include "CaptionControl.h"
#include "CheckBoxControl.h"
#include "ComboBoxAccessible.h"
#include "ComboBoxControl.h"
#include "FitText.h"
#include "LabelControl.h"
#include "MenuControl.h"
#include "Text.h"
#include "TextBoxControl.h"
#include "TipFilter.h"
#include "Toolkit.h"
#include "Twips.h"
#include "ui/AccessibleNames.h"

namespace loadergui::qt {

namespace {

using ui::ControlKind;

constexpr std::string_view kSeparatorCaption = "-";

using ControlMaker = std::unique_ptr<WidgetControl> (*)(const ui::ControlLayout&, QWidget*);

template <typename Kind>
std::unique_ptr<WidgetControl> Make(const ui::ControlLayout& row, QWidget* parent) {
  return std::make_unique<Kind>(row, parent);
}

struct KindMaker {
  ControlKind kind;
  ControlMaker make;
};

const KindMaker kControlKinds[] = {
    {ControlKind::Button, Make<ButtonControl>},     {ControlKind::Label, Make<LabelControl>},
    {ControlKind::TextBox, Make<TextBoxControl>},   {ControlKind::ComboBox, Make<ComboBoxControl>},
    {ControlKind::CheckBox, Make<CheckBoxControl>},
};

ControlMaker MakerFor(ControlKind kind) {
  for (const auto& entry : kControlKinds) {
    if (entry.kind == kind) return entry.make;
  }
  return nullptr;
}

// A form with a menu bar is the program's main window; one without is a dialog.
FormWindow::Frame FrameFor(const ui::FormLayout& layout) {
  return layout.menu.empty() ? FormWindow::Frame::Dialog : FormWindow::Frame::MainWindow;
}

}  // namespace

// The window takes exactly the size of its client area and menu bar, and keeps it.
QtForm::QtForm(const ui::FormLayout& layout, QtToolkit& toolkit)
    : Form(layout), toolkit_(toolkit), window_(std::make_unique<FormWindow>(FrameFor(layout))) {
  window_->setObjectName(ToQt(layout.name));
  window_->setWindowTitle(ToQt(layout.caption));
  window_->setWindowIcon(toolkit.icon());
  window_->setFont(FormFont());
  adoptCaption(
      std::make_unique<CaptionControl>(std::string(layout.name) + ".Caption", window_.get()));
  auto* frame = new QVBoxLayout(window_.get());
  frame->setContentsMargins(0, 0, 0, 0);
  frame->setSpacing(0);
  frame->setSizeConstraint(QLayout::SetFixedSize);
  client_ = new QWidget(window_.get());
  client_->setObjectName(QStringLiteral("client"));
  client_->setFixedSize(TwipsToPixels(layout.clientWidth), TwipsToPixels(layout.clientHeight));
  frame->addWidget(client_);
  buildControls();
  buildMenu();
  if (menuBar_) frame->setMenuBar(menuBar_);
  window_->onCloseRequest = [this] {
    if (!destroyed_ && onCloseRequest) onCloseRequest();
  };
  // A quit of the event loop that no form asked for comes from outside: the session ends, or
  // the program was told to end (SessionEnd.h). A form that stands then has its last word; after
  // a normal exit every form has gone already.
  QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, window_.get(),
                   [this] {
                     if (!destroyed_ && onEndSession) onEndSession();
                   });
  toolkit_.formCreated();
}

QtForm::~QtForm() {
  if (!destroyed_) toolkit_.formDestroyed();
}

// Controls are created in the table's order, which is also the tab order. Qt keeps the first
// description it makes of a widget, so the combo boxes' own is in place before any exists.
void QtForm::buildControls() {
  UseComboBoxAccessible();
  QWidget* previous = nullptr;
  for (const ui::ControlLayout& row : layout().controls) {
    ControlMaker make = MakerFor(row.kind);
    if (!make) continue;
    std::unique_ptr<WidgetControl> control = make(row, client_);
    QWidget* widget = control->widget();
    new TipFilter(*widget, *control);
    if (row.kind == ControlKind::Button && (row.flags & ui::kCancelButton)) {
      window_->setCancelButton(static_cast<ButtonControl&>(*control).button());
    }
    if (widget->focusPolicy() != Qt::NoFocus) {
      if (previous) QWidget::setTabOrder(previous, widget);
      previous = widget;
    }
    children_.push_back(control.get());
    adopt(std::move(control));
  }
  nameBoxes();
}

// Every text box and combo box takes its name from the label or check box that the table
// says, once both exist.
void QtForm::nameBoxes() {
  for (WidgetControl* box : children_) {
    const ui::ControlLayout* label = ui::LabelOf(layout(), box->row());
    if (!label) continue;
    for (WidgetControl* namer : children_) {
      if (&namer->row() == label) namer->nameBox(*box->widget());
    }
  }
}

// Level-0 entries are the menus of the bar, level-1 entries the items of the menu before them.
// An entry that starts hidden is in its menu, out of sight, until the program shows it.
void QtForm::buildMenu() {
  if (layout().menu.empty()) return;
  menuBar_ = new QMenuBar(window_.get());
  menuBar_->setObjectName(QStringLiteral("menuBar"));
  QMenu* menu = nullptr;
  for (const ui::MenuEntry& entry : layout().menu) {
    if (entry.level == 0) {
      menu = menuBar_->addMenu(ToQt(entry.caption));
      menu->setObjectName(ToQt(entry.name));
      adopt(std::make_unique<MenuControl>(entry, ControlKind::Menu, menu->menuAction()));
    } else if (menu) {
      bool separator = entry.caption == kSeparatorCaption;
      QAction* action = separator ? menu->addSeparator() : menu->addAction(ToQt(entry.caption));
      action->setVisible((entry.flags & ui::kStartsHidden) == 0);
      adopt(std::make_unique<MenuControl>(
          entry, separator ? ControlKind::Separator : ControlKind::MenuItem, action));
    }
  }
}

// The frame counts as far as the platform knows it before the window shows; move() places the
// frame's corner.
void QtForm::centreOnScreen() {
  window_->winId();
  QScreen* screen = window_->screen() ? window_->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  window_->adjustSize();
  QMargins frame = window_->windowHandle()->frameMargins();
  QSize size = window_->size().grownBy(frame);
  QRect area = screen->availableGeometry();
  window_->move(area.x() + (area.width() - size.width()) / 2,
                area.y() + (area.height() - size.height()) / 2);
}

// Only a form with a drop handler takes files dragged over it.
void QtForm::acceptDropsIfWanted() {
  window_->setAcceptDrops(static_cast<bool>(onDropFiles));
  window_->onDropFiles = onDropFiles;
}

void QtForm::show() {
  if (destroyed_) return;
  if (!centredOnce_) {
    centreOnScreen();
    centredOnce_ = true;
  }
  acceptDropsIfWanted();
  window_->show();
}

// Modal to the whole program, so the main window takes no input meanwhile; the owner is the
// window the desktop keeps it above. Returns once the form is hidden again.
void QtForm::showModal(ui::Form& owner) {
  if (destroyed_) return;
  auto* ownerWindow = static_cast<QWidget*>(owner.nativeHandle());
  window_->winId();
  if (ownerWindow && window_->windowHandle()) {
    ownerWindow->winId();
    window_->windowHandle()->setTransientParent(ownerWindow->windowHandle());
  }
  centreOnScreen();
  centredOnce_ = true;
  acceptDropsIfWanted();
  window_->setWindowModality(Qt::ApplicationModal);
  window_->exec();
}

void QtForm::hide() {
  window_->hide();
}

bool QtForm::isShown() const {
  return !destroyed_ && window_->isVisible();
}

// The window goes out of sight for good; it is deleted with the form, since a handler of its
// own may still be running.
void QtForm::destroy() {
  if (destroyed_) return;
  destroyed_ = true;
  window_->onDropFiles = nullptr;
  window_->hide();
  toolkit_.formDestroyed();
}

std::string QtForm::focusedControl() const {
  for (const WidgetControl* child : children_) {
    if (child->hasFocus()) return child->name();
  }
  return {};
}

}  // namespace loadergui::qt
