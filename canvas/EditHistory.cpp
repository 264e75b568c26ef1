#include "canvas/EditHistory.h"

#include "canvas/DrawingControl.h"

#include <algorithm>
#include <utility>

namespace canvas {

namespace {

// A step checks that the drawing is as it expects before it runs in
// either direction; undo and redo alternate, so each run flips the step.
class Step : public QUndoCommand {
public:
  Step(EditHistory& history, DrawingControl& control) : history_(history), control_(control) {}

  void redo() override { Run(); }
  void undo() override { Run(); }

protected:
  virtual bool Fits() const = 0;
  virtual void Flip() = 0;

  const Drawing& drawing() const { return control_.GetDrawing(); }
  DrawingControl& control() { return control_; }

private:
  void Run() {
    if (!Fits()) {
      history_.NoteConflict();
      return;
    }
    Flip();
  }

  EditHistory& history_;
  DrawingControl& control_;
};

// Objects that come and go: drawn ones (absent at first, so the first run
// adds them) and deleted ones (present at first). Each keeps its number,
// and the object as it was when it last left the drawing.
class StructureStep final : public Step {
public:
  struct Entry {
    int number;
    DrawingObject object;
  };

  StructureStep(EditHistory& history, DrawingControl& control, std::vector<Entry> entries, bool present)
      : Step(history, control), entries_(std::move(entries)), present_(present) {}

protected:
  bool Fits() const override {
    if (!present_) {
      return entries_.back().number <= drawing().Count() + static_cast<int>(entries_.size());
    }
    return std::all_of(entries_.begin(), entries_.end(), [&](const Entry& entry) {
      return drawing().IsNumber(entry.number) &&
             GeometryOf(drawing().Object(entry.number)) == GeometryOf(entry.object);
    });
  }

  void Flip() override {
    if (present_) {
      for (auto entry = entries_.rbegin(); entry != entries_.rend(); ++entry) {
        entry->object = drawing().Object(entry->number);
        control().RemoveObject(entry->number);
      }
    } else {
      for (const Entry& entry : entries_) {
        control().InsertObject(entry.number, entry.object);
      }
    }
    present_ = !present_;
  }

private:
  std::vector<Entry> entries_;
  bool present_;
};

class GeometryStep final : public Step {
public:
  GeometryStep(EditHistory& history, DrawingControl& control, std::vector<GeometryChange> changes)
      : Step(history, control), changes_(std::move(changes)) {
    for (const GeometryChange& change : changes_) {
      numbers_.push_back(change.number);
    }
  }

protected:
  bool Fits() const override {
    return std::all_of(changes_.begin(), changes_.end(), [&](const GeometryChange& change) {
      if (!drawing().IsNumber(change.number)) {
        return false;
      }
      const Geometry now = GeometryOf(drawing().Object(change.number));
      return now == change.before || now == change.after;
    });
  }

  void Flip() override {
    control().EditObjects(numbers_, [&](DrawingObject& o, std::size_t i) {
      GeometryChange& change = changes_[i];
      SetGeometry(o, change.after);
      std::swap(change.before, change.after);
    });
  }

private:
  std::vector<GeometryChange> changes_;
  std::vector<int> numbers_;
};

class TextStep final : public Step {
public:
  TextStep(EditHistory& history, DrawingControl& control, int number, std::string before, std::string after)
      : Step(history, control), number_(number), before_(std::move(before)), after_(std::move(after)) {}

protected:
  bool Fits() const override {
    if (!drawing().IsNumber(number_) || drawing().Object(number_).kind != ObjectKind::Text) {
      return false;
    }
    const std::string& now = drawing().Object(number_).text.text;
    return now == before_ || now == after_;
  }

  void Flip() override {
    control().EditObject(number_, [&](DrawingObject& o) { o.text.text = after_; });
    std::swap(before_, after_);
  }

private:
  int number_;
  std::string before_;
  std::string after_;
};

} // namespace

void EditHistory::Draw(DrawingObject object) {
  const int number = control_.GetDrawing().Count() + 1;
  Push(new StructureStep(*this, control_, {{number, std::move(object)}}, false));
}

void EditHistory::Delete(const std::vector<int>& numbers) {
  if (numbers.empty()) {
    return;
  }
  std::vector<StructureStep::Entry> entries;
  for (const int number : numbers) {
    entries.push_back({number, control_.GetDrawing().Object(number)});
  }
  Push(new StructureStep(*this, control_, std::move(entries), true));
}

void EditHistory::Reshape(std::vector<GeometryChange> changes) {
  if (!changes.empty()) {
    Push(new GeometryStep(*this, control_, std::move(changes)));
  }
}

void EditHistory::EditText(int number, std::string text) {
  std::string before = control_.GetDrawing().Object(number).text.text;
  if (before != text) {
    Push(new TextStep(*this, control_, number, std::move(before), std::move(text)));
  }
}

void EditHistory::Undo() {
  if (stack_.canUndo()) {
    stack_.undo();
    ClearAfterConflict();
  }
}

void EditHistory::Redo() {
  if (stack_.canRedo()) {
    stack_.redo();
    ClearAfterConflict();
  }
}

void EditHistory::Push(QUndoCommand* step) {
  stack_.push(step);
  ClearAfterConflict();
}

void EditHistory::ClearAfterConflict() {
  if (std::exchange(conflict_, false)) {
    stack_.clear();
  }
}

} // namespace canvas
