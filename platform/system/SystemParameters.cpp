#include "platform/system/SystemParameters.h"

#include "platform/ini/IniDocument.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QObject>
#include <QVariant>

#include <charconv>
#include <cstring>
#include <string>
#include <system_error>

namespace sys {

namespace {

constexpr std::string_view kSection = "Desktop";
constexpr std::string_view kDragFullWindowsKey = "DragFullWindows";

// The process keeps its shared state on one object that the application
// owns, found by name, so that every copy of this code reaches the same
// one. Values set for this process only are dynamic properties of it, and
// a change is announced by changing a per-action counter property, which
// Qt reports to the object's event filters. Without an application the
// state stays with this copy.
constexpr char kHubName[] = "metadraw.system-parameters";
constexpr char kSessionDragFullWindows[] = "session.DragFullWindows";
constexpr char kChangeCounterPrefix[] = "changed.";

QObject& Hub() {
  QCoreApplication* application = QCoreApplication::instance();
  if (application == nullptr) {
    static QObject local;
    return local;
  }
  if (auto* hub = application->findChild<QObject*>(kHubName, Qt::FindDirectChildrenOnly)) {
    return *hub;
  }
  auto* hub = new QObject(application);
  hub->setObjectName(kHubName);
  return *hub;
}

QByteArray ChangeCounterName(std::uint32_t action) {
  return QByteArray(kChangeCounterPrefix) + QByteArray::number(action);
}

void AnnounceChange(std::uint32_t action) {
  QObject& hub = Hub();
  const QByteArray name = ChangeCounterName(action);
  hub.setProperty(name.constData(), hub.property(name.constData()).toULongLong() + 1);
}

// The stored value: on unless the file says 0; a value that is not a whole
// number counts as missing.
std::int32_t StoredDragFullWindows() {
  const auto text = ini::IniDocument::Load(SystemSettingsPath()).Value(kSection, kDragFullWindowsKey);
  std::int32_t value = 1;
  if (!text || std::from_chars(text->data(), text->data() + text->size(), value).ec != std::errc()) {
    return 1;
  }
  return value != 0 ? 1 : 0;
}

bool StoreDragFullWindows(std::int32_t value) {
  const std::filesystem::path path = SystemSettingsPath();
  std::error_code ignored;
  std::filesystem::create_directories(path.parent_path(), ignored);
  ini::IniDocument document = ini::IniDocument::Load(path);
  document.SetValue(kSection, kDragFullWindowsKey, std::to_string(value));
  return document.Save(path);
}

std::int32_t CurrentDragFullWindows() {
  const QVariant session = Hub().property(kSessionDragFullWindows);
  return session.isValid() ? session.toInt() : StoredDragFullWindows();
}

bool SetDragFullWindows(std::int32_t value, std::uint32_t flags) {
  if ((flags & SPIF_UPDATEINIFILE) != 0) {
    if (!StoreDragFullWindows(value)) {
      return false;
    }
    Hub().setProperty(kSessionDragFullWindows, QVariant());
  } else {
    Hub().setProperty(kSessionDragFullWindows, value);
  }
  if ((flags & SPIF_SENDCHANGE) != 0) {
    AnnounceChange(SPI_SETDRAGFULLWINDOWS);
  }
  return true;
}

} // namespace

bool SystemParametersInfo(std::uint32_t action, std::uint32_t param, void* pvParam, std::uint32_t flags) {
  switch (action) {
  case SPI_GETDRAGFULLWINDOWS: {
    if (pvParam == nullptr) {
      return false;
    }
    const std::int32_t value = CurrentDragFullWindows();
    std::memcpy(pvParam, &value, sizeof value);
    return true;
  }
  case SPI_SETDRAGFULLWINDOWS:
    return SetDragFullWindows(param != 0 ? 1 : 0, flags);
  default:
    return false;
  }
}

std::filesystem::path SystemSettingsPath() {
  std::filesystem::path folder(qEnvironmentVariable("XDG_CONFIG_HOME").toStdString());
  if (!folder.is_absolute()) {
    folder = std::filesystem::path(QDir::homePath().toStdString()) / ".config";
  }
  return folder / "metadraw" / "desktop.ini";
}

class SystemParameterListener::Filter : public QObject {
public:
  explicit Filter(std::function<void(std::uint32_t)> onChange) : onChange_(std::move(onChange)) {
    Hub().installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::DynamicPropertyChange) {
      const QByteArray name = static_cast<QDynamicPropertyChangeEvent*>(event)->propertyName();
      if (name.startsWith(kChangeCounterPrefix)) {
        onChange_(name.mid(static_cast<qsizetype>(std::strlen(kChangeCounterPrefix))).toUInt());
      }
    }
    return QObject::eventFilter(watched, event);
  }

private:
  std::function<void(std::uint32_t)> onChange_;
};

SystemParameterListener::SystemParameterListener(std::function<void(std::uint32_t action)> onChange)
    : filter_(std::make_unique<Filter>(std::move(onChange))) {}

SystemParameterListener::~SystemParameterListener() = default;

} // namespace sys
