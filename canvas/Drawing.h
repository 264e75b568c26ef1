#pragma once

#include "canvas/DrawingObject.h"
#include "canvas/ObjectGeometry.h"
#include "canvas/PictureSettings.h"
#include "canvas/SpatialIndex.h"

#include <cstdint>
#include <vector>

namespace canvas {

// The objects of a drawing and its picture settings.
//
// Objects are numbered from 1 in the order in which they were added, which
// is also their stacking order: a higher number lies on top. Deleting an
// object closes the gap: every object after it moves down by one number, so
// the numbers always run from 1 to Count() without holes.
class Drawing {
public:
  int Count() const { return static_cast<int>(objects_.size()); }
  bool IsNumber(std::int64_t number) const { return number >= 1 && number <= Count(); }
  const DrawingObject& Object(int number) const { return objects_[Index(number)]; }
  const std::vector<DrawingObject>& Objects() const { return objects_; }
  // The box that holds everything the object paints.
  const Box& Extent(int number) const { return index_.Extent(Index(number)); }
  // A stamp of the objects as they are: every change to them (adding,
  // editing, removing) gives a new one that no drawing had before, and a
  // copy carries its original's. So a picture made of the objects is
  // still true while the drawing has the stamp it was made at. The picture
  // settings are not part of it.
  std::uint64_t Revision() const { return revision_; }

  PictureSettings& Picture() { return picture_; }
  const PictureSettings& Picture() const { return picture_; }

  // Adds an object on top and returns its number.
  int Add(DrawingObject object);
  // Changes one object through change(DrawingObject&) and returns the area
  // it painted before and paints now, for repainting.
  template <typename Change>
  Box Edit(int number, Change&& change) {
    DrawingObject& object = objects_[Index(number)];
    const Box before = index_.Extent(Index(number));
    change(object);
    revision_ = NextRevision();
    const Box after = ExtentOf(object);
    index_.Update(Index(number), after);
    return before.United(after);
  }
  // Puts an object in at number, 1 to Count() + 1; the objects from that
  // number on move up by one.
  void Insert(int number, DrawingObject object);
  void Remove(int number);
  void Clear();
  // Adds the objects of another drawing on top of these, in their order.
  void Append(const Drawing& other);
  // The picture with only the selected objects.
  Drawing SelectedPart() const;

  // The numbers of the objects whose extents meet area, bottom first.
  std::vector<int> ObjectsMeeting(const Box& area) const;
  // The topmost object at p, by its shape (see HitsShape) or, when
  // byShape is false, by its extent; 0 when there is none.
  int TopmostAt(Point p, double tolerance, bool byShape) const;

  friend bool operator==(const Drawing& a, const Drawing& b) {
    return a.picture_ == b.picture_ && a.objects_ == b.objects_;
  }

private:
  static std::size_t Index(int number) { return static_cast<std::size_t>(number - 1); }
  static std::uint64_t NextRevision();

  std::vector<DrawingObject> objects_;
  PictureSettings picture_;
  SpatialIndex index_;
  std::uint64_t revision_ = 0;
  mutable std::vector<std::uint32_t> found_;
};

} // namespace canvas
