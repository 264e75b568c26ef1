#include "platform/ini/IniDocument.h"

#include "platform/ole/FixedText.h"

#include <QByteArray>
#include <QFile>
#include <QSaveFile>
#include <QString>

#include <algorithm>

namespace ini {

namespace {

// Qt's spelling of a path, byte for byte what the system has.
QString QtPath(const std::filesystem::path& path) { return QFile::decodeName(QByteArray::fromStdString(path.native())); }

} // namespace

IniDocument IniDocument::Parse(std::string_view text) {
  IniDocument document;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view raw = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    // Windows line ends, and stray carriage returns before them, go; the
    // document is written with plain line ends.
    while (!raw.empty() && raw.back() == '\r') {
      raw.remove_suffix(1);
    }

    Line line;
    line.text = raw;
    const std::string_view content = ole::TrimWhiteSpace(raw);
    const std::size_t equals = content.find('=');
    if (content.size() >= 2 && content.front() == '[' && content.back() == ']') {
      line.kind = Line::Kind::Header;
      line.name = ole::TrimWhiteSpace(content.substr(1, content.size() - 2));
    } else if (!content.empty() && content.front() != ';' && content.front() != '#' &&
               equals != std::string_view::npos && !ole::TrimWhiteSpace(content.substr(0, equals)).empty()) {
      line.kind = Line::Kind::Entry;
      line.name = ole::TrimWhiteSpace(content.substr(0, equals));
      line.value = ole::TrimWhiteSpace(content.substr(equals + 1));
    }
    document.lines_.push_back(std::move(line));
  }
  return document;
}

IniDocument IniDocument::Load(const std::filesystem::path& path) {
  QFile file(QtPath(path));
  if (!file.open(QIODevice::ReadOnly)) {
    return {};
  }
  const QByteArray bytes = file.readAll();
  return Parse(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

std::string IniDocument::Serialize() const {
  std::string text;
  for (const Line& line : lines_) {
    text += line.text;
    text += '\n';
  }
  return text;
}

bool IniDocument::Save(const std::filesystem::path& path) const {
  QSaveFile file(QtPath(path));
  if (!file.open(QIODevice::WriteOnly)) {
    return false;
  }
  const std::string text = Serialize();
  if (file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size())) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

std::size_t IniDocument::FindSection(std::string_view section) const {
  const auto found = std::find_if(lines_.begin(), lines_.end(), [&](const Line& line) {
    return line.kind == Line::Kind::Header && ole::EqualsIgnoringCase(line.name, section);
  });
  return static_cast<std::size_t>(found - lines_.begin());
}

std::size_t IniDocument::SectionEnd(std::size_t header) const {
  std::size_t end = header + 1;
  for (std::size_t i = header + 1; i < lines_.size() && lines_[i].kind != Line::Kind::Header; ++i) {
    if (!ole::TrimWhiteSpace(lines_[i].text).empty()) {
      end = i + 1;
    }
  }
  return end;
}

const IniDocument::Line* IniDocument::FindEntry(std::string_view section, std::string_view key) const {
  for (std::size_t i = FindSection(section) + 1; i < lines_.size() && lines_[i].kind != Line::Kind::Header; ++i) {
    if (lines_[i].kind == Line::Kind::Entry && ole::EqualsIgnoringCase(lines_[i].name, key)) {
      return &lines_[i];
    }
  }
  return nullptr;
}

std::optional<std::string> IniDocument::Value(std::string_view section, std::string_view key) const {
  const Line* entry = FindEntry(section, key);
  return entry == nullptr ? std::nullopt : std::optional<std::string>(entry->value);
}

void IniDocument::SetValue(std::string_view section, std::string_view key, std::string_view value) {
  Line entry{Line::Kind::Entry, std::string(key) + "=" + std::string(value), std::string(key), std::string(value)};
  if (const Line* existing = FindEntry(section, key)) {
    lines_[static_cast<std::size_t>(existing - lines_.data())] = std::move(entry);
    return;
  }
  std::size_t header = FindSection(section);
  if (header == lines_.size()) {
    lines_.push_back({Line::Kind::Header, "[" + std::string(section) + "]", std::string(section), {}});
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(SectionEnd(header)), std::move(entry));
}

} // namespace ini
