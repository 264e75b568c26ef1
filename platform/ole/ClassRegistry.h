#pragma once

#include "platform/ole/Dispatch.h"

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <string_view>

namespace ole {

// Creates a new object and answers the interface asked for; the reference
// handed out belongs to the caller.
using ClassFactory = std::function<HRESULT(const IID& iid, void** object)>;

// The entry point that a component library exports (extern "C", under the
// name kComponentEntryPoint): it creates the object registered under progId.
using ComponentCreateFunction = HRESULT (*)(const char* progId, const IID* iid, void** object);
inline constexpr const char* kComponentEntryPoint = "OleComponentCreate";

// Maps ProgIDs (compared without regard to letter case) to what creates
// their objects: an in-process factory, which tests register and which
// takes precedence, or a component library loaded on first use. Loaded
// libraries stay loaded for the life of the process, since their objects
// and code may be in use until the very end.
class ClassRegistry {
public:
  static ClassRegistry& Instance();

  void RegisterFactory(std::string_view progId, ClassFactory factory);
  void UnregisterFactory(std::string_view progId);
  void RegisterLibrary(std::string_view progId, std::string_view libraryPath);
  void UnregisterLibrary(std::string_view progId);

  // Reads a registry file: one "ProgID=library" entry a line; blank lines
  // and lines starting with '#' or ';' are skipped. A relative library path
  // is taken from the file's own folder. E_FAIL when the file cannot be read.
  HRESULT LoadRegistryFile(const std::string& path);

  // REGDB_E_CLASSNOTREG when nothing is registered under progId,
  // CO_E_DLLNOTFOUND when its library cannot be loaded, CO_E_ERRORINDLL
  // when the library lacks the entry point.
  HRESULT CreateInstance(std::string_view progId, const IID& iid, void** object);

private:
  struct CaseInsensitiveLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
  };

  HRESULT EntryPointFor(const std::string& libraryPath, ComponentCreateFunction& entry);

  std::mutex mutex_;
  std::map<std::string, ClassFactory, CaseInsensitiveLess> factories_;
  std::map<std::string, std::string, CaseInsensitiveLess> libraries_;
  std::map<std::string, ComponentCreateFunction> loaded_;
};

} // namespace ole
