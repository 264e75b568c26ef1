#include "WindowTestSupport.h"

#include "platform/system/WindowHandles.h"
#include "platform/window/DialogUnits.h"
#include "platform/window/Resizer.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace window {
namespace {

using testing::MainWindowDescription;

class WindowTest : public ::testing::Test {
protected:
  void Open() {
    window_.Show(4);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.Widget()));
  }

  // The pixel rectangle that dialog units give with the font the client
  // area really uses, worked out here from its metrics.
  QRect Expected(int x, int y, int width, int height) const {
    const QFontMetrics metrics(window_.ClientArea()->font());
    const double across = metrics.averageCharWidth() / 4.0;
    const double down = metrics.height() / 8.0;
    return {qRound(x * across), qRound(y * down), qRound(width * across), qRound(height * down)};
  }

  std::int32_t ticked_ = 0;
  Window window_{MainWindowDescription(ticked_)};
};

TEST_F(WindowTest, OpensWithTheControlsWhereTheFontsDialogUnitsPutThem) {
  Open();
  EXPECT_EQ(window_.Widget()->windowTitle(), "MetaDraw Control Demo");
  EXPECT_EQ(window_.ClientArea()->size(), Expected(0, 0, 319, 272).size());
  EXPECT_EQ(window_.ControlWidget(3)->geometry(), Expected(2, 4, 311, 236));
  EXPECT_EQ(window_.ControlWidget(5)->geometry(), Expected(265, 250, 47, 14));

  QWidget* box = window_.ControlWidget(4);
  EXPECT_EQ(box->pos(), Expected(5, 256, 0, 0).topLeft());
  EXPECT_EQ(box->size(), box->sizeHint()) << "a control without a size takes its natural one";

  // The font is whatever the system offers for the declared family, at the
  // declared size.
  EXPECT_EQ(window_.ClientArea()->font().pointSize(), 8);
  EXPECT_EQ(window_.Units().AverageCharWidth(), QFontMetrics(window_.ClientArea()->font()).averageCharWidth());
}

TEST_F(WindowTest, ControlsShowTheirTextsStateAndIcon) {
  auto* box = qobject_cast<QCheckBox*>(window_.ControlWidget(4));
  auto* button = qobject_cast<QPushButton*>(window_.ControlWidget(5));
  ASSERT_NE(box, nullptr);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(box->text(), "Select/Resize Mode On");
  EXPECT_FALSE(box->isChecked());
  EXPECT_EQ(button->text(), "&Close");
  EXPECT_FALSE(button->icon().isNull()) << "WACancel.ico ships with the program";
  EXPECT_EQ(window_.ControlWidget(1), nullptr) << "a menu is no widget of the client area";
  EXPECT_EQ(window_.ControlWidget(42), nullptr);

  std::int32_t preset = 1;
  WindowDescription description;
  description.controls = {CheckBox(7, "Ticked", {0, 0}, preset)};
  Window ticked(description);
  EXPECT_TRUE(qobject_cast<QCheckBox*>(ticked.ControlWidget(7))->isChecked()) << "the value variable sets the tick";
}

TEST_F(WindowTest, TheFileMenuShowsItsSeparatorAboveExit) {
  Open();
  QAction* fileAction = window_.MenuAction(1);
  ASSERT_NE(fileAction, nullptr);
  QMenu* file = fileAction->menu();
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(fileAction->text(), "&File");
  ASSERT_EQ(file->actions().size(), 2);
  QAction* separator = file->actions().at(0);
  QAction* exit = file->actions().at(1);
  EXPECT_TRUE(separator->isSeparator());
  EXPECT_EQ(exit, window_.MenuAction(2));
  EXPECT_EQ(exit->text(), "&Exit");

  file->popup(window_.Widget()->mapToGlobal(QPoint(0, 0)));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(file));
  const QRect separatorPlace = file->actionGeometry(separator);
  EXPECT_GT(separatorPlace.height(), 0) << "the leading separator is not collapsed";
  EXPECT_LT(separatorPlace.top(), file->actionGeometry(exit).top());
  file->close();
}

