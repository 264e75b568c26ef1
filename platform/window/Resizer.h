#pragma once

#include <QSize>

#include <cstdint>
#include <memory>
#include <optional>

namespace window {

class Window;

// Keeps a window's controls in place while the person resizes it, by an
// application strategy fixed when it is attached.
class Resizer {
public:
  // Strategy 1: OLE control slots grow and shrink with the window; every
  // other control keeps its distance to the nearer side across (left or
  // right) and the nearer side down (top or bottom), judged by its centre
  // in the window as declared. So a check box at the bottom left stays
  // there, and a button at the bottom right stays there.
  static constexpr std::uint8_t kStrategySpread = 1;

  Resizer();
  Resizer(const Resizer&) = delete;
  Resizer& operator=(const Resizer&) = delete;
  ~Resizer();

  // Takes the window's current layout as the declared one. The optional
  // limits are the client area's smallest and largest size in dialog
  // units. False, and nothing attached, for an unknown strategy.
  bool Attach(Window& window, std::uint8_t strategy, std::optional<QSize> minimum = std::nullopt,
              std::optional<QSize> maximum = std::nullopt);
  // Stops following the window (also when the resizer goes).
  void Detach();

private:
  class Follower;
  std::unique_ptr<Follower> follower_;
};

} // namespace window
