#include "platform/window/WindowDescription.h"

#include <utility>

namespace window {

namespace {

ControlDescription Control(ControlKind kind, std::int16_t number, std::string text) {
  ControlDescription control;
  control.kind = kind;
  control.number = number;
  control.text = std::move(text);
  return control;
}

} // namespace

ControlDescription Menu(std::int16_t number, std::string text, std::int16_t menu) {
  ControlDescription control = Control(ControlKind::Menu, number, std::move(text));
  control.menu = menu;
  return control;
}

ControlDescription MenuItem(std::int16_t number, std::string text, std::int16_t menu, StandardAction action) {
  ControlDescription control = Control(ControlKind::MenuItem, number, std::move(text));
  control.menu = menu;
  control.action = action;
  return control;
}

ControlDescription MenuSeparator(std::int16_t menu) {
  ControlDescription control = Control(ControlKind::MenuSeparator, 0, {});
  control.menu = menu;
  return control;
}

ControlDescription OleControl(std::int16_t number, DialogRect rect) {
  ControlDescription control = Control(ControlKind::OleControl, number, {});
  control.rect = rect;
  return control;
}

ControlDescription CheckBox(std::int16_t number, std::string text, DialogRect rect, std::int32_t& value) {
  ControlDescription control = Control(ControlKind::CheckBox, number, std::move(text));
  control.rect = rect;
  control.value = &value;
  return control;
}

ControlDescription PushButton(std::int16_t number, std::string text, DialogRect rect, std::string icon,
                              StandardAction action) {
  ControlDescription control = Control(ControlKind::PushButton, number, std::move(text));
  control.rect = rect;
  control.icon = std::move(icon);
  control.action = action;
  return control;
}

} // namespace window
