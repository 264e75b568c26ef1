#include "canvas/SpatialIndex.h"

#include <algorithm>
#include <cmath>

namespace canvas {

namespace {

// Items per cell the grid aims at, the cell counts it stays within, and the
// number of cells from which an item counts as large.
constexpr double kItemsPerCell = 2;
constexpr std::size_t kMaxCellsPerSide = 1024;
constexpr std::size_t kLargeItemCells = 16;
// The grid reaches this share of its extent's size beyond it on every side,
// so that items added near the others still fit.
constexpr double kGridMargin = 0.1;

void InsertSorted(std::vector<std::uint32_t>& list, std::uint32_t item) {
  if (list.empty() || list.back() < item) {
    list.push_back(item);
    return;
  }
  list.insert(std::lower_bound(list.begin(), list.end(), item), item);
}

void EraseSorted(std::vector<std::uint32_t>& list, std::uint32_t item) {
  const auto found = std::lower_bound(list.begin(), list.end(), item);
  if (found != list.end() && *found == item) {
    list.erase(found);
  }
}

} // namespace

void SpatialIndex::Clear() {
  extents_.clear();
  stale_ = true;
}

void SpatialIndex::Append(const Box& extent) {
  extents_.push_back(extent);
  if (stale_) {
    return;
  }
  if (!Covers(extent) || extents_.size() > 4 * std::max<std::size_t>(builtFor_, 64)) {
    stale_ = true;
    return;
  }
  GridInsert(static_cast<std::uint32_t>(extents_.size() - 1), extent);
}

void SpatialIndex::Update(std::size_t item, const Box& extent) {
  const Box old = extents_[item];
  extents_[item] = extent;
  if (stale_ || old == extent) {
    return;
  }
  if (!Covers(extent)) {
    stale_ = true;
    return;
  }
  GridRemove(static_cast<std::uint32_t>(item), old);
  GridInsert(static_cast<std::uint32_t>(item), extent);
}

void SpatialIndex::Erase(std::size_t item) {
  extents_.erase(extents_.begin() + static_cast<std::ptrdiff_t>(item));
  stale_ = true;
}

bool SpatialIndex::Covers(const Box& extent) const {
  return extent.left >= gridBox_.left && extent.right <= gridBox_.right && extent.top >= gridBox_.top &&
         extent.bottom <= gridBox_.bottom;
}

SpatialIndex::CellRange SpatialIndex::CellsOf(const Box& extent) const {
  const auto cell = [](double offset, double size, std::size_t count) {
    const double index = std::floor(offset / size);
    if (!(index > 0)) {
      return std::size_t{0};
    }
    return std::min(static_cast<std::size_t>(std::min(index, 1e9)), count - 1);
  };
  return {cell(extent.left - gridBox_.left, cellWidth_, cellsX_), cell(extent.top - gridBox_.top, cellHeight_, cellsY_),
          cell(extent.right - gridBox_.left, cellWidth_, cellsX_),
          cell(extent.bottom - gridBox_.top, cellHeight_, cellsY_)};
}

void SpatialIndex::Insert(std::size_t item, const Box& extent) {
  extents_.insert(extents_.begin() + static_cast<std::ptrdiff_t>(item), extent);
  stale_ = true;
}

void SpatialIndex::GridInsert(std::uint32_t item, const Box& extent) const { Place(item, extent, InsertSorted); }

void SpatialIndex::GridRemove(std::uint32_t item, const Box& extent) const { Place(item, extent, EraseSorted); }

void SpatialIndex::Place(std::uint32_t item, const Box& extent,
                         void (*edit)(std::vector<std::uint32_t>&, std::uint32_t)) const {
  const CellRange range = CellsOf(extent);
  if (range.Count() > kLargeItemCells) {
    edit(large_, item);
    return;
  }
  for (std::size_t y = range.y0; y <= range.y1; ++y) {
    for (std::size_t x = range.x0; x <= range.x1; ++x) {
      edit(cells_[y * cellsX_ + x], item);
    }
  }
}

void SpatialIndex::Rebuild() const {
  stale_ = false;
  builtFor_ = extents_.size();
  cells_.clear();
  large_.clear();
  seen_.assign(extents_.size(), 0);
  query_ = 0;
  if (extents_.empty()) {
    gridBox_ = {};
    cellsX_ = cellsY_ = 1;
    cellWidth_ = cellHeight_ = 1;
    cells_.resize(1);
    return;
  }
  Box all = extents_.front();
  for (const Box& extent : extents_) {
    all = all.United(extent);
  }
  gridBox_ = {all.left - kGridMargin * all.Width(), all.top - kGridMargin * all.Height(),
              all.right + kGridMargin * all.Width(), all.bottom + kGridMargin * all.Height()};
  const double width = std::max(gridBox_.Width(), 1.0);
  const double height = std::max(gridBox_.Height(), 1.0);
  const double cellCount = std::max(1.0, static_cast<double>(extents_.size()) / kItemsPerCell);
  const double side = std::sqrt(cellCount * width / height);
  cellsX_ = std::clamp<std::size_t>(static_cast<std::size_t>(std::lround(side)), 1, kMaxCellsPerSide);
  cellsY_ = std::clamp<std::size_t>(static_cast<std::size_t>(std::lround(cellCount / static_cast<double>(cellsX_))),
                                    1, kMaxCellsPerSide);
  cellWidth_ = width / static_cast<double>(cellsX_);
  cellHeight_ = height / static_cast<double>(cellsY_);
  cells_.resize(cellsX_ * cellsY_);
  for (std::size_t item = 0; item < extents_.size(); ++item) {
    GridInsert(static_cast<std::uint32_t>(item), extents_[item]);
  }
}

void SpatialIndex::ItemsMeeting(const Box& area, std::vector<std::uint32_t>& items) const {
  items.clear();
  if (stale_) {
    Rebuild();
  }
  if (extents_.empty()) {
    return;
  }
  if (area.left <= gridBox_.left && area.top <= gridBox_.top && area.right >= gridBox_.right &&
      area.bottom >= gridBox_.bottom) {
    for (std::uint32_t item = 0; item < extents_.size(); ++item) {
      if (extents_[item].Meets(area)) {
        items.push_back(item);
      }
    }
    return;
  }
  // Every extent lies inside the grid while it is up to date.
  if (!area.Meets(gridBox_)) {
    return;
  }
  if (seen_.size() != extents_.size()) {
    seen_.assign(extents_.size(), 0);
  }
  if (++query_ == 0) {
    std::fill(seen_.begin(), seen_.end(), 0);
    query_ = 1;
  }
  const CellRange range = CellsOf(area);
  for (std::size_t y = range.y0; y <= range.y1; ++y) {
    for (std::size_t x = range.x0; x <= range.x1; ++x) {
      for (const std::uint32_t item : cells_[y * cellsX_ + x]) {
        if (seen_[item] != query_ && extents_[item].Meets(area)) {
          seen_[item] = query_;
          items.push_back(item);
        }
      }
    }
  }
  for (const std::uint32_t item : large_) {
    if (extents_[item].Meets(area)) {
      items.push_back(item);
    }
  }
  std::sort(items.begin(), items.end());
}

} // namespace canvas
