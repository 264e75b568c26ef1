#include "platform/ole/ClassRegistry.h"

#include "platform/ole/FixedText.h"

#include <dlfcn.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

namespace ole {

bool ClassRegistry::CaseInsensitiveLess::operator()(std::string_view a, std::string_view b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
  });
}

ClassRegistry& ClassRegistry::Instance() {
  static ClassRegistry registry;
  return registry;
}

void ClassRegistry::RegisterFactory(std::string_view progId, ClassFactory factory) {
  std::lock_guard lock(mutex_);
  factories_.insert_or_assign(std::string(progId), std::move(factory));
}

void ClassRegistry::UnregisterFactory(std::string_view progId) {
  std::lock_guard lock(mutex_);
  if (const auto found = factories_.find(progId); found != factories_.end()) {
    factories_.erase(found);
  }
}

void ClassRegistry::RegisterLibrary(std::string_view progId, std::string_view libraryPath) {
  std::lock_guard lock(mutex_);
  libraries_.insert_or_assign(std::string(progId), std::string(libraryPath));
}

void ClassRegistry::UnregisterLibrary(std::string_view progId) {
  std::lock_guard lock(mutex_);
  if (const auto found = libraries_.find(progId); found != libraries_.end()) {
    libraries_.erase(found);
  }
}

HRESULT ClassRegistry::LoadRegistryFile(const std::string& path) {
  std::ifstream file(path);
  if (!file) {
    return E_FAIL;
  }
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  std::string line;
  while (std::getline(file, line)) {
    const std::string_view entry = TrimWhiteSpace(line);
    const auto equals = entry.find('=');
    if (entry.empty() || entry.front() == '#' || entry.front() == ';' || equals == std::string_view::npos) {
      continue;
    }
    const std::string_view progId = TrimWhiteSpace(entry.substr(0, equals));
    std::filesystem::path library(std::string(TrimWhiteSpace(entry.substr(equals + 1))));
    if (progId.empty() || library.empty()) {
      continue;
    }
    if (library.is_relative()) {
      library = folder / library;
    }
    RegisterLibrary(progId, library.string());
  }
  return S_OK;
}

HRESULT ClassRegistry::EntryPointFor(const std::string& libraryPath, ComponentCreateFunction& entry) {
  if (const auto found = loaded_.find(libraryPath); found != loaded_.end()) {
    entry = found->second;
    return S_OK;
  }
  void* handle = dlopen(libraryPath.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    return CO_E_DLLNOTFOUND;
  }
  entry = reinterpret_cast<ComponentCreateFunction>(dlsym(handle, kComponentEntryPoint));
  if (entry == nullptr) {
    dlclose(handle);
    return CO_E_ERRORINDLL;
  }
  loaded_.emplace(libraryPath, entry);
  return S_OK;
}

HRESULT ClassRegistry::CreateInstance(std::string_view progId, const IID& iid, void** object) {
  if (object == nullptr) {
    return E_POINTER;
  }
  *object = nullptr;
  ClassFactory factory;
  ComponentCreateFunction entry = nullptr;
  std::string registeredName;
  {
    std::lock_guard lock(mutex_);
    if (const auto found = factories_.find(progId); found != factories_.end()) {
      factory = found->second;
    } else if (const auto library = libraries_.find(progId); library != libraries_.end()) {
      if (const HRESULT status = EntryPointFor(library->second, entry); Failed(status)) {
        return status;
      }
      registeredName = library->first;
    } else {
      return REGDB_E_CLASSNOTREG;
    }
  }
  // The factory runs outside the lock, so that it may itself create objects.
  if (factory) {
    return factory(iid, object);
  }
  // The library learns the ProgID as it was registered, whatever its case here.
  return entry(registeredName.c_str(), &iid, object);
}

} // namespace ole
