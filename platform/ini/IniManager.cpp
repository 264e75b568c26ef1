#include "platform/ini/IniManager.h"

#include "platform/ini/IniDocument.h"

#include <algorithm>
#include <charconv>

namespace ini {

namespace {

std::string SectorKey(std::size_t number) { return "Sector" + std::to_string(number); }

// The count under "Sectors"; anything that is not a whole number of at
// least 0 counts as none.
std::size_t SectorCount(const IniDocument& document) {
  const auto text = document.Value(IniManager::kBookkeepingSection, IniManager::kSectorsKey);
  std::size_t count = 0;
  if (!text || std::from_chars(text->data(), text->data() + text->size(), count).ec != std::errc()) {
    return 0;
  }
  return count;
}

} // namespace

std::filesystem::path MapFileName(std::string_view fileName) {
  std::string spelled(fileName);
  std::replace(spelled.begin(), spelled.end(), '\\', '/');
  const std::filesystem::path path(spelled);
  return (path.is_relative() ? std::filesystem::current_path() / path : path).lexically_normal();
}

void IniManager::Init(std::string_view fileName) {
  path_ = MapFileName(fileName);
  sections_.clear();
  const IniDocument document = IniDocument::Load(path_);
  const std::size_t count = SectorCount(document);
  // The names end at the first one missing, so a garbled count cannot make
  // the list longer than the file.
  for (std::size_t number = 1; number <= count; ++number) {
    const auto name = document.Value(kBookkeepingSection, SectorKey(number));
    if (!name) {
      break;
    }
    sections_.push_back(*name);
  }
  initialised_ = true;
}

bool IniManager::Shutdown() {
  if (!initialised_) {
    return false;
  }
  initialised_ = false;
  IniDocument document = IniDocument::Load(path_);
  document.SetValue(kBookkeepingSection, kSectorsKey, std::to_string(sections_.size()));
  for (std::size_t number = 1; number <= sections_.size(); ++number) {
    document.SetValue(kBookkeepingSection, SectorKey(number), sections_[number - 1]);
  }
  return document.Save(path_);
}

} // namespace ini
