#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ini {

// The text of an INI file: "[section]" headers and "key=value" entries.
// Section and key names compare without regard to letter case, and the
// first occurrence of a name counts. Lines that are neither (comments,
// garbage) are kept as they were, so that writing a document back loses
// nothing but the changes it was asked to make.
class IniDocument {
public:
  static IniDocument Parse(std::string_view text);
  // A file that is missing or cannot be read gives an empty document.
  static IniDocument Load(const std::filesystem::path& path);

  // One line per header, entry or kept line, each ended by "\n".
  std::string Serialize() const;
  // Replaces the file as a whole or not at all; false when it cannot.
  bool Save(const std::filesystem::path& path) const;

  std::optional<std::string> Value(std::string_view section, std::string_view key) const;
  // Changes the entry in place, or adds it at the end of its section, or
  // adds the section at the end of the document.
  void SetValue(std::string_view section, std::string_view key, std::string_view value);

private:
  struct Line {
    enum class Kind { Header, Entry, Other };
    Kind kind = Kind::Other;
    std::string text;  // the line as it is written
    std::string name;  // section of a header, key of an entry
    std::string value; // value of an entry
  };

  // Index of the section's header, or the line count.
  std::size_t FindSection(std::string_view section) const;
  // Index one past the last entry or kept line of the section whose header
  // is at header.
  std::size_t SectionEnd(std::size_t header) const;
  const Line* FindEntry(std::string_view section, std::string_view key) const;

  std::vector<Line> lines_;
};

} // namespace ini
