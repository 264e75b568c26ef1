#include "canvas/Drawing.h"

#include <atomic>

namespace canvas {

std::uint64_t Drawing::NextRevision() {
  static std::atomic<std::uint64_t> last{0};
  return ++last;
}

int Drawing::Add(DrawingObject object) {
  index_.Append(ExtentOf(object));
  objects_.push_back(std::move(object));
  revision_ = NextRevision();
  return Count();
}

void Drawing::Insert(int number, DrawingObject object) {
  if (number == Count() + 1) {
    Add(std::move(object));
    return;
  }
  index_.Insert(Index(number), ExtentOf(object));
  objects_.insert(objects_.begin() + static_cast<std::ptrdiff_t>(Index(number)), std::move(object));
  revision_ = NextRevision();
}

void Drawing::Remove(int number) {
  objects_.erase(objects_.begin() + static_cast<std::ptrdiff_t>(Index(number)));
  index_.Erase(Index(number));
  revision_ = NextRevision();
}

void Drawing::Clear() {
  objects_.clear();
  index_.Clear();
  revision_ = NextRevision();
}

void Drawing::Append(const Drawing& other) {
  objects_.reserve(objects_.size() + other.objects_.size());
  for (std::size_t i = 0; i < other.objects_.size(); ++i) {
    objects_.push_back(other.objects_[i]);
    index_.Append(other.index_.Extent(i));
  }
  revision_ = NextRevision();
}

Drawing Drawing::SelectedPart() const {
  Drawing part;
  part.picture_ = picture_;
  for (const DrawingObject& object : objects_) {
    if (object.selected) {
      part.Add(object);
    }
  }
  return part;
}

std::vector<int> Drawing::ObjectsMeeting(const Box& area) const {
  index_.ItemsMeeting(area, found_);
  std::vector<int> numbers;
  numbers.reserve(found_.size());
  for (const std::uint32_t item : found_) {
    numbers.push_back(static_cast<int>(item) + 1);
  }
  return numbers;
}

int Drawing::TopmostAt(Point p, double tolerance, bool byShape) const {
  index_.ItemsMeeting(Box{p.x, p.y, p.x, p.y}.Inflated(tolerance), found_);
  for (auto item = found_.rbegin(); item != found_.rend(); ++item) {
    if (!byShape || HitsShape(objects_[*item], p, tolerance)) {
      return static_cast<int>(*item) + 1;
    }
  }
  return 0;
}

} // namespace canvas
