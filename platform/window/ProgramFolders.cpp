#include "platform/window/ProgramFolders.h"

#include "platform/ole/ClassRegistry.h"

#include <system_error>

namespace window {

namespace {

std::filesystem::path RunningExecutable() {
  std::error_code error;
  return std::filesystem::read_symlink("/proc/self/exe", error);
}

} // namespace

std::filesystem::path ExecutableFolder() { return RunningExecutable().parent_path(); }

std::filesystem::path DataFolder() { return (ExecutableFolder() / ".." / "share" / "metadraw").lexically_normal(); }

std::filesystem::path ComponentRegistryPathFor(const std::filesystem::path& executable) {
  return (executable.parent_path() / ".." / "lib" / "metadraw" / "components.reg").lexically_normal();
}

ole::HRESULT LoadInstalledComponents() {
  return ole::ClassRegistry::Instance().LoadRegistryFile(ComponentRegistryPathFor(RunningExecutable()).string());
}

} // namespace window
