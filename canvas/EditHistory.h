#pragma once

#include "canvas/ObjectGeometry.h"

#include <QUndoStack>

#include <string>
#include <vector>

namespace canvas {

class DrawingControl;

// One object's geometry before and after the person moved or resized it.
struct GeometryChange {
  int number = 0;
  Geometry before;
  Geometry after;
};

// The person's own edits, which Ctrl+Z undoes and Ctrl+Shift+Z or Ctrl+Y
// redoes: drawing, deleting, moving, resizing, nudging and editing a text.
// Each edit is made through the history, which applies it at once.
//
// Changes made by the automation client are not undone, and an undo never
// brings back a state that the client has changed since:
// - when the client changes which objects there are (AddObject, Clear,
//   deleting through Action, LoadPicture), the control clears the history,
//   because the steps name objects by their numbers;
// - before a step is undone or redone it checks that every object it
//   concerns is still as the step left it or found it. If the client has
//   moved, resized, reshaped or re-texted one of them since, the step does
//   nothing and the history is cleared.
// The client's other writes (colours, styles, flags, tags, the selection)
// never conflict with a step, since no step restores them.
class EditHistory {
public:
  explicit EditHistory(DrawingControl& control) : control_(control) {}
  EditHistory(const EditHistory&) = delete;
  EditHistory& operator=(const EditHistory&) = delete;

  // Adds the object on top of the drawing.
  void Draw(DrawingObject object);
  // Deletes the objects; numbers ascending.
  void Delete(const std::vector<int>& numbers);
  // Gives the objects their after geometry (which they may have already,
  // when the person dragged them live).
  void Reshape(std::vector<GeometryChange> changes);
  void EditText(int number, std::string text);

  void Undo();
  void Redo();
  void Clear() { stack_.clear(); }
  bool CanUndo() const { return stack_.canUndo(); }
  bool CanRedo() const { return stack_.canRedo(); }

  // A step found the drawing changed under it.
  void NoteConflict() { conflict_ = true; }

private:
  void Push(QUndoCommand* step);
  void ClearAfterConflict();

  DrawingControl& control_;
  QUndoStack stack_;
  bool conflict_ = false;
};

} // namespace canvas
