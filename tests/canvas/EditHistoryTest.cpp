#include "ViewFixture.h"

#include <QLineEdit>
#include <QTest>

namespace canvas {
namespace {

using namespace canvas::driver;

class EditHistoryTest : public ViewFixture {
protected:
  // The objects as the person's edits leave them; the selection, which no
  // step restores, left out.
  std::vector<DrawingObject> Objects() {
    std::vector<DrawingObject> objects = Drawn().Objects();
    for (DrawingObject& object : objects) {
      object.selected = false;
    }
    return objects;
  }
  void Undo() { Key(Qt::Key_Z, Qt::ControlModifier); }
  // The in-place editor showing now, if any.
  QLineEdit* Editor() {
    for (QLineEdit* editor : View().findChildren<QLineEdit*>()) {
      if (editor->isVisible()) {
        return editor;
      }
    }
    return nullptr;
  }
  const std::string& TextOf(int number) { return Drawn().Object(number).text.text; }
};

TEST_F(EditHistoryTest, UndoAndRedoRestoreEveryEditExactly) {
  control_.Add(10, 10, 10, 300, 60);
  control_.Set("Text", "Caption");
  std::vector<std::vector<DrawingObject>> states{Objects()};
  const auto edit = [&](auto&& action) {
    action();
    states.push_back(Objects());
    ASSERT_NE(states.back(), states[states.size() - 2]);
  };
  control_.Set("EditMode", 2);
  edit([&] { Drag(At(100, 200), At(300, 400)); });
  control_.Set("EditMode", 9);
  edit([&] {
    Click(At(500, 200));
    Click(At(700, 200));
    DoubleClick(At(600, 400));
  });
  control_.Set("EditMode", 11);
  edit([&] { Drag(At(200, 300), At(260, 340)); });
  edit([&] { Drag(At(360, 440), At(400, 500)); });
  edit([&] { Key(Qt::Key_Left); });
  edit([&] {
    Click(At(600, 260));
    Key(Qt::Key_Delete);
  });
  edit([&] {
    DoubleClick(At(100, 30));
    ASSERT_NE(Editor(), nullptr);
    QTest::keyClicks(Editor(), "Edited");
    QTest::keyClick(Editor(), Qt::Key_Return);
  });

  for (std::size_t i = states.size() - 1; i > 0; --i) {
    Undo();
    EXPECT_EQ(Objects(), states[i - 1]) << "undo to state " << i - 1;
  }
  Undo();
  EXPECT_EQ(Objects(), states.front()) << "nothing more to undo";
  for (std::size_t i = 1; i < states.size(); ++i) {
    Key(i % 2 != 0 ? Qt::Key_Y : Qt::Key_Z, i % 2 != 0 ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Objects(), states[i]) << "redo to state " << i;
  }
}

TEST_F(EditHistoryTest, TheClientsChangesAreNeverUndoneNorUndoneAround) {
  control_.Set("EditMode", 2);
  Drag(At(100, 100), At(300, 300));
  control_.Call("Clear");
  Undo();
  Key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Drawn().Count(), 0) << "a Clear forgets what the person did before it";

  Drag(At(100, 100), At(300, 300));
  control_.Add(4, 500, 500, 700, 700);
  Undo();
  EXPECT_EQ(Drawn().Count(), 2) << "objects added by the client make the history start afresh";

  control_.Set("EditMode", 11);
  Drag(At(200, 200), At(200, 400));
  control_.Set("ObjNumber", 1);
  control_.Set("FillColor", 0x0000FF);
  Undo();
  EXPECT_EQ(Drawn().Object(1).box, (Box{100, 100, 300, 300})) << "the person's move is undone";
  EXPECT_EQ(Drawn().Object(1).fill.colour, 0x0000FF) << "the client's colour stays";

  Drag(At(200, 200), At(200, 400));
  control_.Set("ObjLeft", 0);
  const std::vector<DrawingObject> moved = Objects();
  Undo();
  Undo();
  EXPECT_EQ(Objects(), moved) << "an undo never moves back what the client has moved since";

  Click(At(600, 600));
  Key(Qt::Key_Delete);
  control_.Set("Action", 1);
  control_.Set("Action", 3);
  Undo();
  EXPECT_EQ(Drawn().Count(), 0) << "deleted by the client, not brought back";
}

TEST_F(EditHistoryTest, ADoubleClickEditsATextInPlaceWhenEditFlagsHas8) {
  const int text = control_.Add(10, 100, 100, 500, 200);
  control_.Set("Text", "Caption");
  control_.Set("EditMode", 11);

  DoubleClick(At(300, 150));
  ASSERT_NE(Editor(), nullptr);
  EXPECT_EQ(Editor()->text(), "Caption");
  QTest::keyClicks(Editor(), "Dropped");
  QTest::keyClick(Editor(), Qt::Key_Escape);
  EXPECT_EQ(Editor(), nullptr);
  EXPECT_EQ(TextOf(text), "Caption") << "Esc cancels";

  DoubleClick(At(300, 150));
  ASSERT_NE(Editor(), nullptr);
  QTest::keyClicks(Editor(), "Entered");
  QTest::keyClick(Editor(), Qt::Key_Return);
  EXPECT_EQ(TextOf(text), "Entered");

  control_.Set("EditMode", 0);
  DoubleClick(At(300, 150));
  ASSERT_NE(Editor(), nullptr);
  QTest::keyClicks(Editor(), "Clicked away");
  Click(At(800, 800));
  EXPECT_EQ(Editor(), nullptr);
  EXPECT_EQ(TextOf(text), "Clicked away") << "a click outside commits";

  control_.Set("EditFlags", 7);
  DoubleClick(At(300, 150));
  EXPECT_EQ(Editor(), nullptr) << "EditFlags without 8, as the demo leaves them";
  control_.Set("EditFlags", 15);
  control_.Set("ObjHotSpot", 2);
  DoubleClick(At(300, 150));
  EXPECT_EQ(Editor(), nullptr) << "a click hot spot takes the clicks";
  control_.Set("ObjHotSpot", 0);
  control_.Set("EditMode", 2);
  DoubleClick(At(300, 150));
  EXPECT_EQ(Editor(), nullptr) << "not while drawing";
}

TEST_F(EditHistoryTest, AClientThatClearsTheDrawingClosesTheEditorUncommitted) {
  control_.Add(10, 100, 100, 500, 200);
  control_.Set("Text", "Caption");
  DoubleClick(At(300, 150));
  ASSERT_NE(Editor(), nullptr);
  QTest::keyClicks(Editor(), "Lost");
  control_.Call("Clear");
  EXPECT_EQ(Editor(), nullptr);
  Click(At(300, 150));
  EXPECT_EQ(Drawn().Count(), 0);
}

} // namespace
} // namespace canvas
