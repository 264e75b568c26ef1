#include "platform/window/Resizer.h"

#include "platform/window/Window.h"

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace window {

namespace {

struct Placement {
  QPointer<QWidget> widget;
  QRect declared;
  bool stretches = false;
  bool keepsRight = false;
  bool keepsBottom = false;
};

} // namespace

// Watches the client area's size and places the controls after each change.
class Resizer::Follower : public QObject {
public:
  // The declared layout is the description's, whatever size the client
  // area happens to have when the resizer is attached.
  explicit Follower(Window& window)
      : clientArea_(window.ClientArea()),
        declaredSize_(window.Units().ToPixels(window.Description().width, window.Description().height)) {
    for (const ControlDescription& control : window.Description().controls) {
      QWidget* widget = window.ControlWidget(control.number);
      if (widget == nullptr) {
        continue;
      }
      const QRect declared = widget->geometry();
      placements_.push_back({widget, declared, control.kind == ControlKind::OleControl,
                             declared.center().x() > declaredSize_.width() / 2,
                             declared.center().y() > declaredSize_.height() / 2});
    }
    clientArea_->installEventFilter(this);
    Place(clientArea_->size() - declaredSize_);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == clientArea_ && event->type() == QEvent::Resize) {
      Place(clientArea_->size() - declaredSize_);
    }
    return QObject::eventFilter(watched, event);
  }

private:
  void Place(QSize change) {
    for (const Placement& placement : placements_) {
      if (placement.widget == nullptr) {
        continue;
      }
      QRect place = placement.declared;
      if (placement.stretches) {
        place.setSize({std::max(0, place.width() + change.width()), std::max(0, place.height() + change.height())});
      } else {
        place.translate(placement.keepsRight ? change.width() : 0, placement.keepsBottom ? change.height() : 0);
      }
      placement.widget->setGeometry(place);
    }
  }

  QPointer<QWidget> clientArea_;
  QSize declaredSize_;
  std::vector<Placement> placements_;
};

Resizer::Resizer() = default;

Resizer::~Resizer() = default;

bool Resizer::Attach(Window& window, std::uint8_t strategy, std::optional<QSize> minimum,
                     std::optional<QSize> maximum) {
  if (strategy != kStrategySpread) {
    return false;
  }
  follower_ = std::make_unique<Follower>(window);
  if (minimum) {
    window.ClientArea()->setMinimumSize(window.Units().ToPixels(minimum->width(), minimum->height()));
  }
  if (maximum) {
    window.ClientArea()->setMaximumSize(window.Units().ToPixels(maximum->width(), maximum->height()));
  }
  return true;
}

void Resizer::Detach() { follower_.reset(); }

} // namespace window
