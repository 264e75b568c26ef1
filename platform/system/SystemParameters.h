#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>

namespace sys {

inline constexpr std::uint32_t SPI_SETDRAGFULLWINDOWS = 0x0025;
inline constexpr std::uint32_t SPI_GETDRAGFULLWINDOWS = 0x0026;
// Flags of a set: keep the value in the stored settings, and tell the
// listeners of the process.
inline constexpr std::uint32_t SPIF_UPDATEINIFILE = 1;
inline constexpr std::uint32_t SPIF_SENDCHANGE = 2;

// Reads or changes a system setting. The one setting known is full-window
// dragging (window contents shown while a window is dragged):
// - SPI_GETDRAGFULLWINDOWS writes 1 or 0 as a 32-bit integer at pvParam;
// - SPI_SETDRAGFULLWINDOWS takes the value in param (not 0 means on).
//   With SPIF_UPDATEINIFILE it is stored in the settings file, which is
//   replaced atomically; without, it holds for this process only.
// The stored value is read from the file on every get, so every part of
// the process, including separately loaded components that carry their own
// copy of this code, sees a change at once; the value for this process
// only is shared the same way. False for an unknown action, a null pvParam
// on a get, or a file that cannot be written; nothing changes then.
// Call it on the thread that runs the application's event loop.
bool SystemParametersInfo(std::uint32_t action, std::uint32_t param, void* pvParam, std::uint32_t flags);

// The settings file: "metadraw/desktop.ini" in $XDG_CONFIG_HOME, or in
// ~/.config when that is unset or not an absolute path. When the file or
// its entry is missing, full-window dragging is on.
std::filesystem::path SystemSettingsPath();

// Calls back, on the event loop's thread, after every set with
// SPIF_SENDCHANGE anywhere in the process, with the action that was
// performed, for as long as the listener lives. Needs a Qt application
// object to reach the other parts of the process.
class SystemParameterListener {
public:
  explicit SystemParameterListener(std::function<void(std::uint32_t action)> onChange);
  SystemParameterListener(const SystemParameterListener&) = delete;
  SystemParameterListener& operator=(const SystemParameterListener&) = delete;
  ~SystemParameterListener();

private:
  class Filter;
  std::unique_ptr<Filter> filter_;
};

} // namespace sys
