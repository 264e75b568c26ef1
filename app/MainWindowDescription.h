#pragma once

#include "platform/window/WindowDescription.h"

#include <cstdint>

// The main window's control numbers.
inline constexpr std::int16_t FILE_MENU = 1;          // ?FILE
inline constexpr std::int16_t FILEEXIT = 2;           // ?FILEEXIT
inline constexpr std::int16_t OLE = 3;                // ?OLE, the drawing control's slot
inline constexpr std::int16_t SELECTRESIZEMODEON = 4; // ?SELECTRESIZEMODEON
inline constexpr std::int16_t CANCELBUTTON = 5;       // ?CANCELBUTTON

inline constexpr char kMainWindowCaption[] = "MetaDraw Control Demo";

// "MetaDraw Control Demo": the "&File" menu with a separator above "&Exit",
// the drawing control's slot, the check box "Select/Resize Mode On" bound
// to checkBoxValue, and the "&Close" button. "&Exit" and "&Close" close the
// window as its close box does.
window::WindowDescription MainWindowDescription(std::int32_t& checkBoxValue);
