#include "platform/ini/IniDocument.h"
#include "platform/ini/IniManager.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace ini {
namespace {

// Runs each test in a fresh working directory of its own.
class IniManagerTest : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.isValid());
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(Folder());
  }
  void TearDown() override { std::filesystem::current_path(previous_); }

  std::filesystem::path Folder() const { return folder_.path().toStdString(); }

  static void Write(const std::filesystem::path& path, std::string_view text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  static std::string Read(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
  }

private:
  QTemporaryDir folder_;
  std::filesystem::path previous_;
};

TEST_F(IniManagerTest, ARunWithoutTheFileLeavesOnlyTheBookkeeping) {
  IniManager manager;
  manager.Init(".\\Quillpad.INI");
  EXPECT_EQ(manager.FilePath(), Folder() / "Quillpad.INI");
  EXPECT_FALSE(std::filesystem::exists(manager.FilePath())) << "nothing is written before the end";

  manager.Update();
  EXPECT_FALSE(std::filesystem::exists(manager.FilePath())) << "the update stores nothing";
  ASSERT_TRUE(manager.Shutdown());
  EXPECT_EQ(Read(Folder() / "Quillpad.INI"), "[__Dont_Touch_Me__]\nSectors=0\n");
  EXPECT_FALSE(manager.Shutdown()) << "a second shutdown writes nothing";
}

TEST_F(IniManagerTest, KeepsItsListAndEverythingElseInTheFile) {
  Write("Quillpad.INI", "; settings\r\n[Window]\r\nX=10\r\n\r\n[__dont_touch_me__]\r\nsectors=2\r\n"
                        "Sector1=Window\r\nSector2=Colours\r\n[Colours]\r\nBack=255\r\n");
  IniManager manager;
  manager.Init("./Quillpad.INI");
  EXPECT_EQ(manager.ManagedSections(), (std::vector<std::string>{"Window", "Colours"}));
  ASSERT_TRUE(manager.Shutdown());
  EXPECT_EQ(Read("Quillpad.INI"), "; settings\n[Window]\nX=10\n\n[__dont_touch_me__]\nSectors=2\n"
                                  "Sector1=Window\nSector2=Colours\n[Colours]\nBack=255\n");
}

TEST_F(IniManagerTest, AGarbledFileDoesNotStopTheRunAndLosesNothing) {
  struct Case {
    const char* name;
    std::string text;
    std::vector<std::string> sections;
    std::string written;
  };
  const std::vector<Case> cases = {
      {"count not a number", "[__Dont_Touch_Me__]\nSectors=many\n", {}, "[__Dont_Touch_Me__]\nSectors=0\n"},
      {"negative count", "[__Dont_Touch_Me__]\nSectors=-3\n", {}, "[__Dont_Touch_Me__]\nSectors=0\n"},
      {"count beyond the names", "[__Dont_Touch_Me__]\nSectors=99999999999999999999\nSector1=A\n", {}, 
       "[__Dont_Touch_Me__]\nSectors=0\nSector1=A\n"},
      {"names missing", "[__Dont_Touch_Me__]\nSectors=3\nSector1=A\nSector3=C\n", {"A"},
       "[__Dont_Touch_Me__]\nSectors=1\nSector1=A\nSector3=C\n"},
      {"binary bytes", std::string("\0\xff[[=\x01\n", 7) + "=x\n[open\n", {},
       std::string("\0\xff[[=\x01\n", 7) + "=x\n[open\n[__Dont_Touch_Me__]\nSectors=0\n"},
      {"no line end", "[__Dont_Touch_Me__]", {}, "[__Dont_Touch_Me__]\nSectors=0\n"},
      {"stray carriage returns", "junk\r\r\n[__Dont_Touch_Me__]\r\r\nSectors=1\r\nSector1=A\r", {"A"},
       "junk\n[__Dont_Touch_Me__]\nSectors=1\nSector1=A\n"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    Write("Quillpad.INI", test.text);
    IniManager manager;
    manager.Init(".\\Quillpad.INI");
    EXPECT_EQ(manager.ManagedSections(), test.sections);
    ASSERT_TRUE(manager.Shutdown());
    EXPECT_EQ(Read("Quillpad.INI"), test.written);
  }
}

TEST_F(IniManagerTest, TheFileStaysWhereItWasWhenTheDirectoryChanges) {
  std::filesystem::create_directory("elsewhere");
  IniManager manager;
  manager.Init(".\\Quillpad.INI");
  std::filesystem::current_path("elsewhere");
  ASSERT_TRUE(manager.Shutdown());
  EXPECT_TRUE(std::filesystem::exists(Folder() / "Quillpad.INI"));
  EXPECT_FALSE(std::filesystem::exists(Folder() / "elsewhere" / "Quillpad.INI"));
}

TEST_F(IniManagerTest, AFileThatCannotBeWrittenIsReportedAndTheOldOneStays) {
  std::filesystem::create_directory("Quillpad.INI");
  IniManager manager;
  manager.Init("Quillpad.INI");
  EXPECT_FALSE(manager.Shutdown());
  EXPECT_TRUE(std::filesystem::is_directory("Quillpad.INI"));
  EXPECT_FALSE(IniManager().Shutdown()) << "never initialised";
}

TEST(MapFileNameTest, WindowsSpellingBecomesAPathOfThisSystem) {
  const auto here = std::filesystem::current_path();
  EXPECT_EQ(MapFileName(".\\Quillpad.INI"), here / "Quillpad.INI");
  EXPECT_EQ(MapFileName("conf\\..\\Quillpad.INI"), here / "Quillpad.INI");
  EXPECT_EQ(MapFileName("/etc/quill\\pad.ini"), std::filesystem::path("/etc/quill/pad.ini"));
}

TEST(IniDocumentTest, ReadsByNameWithoutRegardToLetterCaseAndFirstOccurrenceCounts) {
  const IniDocument document = IniDocument::Parse("[One]\r\n Key = a value \r\nkey=second\n;Hidden=1\n"
                                                  "[Two]\nOther=2\n[one]\nKey=third\n");
  EXPECT_EQ(document.Value("ONE", "KEY"), "a value");
  EXPECT_EQ(document.Value("two", "other"), "2");
  EXPECT_EQ(document.Value("one", "Hidden"), std::nullopt) << "a comment is no entry";
  EXPECT_EQ(document.Value("Two", "Key"), std::nullopt);
  EXPECT_EQ(document.Value("Three", "Key"), std::nullopt);
}

TEST(IniDocumentTest, SetValueChangesInPlaceOrAppendsToItsSection) {
  IniDocument document = IniDocument::Parse("[A]\nx=1\n\n[B]\ny=2\n");
  document.SetValue("a", "X", "5");
  document.SetValue("A", "z", "3");
  document.SetValue("C", "w", "4");
  EXPECT_EQ(document.Serialize(), "[A]\nX=5\nz=3\n\n[B]\ny=2\n[C]\nw=4\n");
}

} // namespace
} // namespace ini
