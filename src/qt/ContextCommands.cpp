// Context menus built afresh from the control's commands each time they open.
#include "ContextCommands.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QWidget>
#include <functional>

#include "Text.h"

namespace loadergui::qt {

QKeySequence KeysOf(ui::Shortcut shortcut) {
  if (shortcut.key == 0) return {};
  Qt::KeyboardModifiers modifiers;
  if (shortcut.modifiers & ui::kCtrl) modifiers |= Qt::ControlModifier;
  if (shortcut.modifiers & ui::kShift) modifiers |= Qt::ShiftModifier;
  if (shortcut.modifiers & ui::kAlt) modifiers |= Qt::AltModifier;
  // Letters and digits have their ASCII codes as Qt key codes.
  return QKeySequence(QKeyCombination(modifiers, static_cast<Qt::Key>(shortcut.key)));
}

ContextCommands::ContextCommands(QWidget& widget, ui::Control& control)
    : QObject(&widget), widget_(widget), control_(control) {
  widget.setContextMenuPolicy(Qt::CustomContextMenu);
  connect(&widget, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { showMenu(at); });
  widget.installEventFilter(this);
  const auto& commands = control.contextCommands();
  for (std::size_t index = 0; index < commands.size(); ++index) {
    if (commands[index].shortcut.key == 0) continue;
    auto* shortcut = new QShortcut(KeysOf(commands[index].shortcut), widget.window());
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, [this, index] { run(index); });
    shortcuts_.emplace_back(shortcut);
  }
}

// The shortcuts belong to the window, which may outlive this menu.
ContextCommands::~ContextCommands() {
  for (const QPointer<QShortcut>& shortcut : shortcuts_) delete shortcut.data();
}

// Shift+F10 is the keyboard's way to a context menu beside the menu key, which Qt turns into a
// context menu request by itself.
bool ContextCommands::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &widget_ || event->type() != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() != Qt::Key_F10 || key->modifiers() != Qt::ShiftModifier) return false;
  showMenu(widget_.rect().center());
  return true;
}

void ContextCommands::showMenu(QPoint at) {
  const auto& commands = control_.contextCommands();
  if (commands.empty()) return;
  QMenu menu(&widget_);
  menu.setObjectName(QStringLiteral("contextMenu"));
  std::vector<QAction*> actions;
  for (const ui::ContextCommand& command : commands) {
    QAction* action = menu.addAction(ToQt(command.caption));
    action->setShortcut(KeysOf(command.shortcut));
    action->setShortcutVisibleInContextMenu(true);
    actions.push_back(action);
  }
  QAction* chosen = menu.exec(widget_.mapToGlobal(at));
  for (std::size_t index = 0; index < actions.size(); ++index) {
    if (actions[index] == chosen) return run(index);
  }
}

// From a copy: the command may give the control other commands while it runs.
void ContextCommands::run(std::size_t index) {
  const auto& commands = control_.contextCommands();
  if (index >= commands.size()) return;
  std::function<void()> command = commands[index].run;
  if (command) command();
}

}  // namespace loadergui::qt
