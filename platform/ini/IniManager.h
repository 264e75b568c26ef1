#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ini {

// The program's INI-file manager. Its settings live in an INI file (there
// is no registry on this system). Its own bookkeeping is the list of the
// sections it manages: the section "__Dont_Touch_Me__" holds their count
// under "Sectors" and their names under "Sector1", "Sector2" and so on.
//
// Use: Init(".\\Quillpad.INI") at start-up, Update() before the end, and
// Shutdown() last, which writes the list back. A run that starts without
// the file leaves one that holds only "[__Dont_Touch_Me__]" and
// "Sectors=0". A garbled file is read as far as it makes sense; what the
// manager does not understand it keeps untouched.
class IniManager {
public:
  static constexpr std::string_view kBookkeepingSection = "__Dont_Touch_Me__";
  static constexpr std::string_view kSectorsKey = "Sectors";

  // Takes a file name in either spelling (".\\Quillpad.INI" or
  // "./Quillpad.INI"); a relative name is resolved against the working
  // directory now, so later changes of directory do not move the file.
  void Init(std::string_view fileName);
  // Stores the settings of the managed sections. The sections keep their
  // values in the file as they are written, so nothing is pending here.
  void Update() {}
  // Writes the list of managed sections back into the file, keeping
  // whatever else the file holds now. False when the manager was never
  // initialised or the file cannot be written.
  bool Shutdown();

  const std::filesystem::path& FilePath() const { return path_; }
  const std::vector<std::string>& ManagedSections() const { return sections_; }

private:
  std::filesystem::path path_;
  std::vector<std::string> sections_;
  bool initialised_ = false;
};

// A file name in the program's Windows spelling as a path of this system:
// backslashes become slashes, and a relative name is taken from the
// working directory.
std::filesystem::path MapFileName(std::string_view fileName);

} // namespace ini
