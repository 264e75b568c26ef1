#include "WindowTestSupport.h"

#include "platform/errors/ErrorManager.h"
#include "platform/window/TerminationSignals.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QMainWindow>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <thread>

namespace window {
namespace {

using testing::LoopWatchdog;
using testing::MainWindowDescription;
using testing::RecordingController;

class WindowManagerTest : public ::testing::Test {
protected:
  // Runs the controller; the steps run from the event loop once the window
  // is open and exposed.
  std::uint8_t RunWith(std::function<void(RecordingController&)> steps) {
    controller_.whenOpen = [steps = std::move(steps)](RecordingController& controller) {
      ASSERT_TRUE(QTest::qWaitForWindowExposed(controller.GetWindow().Widget()));
      steps(controller);
    };
    LoopWatchdog watchdog;
    return controller_.Run();
  }

  std::int32_t ticked_ = 0;
  Window window_{MainWindowDescription(ticked_)};
  RecordingController controller_{window_};
};

TEST_F(WindowManagerTest, EveryWayOfClosingEndsTheLoopAndShutsDownOnce) {
  const struct {
    const char* way;
    std::function<void(Window&)> close;
  } ways[] = {
      {"the Exit menu item", [](Window& window) { window.MenuAction(2)->trigger(); }},
      {"the Close button", [](Window& window) { QTest::mouseClick(window.ControlWidget(5), Qt::LeftButton); }},
      {"Alt+C", [](Window& window) {
         ASSERT_TRUE(QTest::qWaitForWindowActive(window.Widget()));
         QTest::keyClick(window.Widget(), Qt::Key_C, Qt::AltModifier);
       }},
      {"the close box", [](Window& window) { window.Widget()->close(); }},
      {"a request", [](Window& window) { window.RequestClose(); }},
      {"SIGTERM", [](Window&) {
         ASSERT_TRUE(CloseOnTerminationSignals());
         std::raise(SIGTERM);
       }},
      {"SIGINT", [](Window&) {
         ASSERT_TRUE(CloseOnTerminationSignals());
         std::raise(SIGINT);
       }},
      {"two requests at once", [](Window& window) {
         window.RequestClose();
         window.Widget()->close();
       }},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.way);
    std::int32_t ticked = 0;
    Window window(MainWindowDescription(ticked));
    RecordingController controller(window);
    controller.whenOpen = [&](RecordingController& running) {
      ASSERT_TRUE(QTest::qWaitForWindowExposed(running.GetWindow().Widget()));
      way.close(running.GetWindow());
    };
    LoopWatchdog watchdog;
    EXPECT_EQ(controller.Run(), RESULT_Continue);
    EXPECT_EQ(controller.initialised, 1);
    EXPECT_EQ(controller.shutdowns, 1);
    EXPECT_EQ(controller.windowEvents, std::vector<std::int32_t>{EVENT_CloseWindow});
    EXPECT_TRUE(controller.accepted.empty()) << "no hook sees a control with the standard close action";
    EXPECT_FALSE(window.Widget()->isVisible());
  }
}

TEST_F(WindowManagerTest, ChosenControlsReachTheAcceptedHook) {
  std::vector<std::int32_t> values;
  controller_.onAccepted = [&](RecordingController& controller) {
    EXPECT_EQ(controller.CurrentEvent(), EVENT_Accepted);
    controller.GetWindow().CopyStatesToValues();
    values.push_back(ticked_);
  };
  RunWith([](RecordingController& controller) {
    QWidget* box = controller.GetWindow().ControlWidget(4);
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::mouseClick(box, Qt::LeftButton);
    controller.GetWindow().RequestClose();
  });
  EXPECT_EQ(controller_.accepted, (std::vector<std::int16_t>{4, 4}));
  EXPECT_EQ(values, (std::vector<std::int32_t>{1, 0})) << "copied states follow the tick";
  EXPECT_EQ(controller_.windowEvents, std::vector<std::int32_t>{EVENT_CloseWindow});
  EXPECT_EQ(controller_.CurrentEvent(), 0) << "no event outside the hooks";
}

TEST_F(WindowManagerTest, TheFirstControlHasTheFocusWhenTheWindowOpens) {
  bool focused = false;
  RunWith([&](RecordingController& controller) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(controller.GetWindow().Widget()));
    focused = controller.GetWindow().ControlWidget(4)->hasFocus();
    controller.GetWindow().RequestClose();
  });
  EXPECT_TRUE(focused);
  EXPECT_EQ(container::ContainerWindow::ActiveWindow(), &window_) << "the open window is the container's active one";
}

