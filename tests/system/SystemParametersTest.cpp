#include "platform/system/SystemParameters.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

namespace sys {
namespace {

// Points the configuration folder at a temporary one, so that no test
// touches the person's own settings, and starts every test with no stored
// file and no value for this process only.
class SystemParametersTest : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.isValid());
    savedConfigHome_ = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", folder_.path().toUtf8());
    ASSERT_TRUE(SystemParametersInfo(SPI_SETDRAGFULLWINDOWS, 1, nullptr, SPIF_UPDATEINIFILE));
    std::filesystem::remove(SystemSettingsPath());
  }
  void TearDown() override { qputenv("XDG_CONFIG_HOME", savedConfigHome_); }

  std::filesystem::path Folder() const { return folder_.path().toStdString(); }

  static std::int32_t DragFullWindows() {
    std::int32_t value = -1;
    EXPECT_TRUE(SystemParametersInfo(SPI_GETDRAGFULLWINDOWS, 0, &value, 0));
    return value;
  }
  static std::optional<std::string> StoredText() {
    std::ifstream file(SystemSettingsPath());
    if (!file) {
      return std::nullopt;
    }
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
  }

private:
  QTemporaryDir folder_;
  QByteArray savedConfigHome_;
};

TEST_F(SystemParametersTest, FullWindowDraggingIsOnWhenNothingIsStored) {
  EXPECT_EQ(SystemSettingsPath(), Folder() / "metadraw" / "desktop.ini");
  EXPECT_EQ(DragFullWindows(), 1);
  EXPECT_EQ(StoredText(), std::nullopt) << "reading stores nothing";
}

TEST_F(SystemParametersTest, SwitchingOffAndOnIsStoredAndAnnounced) {
  std::vector<std::uint32_t> announced;
  SystemParameterListener listener([&](std::uint32_t action) { announced.push_back(action); });

  ASSERT_TRUE(SystemParametersInfo(SPI_SETDRAGFULLWINDOWS, 0, nullptr, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE));
  EXPECT_EQ(DragFullWindows(), 0);
  EXPECT_EQ(StoredText(), "[Desktop]\nDragFullWindows=0\n");

  ASSERT_TRUE(SystemParametersInfo(SPI_SETDRAGFULLWINDOWS, 1, nullptr, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE));
  EXPECT_EQ(DragFullWindows(), 1);
  EXPECT_EQ(StoredText(), "[Desktop]\nDragFullWindows=1\n");
  EXPECT_EQ(announced, (std::vector<std::uint32_t>{SPI_SETDRAGFULLWINDOWS, SPI_SETDRAGFULLWINDOWS}));

  ASSERT_TRUE(SystemParametersInfo(SPI_SETDRAGFULLWINDOWS, 0, nullptr, SPIF_UPDATEINIFILE));
  EXPECT_EQ(announced.size(), 2U) << "no announcement without SPIF_SENDCHANGE";
}

TEST_F(SystemParametersTest, AStoredOffIsReadAndLeftAsItIs) {
  std::filesystem::create_directories(SystemSettingsPath().parent_path());
  std::ofstream(SystemSettingsPath()) << "# mine\n[Desktop]\nDragFullWindows=0\n";
  EXPECT_EQ(DragFullWindows(), 0);
  EXPECT_EQ(DragFullWindows(), 0);
  EXPECT_EQ(StoredText(), "# mine\n[Desktop]\nDragFullWindows=0\n");
}

TEST_F(SystemParametersTest, AValueForThisProcessOnlyIsNotStored) {
  ASSERT_TRUE(SystemParametersInfo(SPI_SETDRAGFULLWINDOWS, 0, nullptr, 0));
  EXPECT_EQ(DragFullWindows(), 0);
  EXPECT_EQ(StoredText(), std::nullopt);

  ASSERT_TRUE(SystemParametersInfo(SPI_SETDRAGFULLWINDOWS, 7, nullptr, SPIF_UPDATEINIFILE));
  EXPECT_EQ(DragFullWindows(), 1) << "a stored value replaces the one for this process";
  EXPECT_EQ(StoredText(), "[Desktop]\nDragFullWindows=1\n");
}

