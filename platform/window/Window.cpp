#include "platform/window/Window.h"

#include "platform/container/ControlSlot.h"
#include "platform/ole/ComPtr.h"
#include "platform/window/ProgramFolders.h"
#include "platform/window/ThreadMailbox.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFont>
#include <QIcon>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace window {

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

QFont FontOf(const FontDescription& font) {
  return QFont(Text(font.family), font.pointSize, static_cast<QFont::Weight>(font.weight));
}

QIcon IconFromFile(const std::string& file) {
  const std::filesystem::path path(file);
  return QIcon(QString::fromStdString((path.is_absolute() ? path : DataFolder() / path).string()));
}

} // namespace

// The top-level widget. While a window manager runs the window, a close
// request is the manager's to handle; the close box only asks.
class Window::Frame : public QMainWindow {
public:
  explicit Frame(Window& window) : window_(window) {}

protected:
  void closeEvent(QCloseEvent* event) override {
    if (window_.manager_ == nullptr) {
      QMainWindow::closeEvent(event);
      return;
    }
    event->ignore();
    window_.RequestClose();
  }

  void changeEvent(QEvent* event) override {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
      window_.Activate();
    }
    QMainWindow::changeEvent(event);
  }

private:
  Window& window_;
};

Window::Window(WindowDescription description)
    : description_(std::move(description)), frame_(std::make_unique<Frame>(*this)),
      units_(FontOf(description_.font)) {
  frame_->setWindowTitle(Text(description_.caption));
  clientArea_ = new QWidget;
  clientArea_->setFont(FontOf(description_.font));
  frame_->setCentralWidget(clientArea_);
  clientHandle_ = sys::RegisterWindowHandle(clientArea_);

  BuildMenus();
  BuildControls();

  const QSize client = units_.ToPixels(description_.width, description_.height);
  frame_->resize(client.width(), client.height() + frame_->menuBar()->sizeHint().height());
  if (description_.position) {
    frame_->move(units_.ToPixelsX(description_.position->x), units_.ToPixelsY(description_.position->y));
  }
}

Window::~Window() {
  for (const ControlDescription& control : description_.controls) {
    if (control.kind == ControlKind::OleControl) {
      if (container::ControlSlot* slot = Slot(control.number)) {
        slot->Deactivate();
      }
    }
  }
  sys::UnregisterWindowHandle(clientHandle_);
}

// Menus and their entries go into the menu that their menu number names,
// or into the menu bar when it names none declared before them. Qt hides
// a separator at the start of a menu unless told otherwise; a declared
// separator is always shown.
void Window::BuildMenus() {
  std::map<std::int16_t, QWidget*> menus;
  for (const ControlDescription& control : description_.controls) {
    const auto holder = menus.find(control.menu);
    QWidget* parent = holder == menus.end() ? frame_->menuBar() : holder->second;
    QAction* action = nullptr;
    switch (control.kind) {
    case ControlKind::Menu: {
      auto* menu = new QMenu(Text(control.text), frame_.get());
      menu->setSeparatorsCollapsible(false);
      menus[control.number] = menu;
      action = menu->menuAction();
      break;
    }
    case ControlKind::MenuItem:
      action = new QAction(Text(control.text), frame_.get());
      QObject::connect(action, &QAction::triggered, frame_.get(), Chooser(control));
      break;
    case ControlKind::MenuSeparator:
      action = new QAction(frame_.get());
      action->setSeparator(true);
      break;
    default:
      continue;
    }
    parent->addAction(action);
    if (control.number != 0) {
      actions_[control.number] = action;
    }
  }
}

void Window::BuildControls() {
  for (const ControlDescription& control : description_.controls) {
    QWidget* widget = nullptr;
    switch (control.kind) {
    case ControlKind::OleControl: {
      widget = new QWidget(clientArea_);
      (new QVBoxLayout(widget))->setContentsMargins(0, 0, 0, 0);
      AddSlot(control.number);
      break;
    }
    case ControlKind::CheckBox: {
      auto* box = new QCheckBox(Text(control.text), clientArea_);
      box->setChecked(control.value != nullptr && *control.value != 0);
      QObject::connect(box, &QCheckBox::clicked, box, Chooser(control));
      widget = box;
      break;
    }
    case ControlKind::PushButton: {
      auto* button = new QPushButton(Text(control.text), clientArea_);
      if (!control.icon.empty()) {
        button->setIcon(IconFromFile(control.icon));
      }
      QObject::connect(button, &QPushButton::clicked, button, Chooser(control));
      widget = button;
      break;
    }
    default:
      continue;
    }
    widget->setGeometry(units_.ToPixels(control.rect, widget->sizeHint()));
    controls_[control.number] = widget;
  }
}

std::function<void()> Window::Chooser(const ControlDescription& control) {
  return [this, number = control.number, action = control.action] { Choose(number, action); };
}

void Window::Choose(std::int16_t number, StandardAction action) {
  if (action == StandardAction::CloseWindow) {
    RequestClose();
  } else if (manager_ != nullptr) {
    ThreadMailbox::Current().Push({EVENT_Accepted, number, manager_});
  }
}

void Window::RequestClose() {
  if (manager_ == nullptr) {
    frame_->close();
    return;
  }
  ThreadMailbox::Current().Push({EVENT_CloseWindow, 0, manager_});
}

void Window::CopyStatesToValues() {
  for (const ControlDescription& control : description_.controls) {
    if (control.kind == ControlKind::CheckBox && control.value != nullptr) {
      if (const auto* box = qobject_cast<QCheckBox*>(ControlWidget(control.number))) {
        *control.value = box->isChecked() ? 1 : 0;
      }
    }
  }
}

void Window::Show(std::int16_t firstControl) {
  frame_->show();
  frame_->raise();
  frame_->activateWindow();
  if (QWidget* first = ControlWidget(firstControl)) {
    first->setFocus(Qt::OtherFocusReason);
  }
  Activate();
}

void Window::Hide() { frame_->hide(); }

QWidget* Window::Widget() const { return frame_.get(); }

QWidget* Window::ControlWidget(std::int16_t number) const {
  const auto found = controls_.find(number);
  return found == controls_.end() ? nullptr : found->second.data();
}

QAction* Window::MenuAction(std::int16_t number) const {
  const auto found = actions_.find(number);
  return found == actions_.end() ? nullptr : found->second.data();
}

void Window::ControlCreated(container::ControlSlot& slot) {
  QWidget* place = ControlWidget(slot.ControlNumber());
  const ole::ComPtr<ole::IControlView> view = slot.View();
  if (place == nullptr || !view) {
    return;
  }
  QWidget* shown = view->ShowView(place);
  if (shown != nullptr && place->layout()->indexOf(shown) < 0) {
    place->layout()->addWidget(shown);
  }
}

void Window::ControlDeactivating(container::ControlSlot& slot) {
  if (const ole::ComPtr<ole::IControlView> view = slot.View()) {
    view->CloseView();
  }
}

} // namespace window
