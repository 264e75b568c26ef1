#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The program itself, started in a working folder of its own with its own
// settings folder and no display.
class ProgramTest : public testing::Test {
protected:
  QString SettingsFile() const { return home_.filePath("config/metadraw/desktop.ini"); }
  QString IniFile() const { return home_.filePath("Quillpad.INI"); }

  static QString Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
  }
  void WriteSettings(const QString& text) {
    QDir().mkpath(QFileInfo(SettingsFile()).path());
    QFile file(SettingsFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
  }

  void Start() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", home_.filePath("config"));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    program_.setProcessEnvironment(environment);
    program_.setWorkingDirectory(home_.path());
    program_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program_.start(QCoreApplication::applicationDirPath() + "/metadraw-demo", {});
    ASSERT_TRUE(program_.waitForStarted());
  }

  // The main window is open once the drawing control has been loaded into
  // the process, which Initialise does after the signals are taken over.
  bool MainWindowOpen() const {
    return Read(QString("/proc/%1/maps").arg(program_.processId())).contains("libmetadraw_canvas.so");
  }

  void TerminateAndWait() {
    program_.terminate();
    ASSERT_TRUE(program_.waitForFinished(30000));
    EXPECT_EQ(program_.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program_.exitCode(), 0);
  }

  QTemporaryDir home_;
  QProcess program_;
};

TEST_F(ProgramTest, SwitchesFullWindowDragOffWhileItRunsAndLeavesOnlyTheIniBookkeeping) {
  Start();
  ASSERT_TRUE(QTest::qWaitFor([&] { return MainWindowOpen(); }, 30000));
  EXPECT_TRUE(Read(SettingsFile()).contains("DragFullWindows=0"));
  EXPECT_FALSE(QFile::exists(IniFile()));

  TerminateAndWait();
  EXPECT_TRUE(Read(SettingsFile()).contains("DragFullWindows=1"));
  EXPECT_EQ(Read(IniFile()).replace("\r\n", "\n"), "[__Dont_Touch_Me__]\nSectors=0\n");
}

TEST_F(ProgramTest, LeavesFullWindowDragAloneWhenItWasOff) {
  WriteSettings("[Desktop]\nDragFullWindows=0\n");
  const QDateTime written = QFileInfo(SettingsFile()).lastModified();
  Start();
  ASSERT_TRUE(QTest::qWaitFor([&] { return MainWindowOpen(); }, 30000));
  TerminateAndWait();
  EXPECT_EQ(Read(SettingsFile()), "[Desktop]\nDragFullWindows=0\n");
  EXPECT_EQ(QFileInfo(SettingsFile()).lastModified(), written);
}

} // namespace
