#pragma once

#include "drawctl/DrawingControlClass.h"
#include "platform/window/Resizer.h"
#include "platform/window/WindowManager.h"

#include <cstdint>

namespace errors {
class ErrorManager;
}

// The main window's locals that its hooks work with.
struct MainWindowLocals {
  // The check box's value variable: not 0 while ticked.
  std::int32_t checkBoxValue = 0;
  // Scratch list and colour byte of the drawing set-up.
  PointQueue points;
  std::uint8_t colourComponent = 0;
};

// Runs the main window: opens it, connects the drawing control and puts the
// caption and the samples on it, then turns the control's events and the
// check box into drawing modes, and releases the control when the window
// closes.
//
//   hot spot on a sample   the caption reads "Click to paint " and its name
//   click on a sample      draw its kind with its fill colour and a random
//                          line colour and width
//   right button released  select mode (0)
//   check box ticked       select, move and resize mode (11); unticked: 0
class MainWindowController : public window::WindowManager {
public:
  MainWindowController(window::Window& window, MainWindowLocals& locals, errors::ErrorManager& errors);

  std::uint8_t Initialise() override;
  std::uint8_t Shutdown() override;
  std::uint8_t HandleAccepted() override;
  std::uint8_t HandleWindowEvent() override;

private:
  void TakeControlMessage();
  void ShowHotSpot(std::int32_t leftOrEntered, std::string_view tag);
  void ArmDrawingTool();

  MainWindowLocals& locals_;
  errors::ErrorManager& errors_;
  window::Resizer resizer_;
  bool connected_ = false;
};

// The main window from opening to closing.
void Main();
