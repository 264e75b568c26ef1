#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace window {

// Positions and sizes in dialog units of the window's font: a quarter of
// its average character width across, an eighth of its height down. An
// empty width or height is the control's own natural size.
struct DialogRect {
  DialogRect() = default;
  DialogRect(int x, int y, std::optional<int> width = std::nullopt, std::optional<int> height = std::nullopt)
      : x(x), y(y), width(width), height(height) {}

  int x = 0;
  int y = 0;
  std::optional<int> width;
  std::optional<int> height;
};

enum class ControlKind { Menu, MenuItem, MenuSeparator, OleControl, CheckBox, PushButton };

// What choosing a control does when the window manager's hooks are not to
// see it: CloseWindow closes the window exactly as its close box does.
enum class StandardAction { None, CloseWindow };

// One control of a window. Texts may carry "&" before the letter that
// chooses the control with Alt.
struct ControlDescription {
  ControlKind kind = ControlKind::PushButton;
  // Names the control in events and calls; 0 for one that has no number
  // (a menu separator).
  std::int16_t number = 0;
  std::string text;
  // Menu items, separators and submenus: the number of the menu that holds
  // them. 0 puts a menu in the menu bar.
  std::int16_t menu = 0;
  DialogRect rect;
  // Check box: its value variable, not 0 while ticked; it sets the initial
  // tick and receives the state when the window copies control states.
  std::int32_t* value = nullptr;
  // Push button: an icon file, looked up in the program's data folder.
  std::string icon;
  StandardAction action = StandardAction::None;
};

struct FontDescription {
  std::string family;
  int pointSize = 8;
  int weight = 400; // 100 to 900, 400 normal, 700 bold
};

// A window as a program declares it. Menu entries appear in the order of
// the list; the controls are placed in the client area below the menu bar.
struct WindowDescription {
  std::string caption;
  // Empty: the system places the window.
  std::optional<DialogRect> position;
  int width = 0;  // of the client area, in dialog units
  int height = 0;
  FontDescription font;
  std::vector<ControlDescription> controls;
};

// Short forms for the entries of a description.
ControlDescription Menu(std::int16_t number, std::string text, std::int16_t menu = 0);
ControlDescription MenuItem(std::int16_t number, std::string text, std::int16_t menu,
                            StandardAction action = StandardAction::None);
ControlDescription MenuSeparator(std::int16_t menu);
ControlDescription OleControl(std::int16_t number, DialogRect rect);
ControlDescription CheckBox(std::int16_t number, std::string text, DialogRect rect, std::int32_t& value);
ControlDescription PushButton(std::int16_t number, std::string text, DialogRect rect, std::string icon = {},
                              StandardAction action = StandardAction::None);

} // namespace window