TEST_F(SystemParametersTest, StoredTextsThatAreNotWholeNumbersCountAsMissing) {
  const struct {
    const char* text;
    std::int32_t value;
  } cases[] = {{"DragFullWindows=0", 0},   {"DragFullWindows=5", 1},  {"DragFullWindows=off", 1},
               {"DragFullWindows=", 1},    {"dragfullwindows = 0", 0}, {"\xff\xfe garbage", 1}};
  std::filesystem::create_directories(SystemSettingsPath().parent_path());
  for (const auto& test : cases) {
    SCOPED_TRACE(test.text);
    std::ofstream(SystemSettingsPath()) << "[Desktop]\n" << test.text << "\n";
    EXPECT_EQ(DragFullWindows(), test.value);
  }
}

TEST_F(SystemParametersTest, RefusesWhatItCannotDoAndChangesNothing) {
  std::int32_t value = 0;
  EXPECT_FALSE(SystemParametersInfo(0x0001, 0, &value, 0)) << "unknown action";
  EXPECT_FALSE(SystemParametersInfo(SPI_GETDRAGFULLWINDOWS, 0, nullptr, 0)) << "nowhere to write";

  // A plain file where the settings folder should be.
  std::filesystem::remove_all(Folder() / "metadraw");
  std::ofstream(Folder() / "metadraw") << "in the way";
  EXPECT_FALSE(SystemParametersInfo(SPI_SETDRAGFULLWINDOWS, 0, nullptr, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE));
  EXPECT_EQ(DragFullWindows(), 1);
}

TEST_F(SystemParametersTest, TheSettingsFolderFallsBackToTheHomeConfigFolder) {
  const QByteArray savedHome = qgetenv("HOME");
  qputenv("HOME", QByteArray::fromStdString(Folder().string()));
  for (const char* configHome : {"", "relative/folder"}) {
    SCOPED_TRACE(configHome);
    qputenv("XDG_CONFIG_HOME", configHome);
    EXPECT_EQ(SystemSettingsPath(), Folder() / ".config" / "metadraw" / "desktop.ini");
  }
  qputenv("HOME", savedHome);
}

TEST_F(SystemParametersTest, ASeparatelyLoadedCopySeesAndMakesTheSameChanges) {
  void* library = dlopen(OTHER_COPY_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  const auto otherGet = reinterpret_cast<std::int32_t (*)()>(dlsym(library, "OtherCopyDragFullWindows"));
  const auto otherSet = reinterpret_cast<bool (*)(std::uint32_t, std::uint32_t)>(
      dlsym(library, "OtherCopySetDragFullWindows"));
  ASSERT_NE(otherGet, nullptr);
  ASSERT_NE(otherSet, nullptr);

  std::vector<std::uint32_t> announced;
  SystemParameterListener listener([&](std::uint32_t action) { announced.push_back(action); });

  ASSERT_TRUE(SystemParametersInfo(SPI_SETDRAGFULLWINDOWS, 0, nullptr, SPIF_UPDATEINIFILE));
  EXPECT_EQ(otherGet(), 0) << "stored here, read there";
  ASSERT_TRUE(SystemParametersInfo(SPI_SETDRAGFULLWINDOWS, 1, nullptr, 0));
  EXPECT_EQ(otherGet(), 1) << "for this process only, still seen there";

  ASSERT_TRUE(otherSet(0, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE));
  EXPECT_EQ(DragFullWindows(), 0);
  EXPECT_EQ(announced, std::vector<std::uint32_t>{SPI_SETDRAGFULLWINDOWS}) << "announced there, heard here";
  dlclose(library);
}

} // namespace
} // namespace sys
