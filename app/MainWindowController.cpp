#include "app/MainWindowController.h"

#include "app/MainWindowDescription.h"
#include "app/ProgramBody.h"
#include "app/SamplePalette.h"
#include "automation/ControlEventForwarding.h"
#include "automation/EventMessageQueue.h"
#include "platform/errors/ErrorManager.h"
#include "platform/ole/FixedText.h"
#include "platform/window/Random.h"
#include "platform/window/Window.h"

#include <string>

namespace {

constexpr std::uint8_t kWrite = 0;
constexpr std::uint8_t kRead = 1;
constexpr char kProcedureName[] = "Main";

constexpr std::int32_t kSelectMode = 0;
constexpr std::int32_t kSelectMoveResizeMode = 11;
constexpr std::int32_t kCurrentSelected = 1;
constexpr std::int32_t kCurrentNewObjects = 4;
// Cannot be moved, resized or deleted: the samples keep their places.
constexpr std::int32_t kSampleMove = 14;
constexpr std::int32_t kRightButton = 2;
constexpr std::int32_t kHotSpotLeft = 1;
constexpr std::int32_t kHighestColor = 16777215;
constexpr std::int32_t kWidestLine = 8;

constexpr char kDrawPrompt[] =
    "Use the mouse to draw the object or click right mouse button to change to Select mode";
constexpr char kSelectPrompt[] = "Use the mouse to select, move or resize objects";

// A random whole number from 1 to 1000 scaled to 0..highest, cut toward
// zero. The product needs more than 32 bits.
std::int32_t RandomShare(std::int32_t highest) {
  const std::int64_t draw = window::RandomInRange(1, 1000);
  return static_cast<std::int32_t>(draw * highest / 1000);
}

} // namespace

MainWindowController::MainWindowController(window::Window& window, MainWindowLocals& locals,
                                           errors::ErrorManager& errors)
    : WindowManager(window), locals_(locals), errors_(errors) {}

std::uint8_t MainWindowController::Initialise() {
  errors_.SetProcedureName(kProcedureName);
  if (const std::uint8_t code = WindowManager::Initialise()) {
    return code;
  }
  SetFirstControl(SELECTRESIZEMODEON);
  SetErrorManager(errors_);
  Open();
  resizer_.Attach(GetWindow(), window::Resizer::kStrategySpread);
  MainWindowThread = window::CurrentThreadNumber();
  DrawingControl.Connect(&GetWindow(), OLE);
  connected_ = true;
  SetUpDrawing(GetWindow(), locals_.points, locals_.colourComponent);
  return window::RESULT_Continue;
}

std::uint8_t MainWindowController::Shutdown() {
  if (const std::uint8_t code = WindowManager::Shutdown()) {
    return code;
  }
  if (connected_) {
    DrawingControl.Disconnect();
  }
  errors_.RemoveProcedureName(kProcedureName);
  return window::RESULT_Continue;
}

std::uint8_t MainWindowController::HandleAccepted() {
  if (AcceptedControl() == SELECTRESIZEMODEON) {
    GetWindow().CopyStatesToValues();
    if (locals_.checkBoxValue != 0) {
      DrawingControl.EditMode(kSelectMoveResizeMode, kWrite);
      DrawingControl.Current(kCurrentSelected, kWrite);
      DrawingControl.ObjSelected(0, kWrite);
      DrawingControl.ObjMove(kSampleMove, kWrite);
      DrawingControl.Text(kSelectPrompt, kWrite);
    } else {
      DrawingControl.EditMode(kSelectMode, kWrite);
    }
  }
  return WindowManager::HandleAccepted();
}

std::uint8_t MainWindowController::HandleWindowEvent() {
  if (CurrentEvent() == ControlMessageEvent) {
    TakeControlMessage();
  }
  return WindowManager::HandleWindowEvent();
}

// Acts on the oldest waiting control event and deletes its record, which
// stays at the front while events fired meanwhile queue up behind it.
void MainWindowController::TakeControlMessage() {
  if (EventMessageQueue.empty()) {
    return;
  }
  const EventMessageRecord record = EventMessageQueue.front();
  const std::string_view name = ole::TrimTrailingBlanks(record.MQ_MESSAGENAME);
  if (name == "OnHotSpot") {
    ShowHotSpot(record.MQ_LPARAM3, ole::TrimTrailingBlanks(record.MQ_TAG));
  } else if (name == "HitObject") {
    ArmDrawingTool();
  } else if (name == "MouseUp" && record.MQ_LPARAM1 == kRightButton) {
    DrawingControl.EditMode(kSelectMode, kWrite);
  }
  EventMessageQueue.pop_front();
}

void MainWindowController::ShowHotSpot(std::int32_t leftOrEntered, std::string_view tag) {
  DrawingControl.ObjMove(kSampleMove, kWrite);
  DrawingControl.ObjVisible(leftOrEntered == kHotSpotLeft ? 0 : 1, kWrite);
  DrawingControl.Text("Click to paint " + std::string(tag), kWrite);
}

// The hit object is a sample: draw its kind with its fill colour.
void MainWindowController::ArmDrawingTool() {
  const std::int32_t fillColor = DrawingControl.FillColor(0, kRead);
  DrawingControl.EditMode(DrawingControl.ObjNumber(0, kRead) - 1, kWrite);
  DrawingControl.Current(kCurrentNewObjects, kWrite);
  DrawingControl.FillColor(fillColor, kWrite);
  DrawingControl.LineColor(RandomShare(kHighestColor), kWrite);
  DrawingControl.LineWidth(RandomShare(kWidestLine), kWrite);
  DrawingControl.ObjMove(kSampleMove, kWrite);
  DrawingControl.Text(kDrawPrompt, kWrite);
}

void Main() {
  MainWindowLocals locals;
  window::Window mainWindow(MainWindowDescription(locals.checkBoxValue));
  MainWindowController controller(mainWindow, locals, GlobalErrors);
  controller.Run();
}
