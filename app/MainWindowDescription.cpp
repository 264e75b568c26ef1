#include "app/MainWindowDescription.h"

using window::StandardAction;

window::WindowDescription MainWindowDescription(std::int32_t& checkBoxValue) {
  window::WindowDescription description;
  description.caption = kMainWindowCaption;
  description.width = 319;
  description.height = 272;
  description.font = {"MS Sans Serif", 8, 400};
  description.controls = {
      window::Menu(FILE_MENU, "&File"),
      window::MenuSeparator(FILE_MENU),
      window::MenuItem(FILEEXIT, "&Exit", FILE_MENU, StandardAction::CloseWindow),
      window::OleControl(OLE, {2, 4, 311, 236}),
      window::CheckBox(SELECTRESIZEMODEON, "Select/Resize Mode On", {5, 256}, checkBoxValue),
      window::PushButton(CANCELBUTTON, "&Close", {265, 250, 47, 14}, "WACancel.ico", StandardAction::CloseWindow),
  };
  return description;
}
