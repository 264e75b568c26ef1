#include "platform/window/QtMessagePresenter.h"

#include "platform/window/Window.h"

#include <QMessageBox>
#include <QString>

namespace window {

namespace {

QMessageBox::Icon QtIcon(container::MessageIcon icon) {
  switch (icon) {
  case container::MessageIcon::Information:
    return QMessageBox::Information;
  case container::MessageIcon::Warning:
    return QMessageBox::Warning;
  case container::MessageIcon::Error:
    return QMessageBox::Critical;
  case container::MessageIcon::Question:
    return QMessageBox::Question;
  case container::MessageIcon::None:
    break;
  }
  return QMessageBox::NoIcon;
}

} // namespace

void ShowMessage(std::string_view text, std::string_view caption, container::MessageIcon icon) {
  container::CurrentMessagePresenter().Present(
      {std::string(caption), std::string(text), icon, container::ContainerWindow::ActiveWindow()});
}

void QtMessagePresenter::Present(const container::MessageRequest& request) {
  const auto* owner = dynamic_cast<const Window*>(request.owner);
  QMessageBox box(QtIcon(request.icon), QString::fromStdString(request.caption),
                  QString::fromStdString(request.text), QMessageBox::Ok,
                  owner == nullptr ? nullptr : owner->Widget());
  box.exec();
}

} // namespace window
