#include "WindowTestSupport.h"

#include "platform/window/QtMessagePresenter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace window {
namespace {

using testing::MainWindowDescription;

TEST(ShowMessageTest, GoesToThePresenterWithTheActiveWindowAsOwner) {
  std::int32_t ticked = 0;
  Window window(MainWindowDescription(ticked));
  window.Activate();
  container::RecordingMessagePresenter recorder;
  container::ScopedMessagePresenter scope(recorder);

  ShowMessage("MetaDraw control not found! Check your MetaDraw installation", "Error");
  ShowMessage("Parameter 2 type mismatch", "Ole Automation Error", container::MessageIcon::Error);

  ASSERT_EQ(recorder.shown.size(), 2U);
  EXPECT_EQ(recorder.shown[0].caption, "Error");
  EXPECT_EQ(recorder.shown[0].text, "MetaDraw control not found! Check your MetaDraw installation");
  EXPECT_EQ(recorder.shown[0].icon, container::MessageIcon::None);
  EXPECT_EQ(recorder.shown[0].owner, &window);
  EXPECT_EQ(recorder.shown[1].icon, container::MessageIcon::Error);
}

// The box is real: it is found while it is shown, read, and closed by a
// click on its button, from the event loop that the box itself runs.
TEST(QtMessagePresenterTest, ShowsAModalBoxOwnedByTheWindowUntilItIsClosed) {
  std::int32_t ticked = 0;
  Window window(MainWindowDescription(ticked));
  window.Show(0);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.Widget()));

  const struct {
    container::MessageIcon icon;
    QMessageBox::Icon shown;
  } cases[] = {{container::MessageIcon::None, QMessageBox::NoIcon},
               {container::MessageIcon::Error, QMessageBox::Critical},
               {container::MessageIcon::Warning, QMessageBox::Warning},
               {container::MessageIcon::Information, QMessageBox::Information},
               {container::MessageIcon::Question, QMessageBox::Question}};
  for (const auto& test : cases) {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QWidget* parent = nullptr;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr || !box->isVisible()) {
        return;
      }
      caption = box->windowTitle();
      text = box->text();
      icon = box->icon();
      parent = box->parentWidget();
      box->buttons().front()->click();
    });
    poll.start(10);
    testing::LoopWatchdog watchdog;
    QtMessagePresenter().Present({"OLE Error", "Get Named Property failed", test.icon, &window});
    EXPECT_EQ(caption, "OLE Error");
    EXPECT_EQ(text, "Get Named Property failed");
    EXPECT_EQ(icon, test.shown);
    EXPECT_EQ(parent, window.Widget());
  }
}

} // namespace
} // namespace window