TEST_F(WindowManagerTest, PostedEventsReachTheWindowEventHookInOrder) {
  const std::int32_t thread = CurrentThreadNumber();
  EXPECT_EQ(CurrentThreadNumber(), thread);
  EXPECT_FALSE(PostEvent(EVENT_User, 0, thread + 1000)) << "no such thread";

  // Posted before the loop runs: they wait for it.
  ASSERT_TRUE(PostEvent(EVENT_User, 0, thread));
  ASSERT_TRUE(PostEvent(EVENT_User + 1, 0, thread));
  std::int32_t otherThread = 0;
  controller_.onWindowEvent = [&](RecordingController& controller) {
    if (controller.CurrentEvent() == EVENT_User + 1) {
      std::thread([&] {
        otherThread = CurrentThreadNumber();
        for (std::int32_t event = EVENT_User + 2; event < EVENT_User + 50; ++event) {
          PostEvent(event, 0, thread);
        }
        PostEvent(EVENT_Accepted, 3, thread);
        PostEvent(EVENT_User + 50, 6, thread); // a control event without a hook
        PostEvent(EVENT_CloseWindow, 0, thread);
      }).join();
    }
  };
  LoopWatchdog watchdog;
  controller_.Run();

  std::vector<std::int32_t> expected;
  for (std::int32_t event = EVENT_User; event < EVENT_User + 50; ++event) {
    expected.push_back(event);
  }
  expected.push_back(EVENT_CloseWindow);
  EXPECT_EQ(controller_.windowEvents, expected);
  EXPECT_EQ(controller_.accepted, std::vector<std::int16_t>{3});
  EXPECT_NE(otherThread, thread);
  EXPECT_EQ(controller_.shutdowns, 1);
}

TEST_F(WindowManagerTest, AnEventWaitsWhileAHookIsStillBusy) {
  std::vector<std::string> order;
  controller_.onWindowEvent = [&](RecordingController& controller) {
    if (controller.CurrentEvent() != EVENT_User) {
      order.push_back("event " + std::to_string(controller.CurrentEvent()));
      return;
    }
    order.push_back("busy");
    // As a message box would: a nested loop that turns while the hook runs.
    PostEvent(EVENT_User + 1, 0, CurrentThreadNumber());
    controller.GetWindow().RequestClose();
    for (int turn = 0; turn < 20; ++turn) {
      QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    order.push_back("done");
  };
  RunWith([](RecordingController&) { PostEvent(EVENT_User, 0, CurrentThreadNumber()); });
  EXPECT_EQ(order, (std::vector<std::string>{"busy", "done", "event 2"}))
      << "the close request waited for the hook, and the loop ended with it";

  // What was still waiting is not handed to the next window's loop.
  RecordingController next(window_);
  next.whenOpen = [](RecordingController& controller) { controller.GetWindow().RequestClose(); };
  LoopWatchdog watchdog;
  next.Run();
  EXPECT_EQ(next.windowEvents, std::vector<std::int32_t>{EVENT_CloseWindow});
}

class FailingController : public RecordingController {
public:
  using RecordingController::RecordingController;
  std::uint8_t Initialise() override {
    RecordingController::Initialise();
    return 9;
  }
};

TEST_F(WindowManagerTest, ShutdownRunsAlsoWhenInitialisationFails) {
  // A second controller on a window that another one runs is refused.
  errors::ErrorManager errors;
  errors::ErrorStatus status;
  errors.Init(status);
  ASSERT_EQ(controller_.Initialise(), RESULT_Continue);
  RecordingController second(window_);
  second.SetErrorManager(errors);
  EXPECT_EQ(second.Run(), RESULT_Refused);
  EXPECT_EQ(second.initialised, 1);
  EXPECT_EQ(second.shutdowns, 1);
  EXPECT_EQ(status.code, RESULT_Refused) << status.message;
  ASSERT_EQ(controller_.Shutdown(), RESULT_Continue);
  EXPECT_EQ(controller_.Shutdown(), RESULT_Refused) << "not initialised any more";

  // A program's own failure in Initialise.
  FailingController failing(window_);
  EXPECT_EQ(failing.Run(), 9);
  EXPECT_EQ(failing.shutdowns, 1);
  EXPECT_TRUE(failing.windowEvents.empty()) << "the loop did not run";
}

} // namespace
} // namespace window