TEST_F(WindowTest, AltWithTheMarkedLetterOpensTheMenu) {
  Open();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_.Widget()));
  QMenu* file = window_.MenuAction(1)->menu();
  QTest::keyClick(window_.Widget(), Qt::Key_F, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([&] { return file->isVisible(); }));
  file->close();
}

TEST_F(WindowTest, TheClientAreaHasAHandleWithTheScreensMetrics) {
  const sys::WindowHandle handle = window_.ClientHandle();
  ASSERT_NE(handle, 0);
  EXPECT_EQ(sys::WidgetFromHandle(handle), window_.ClientArea());
  const sys::DeviceContext dc = sys::GetDC(handle);
  EXPECT_EQ(sys::GetDeviceCaps(dc, sys::LOGPIXELSX), qRound(window_.ClientArea()->screen()->logicalDotsPerInchX()));
  EXPECT_EQ(sys::ReleaseDC(handle, dc), 1);

  std::int32_t ticked = 0;
  auto other = std::make_unique<Window>(MainWindowDescription(ticked));
  const sys::WindowHandle gone = other->ClientHandle();
  EXPECT_NE(gone, handle);
  other.reset();
  EXPECT_EQ(sys::GetDC(gone), 0) << "the handle of a destroyed window names nothing";
}

TEST_F(WindowTest, ClosingAWindowThatNoManagerRunsHidesIt) {
  Open();
  window_.RequestClose();
  EXPECT_FALSE(window_.Widget()->isVisible());
}

TEST_F(WindowTest, TheResizerStretchesTheSlotAndKeepsTheOthersAtTheirCorners) {
  Open();
  Resizer resizer;
  EXPECT_FALSE(resizer.Attach(window_, 7)) << "an unknown strategy";
  ASSERT_TRUE(resizer.Attach(window_, Resizer::kStrategySpread));
  const QRect slot = window_.ControlWidget(3)->geometry();
  const QRect box = window_.ControlWidget(4)->geometry();
  const QRect button = window_.ControlWidget(5)->geometry();

  const struct {
    int across;
    int down;
  } changes[] = {{120, 80}, {-40, -30}, {0, 0}};
  for (const auto& change : changes) {
    SCOPED_TRACE(::testing::Message() << change.across << "," << change.down);
    const QSize frame = window_.Widget()->size();
    window_.Widget()->resize(frame + QSize(change.across, change.down));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window_.ClientArea()->size() == Expected(0, 0, 319, 272).size() +
                                                                               QSize(change.across, change.down); }));
    EXPECT_EQ(window_.ControlWidget(3)->geometry(), slot.adjusted(0, 0, change.across, change.down));
    EXPECT_EQ(window_.ControlWidget(4)->geometry(), box.translated(0, change.down));
    EXPECT_EQ(window_.ControlWidget(5)->geometry(), button.translated(change.across, change.down));
    window_.Widget()->resize(frame);
  }

  window_.Widget()->resize(40, 60);
  ASSERT_TRUE(QTest::qWaitFor([&] { return window_.ClientArea()->height() < slot.height(); }));
  const QSize change = window_.ClientArea()->size() - Expected(0, 0, 319, 272).size();
  EXPECT_EQ(window_.ControlWidget(3)->size(),
            QSize(std::max(0, slot.width() + change.width()), std::max(0, slot.height() + change.height())));
  EXPECT_EQ(window_.ControlWidget(3)->height(), 0) << "a slot shrinks to nothing, no further";
}

TEST_F(WindowTest, TheResizerKeepsTheClientAreaWithinItsLimits) {
  Resizer resizer;
  ASSERT_TRUE(resizer.Attach(window_, Resizer::kStrategySpread, QSize(100, 80), QSize(400, 300)));
  EXPECT_EQ(window_.ClientArea()->minimumSize(), window_.Units().ToPixels(100, 80));
  EXPECT_EQ(window_.ClientArea()->maximumSize(), window_.Units().ToPixels(400, 300));
}

} // namespace
} // namespace window
