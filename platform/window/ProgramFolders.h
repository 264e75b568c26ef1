#pragma once

#include "platform/ole/HResult.h"

#include <filesystem>

namespace window {

// The program is laid out as it is installed, in the build tree too:
// executables in "bin", loadable components and their registry in
// "lib/metadraw", data files such as icons in "share/metadraw".

std::filesystem::path ExecutableFolder();
// "share/metadraw" beside the executable's folder.
std::filesystem::path DataFolder();
// "<folder of executable>/../lib/metadraw/components.reg".
std::filesystem::path ComponentRegistryPathFor(const std::filesystem::path& executable);

// Hands the running program's component registry to the class registry,
// so that creating a control by ProgID loads its library. A program calls
// it once at start-up. E_FAIL when the file is missing; controls then
// cannot be created and their slots stay empty.
ole::HRESULT LoadInstalledComponents();

} // namespace window
