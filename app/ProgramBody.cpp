#include "app/ProgramBody.h"

#include "app/MainWindowController.h"
#include "platform/container/MessagePresenter.h"
#include "platform/system/SystemParameters.h"
#include "platform/window/ProgramFolders.h"
#include "platform/window/QtMessagePresenter.h"
#include "platform/window/TerminationSignals.h"

errors::ErrorManager GlobalErrors;
ini::IniManager INIMgr;
std::int32_t SavedDragSetting = 0;

namespace {

constexpr std::uint32_t kStoreAndAnnounce = sys::SPIF_UPDATEINIFILE | sys::SPIF_SENDCHANGE;

void SetDragFullWindows(std::uint32_t on) {
  sys::SystemParametersInfo(sys::SPI_SETDRAGFULLWINDOWS, on, nullptr, kStoreAndAnnounce);
}

} // namespace

void ProgramBody() {
  GlobalErrors.Init(errors::ThreadErrorStatus());
  INIMgr.Init(".\\Quillpad.INI");
  sys::SystemParametersInfo(sys::SPI_GETDRAGFULLWINDOWS, 0, &SavedDragSetting, 0);
  if (SavedDragSetting == 1) {
    SetDragFullWindows(0);
  }
  Main();
  INIMgr.Update();
  if (SavedDragSetting == 1) {
    SetDragFullWindows(1);
  }
  INIMgr.Shutdown();
}

int RunProgram() {
  window::QtMessagePresenter presenter;
  container::ScopedMessagePresenter boxes(presenter);
  window::CloseOnTerminationSignals();
  window::LoadInstalledComponents();
  ProgramBody();
  return 0;
}
