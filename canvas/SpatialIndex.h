#pragma once

#include "canvas/DrawingObject.h"

#include <cstdint>
#include <vector>

namespace canvas {

// Finds the items whose extents meet an area without looking at every item:
// a uniform grid over the items' extents, sized to the number of items.
// Items are numbered from 0 in stacking order (later ones lie on top). An
// item that would cover many cells is kept in a short list of large items
// instead, so one huge object does not fill the grid.
//
// Appending and moving items update the grid in place; erasing an item,
// which renumbers the ones after it, and growing well past the size the
// grid was built for rebuild it, lazily, on the next query.
class SpatialIndex {
public:
  void Clear();
  void Append(const Box& extent);
  void Update(std::size_t item, const Box& extent);
  // Later items move down by one.
  void Erase(std::size_t item);
  // Later items move up by one.
  void Insert(std::size_t item, const Box& extent);

  std::size_t Size() const { return extents_.size(); }
  const Box& Extent(std::size_t item) const { return extents_[item]; }

  // The items whose extents meet area, in ascending order.
  void ItemsMeeting(const Box& area, std::vector<std::uint32_t>& items) const;

private:
  struct CellRange {
    std::size_t x0, y0, x1, y1;
    std::size_t Count() const { return (x1 - x0 + 1) * (y1 - y0 + 1); }
  };

  void Rebuild() const;
  bool Covers(const Box& extent) const;
  CellRange CellsOf(const Box& extent) const;
  void GridInsert(std::uint32_t item, const Box& extent) const;
  void GridRemove(std::uint32_t item, const Box& extent) const;
  // Applies edit to the item's entry in every cell its extent covers, or in
  // the list of large items.
  void Place(std::uint32_t item, const Box& extent, void (*edit)(std::vector<std::uint32_t>&, std::uint32_t)) const;

  std::vector<Box> extents_;

  // The grid, rebuilt from extents_ when stale_ is set.
  mutable bool stale_ = true;
  mutable Box gridBox_;
  mutable std::size_t cellsX_ = 0;
  mutable std::size_t cellsY_ = 0;
  mutable double cellWidth_ = 1;
  mutable double cellHeight_ = 1;
  mutable std::size_t builtFor_ = 0;
  mutable std::vector<std::vector<std::uint32_t>> cells_;
  mutable std::vector<std::uint32_t> large_;
  // Marks of the items already collected by the running query.
  mutable std::vector<std::uint32_t> seen_;
  mutable std::uint32_t query_ = 0;
};

} // namespace canvas
