#include "canvas/ViewTransform.h"

#include <algorithm>

namespace canvas {

ViewTransform ViewTransform::ForView(const PictureSettings& picture, double clientWidth, double clientHeight) {
  const double width = picture.picWidth;
  const double height = picture.picHeight;
  double scaleX = 1;
  double scaleY = 1;
  if (picture.autoScale) {
    const double fit = std::min(clientWidth / width, clientHeight / height);
    scaleX = scaleY = fit > 0 ? fit : 1;
  } else {
    scaleX = picture.picXSize > 0 ? picture.picXSize / width : 1;
    scaleY = picture.picYSize > 0 ? picture.picYSize / height : 1;
  }
  return ViewTransform(scaleX * picture.zoom, scaleY * picture.zoom,
                       {picture.picLeft + picture.picXOfs, picture.picTop + picture.picYOfs});
}

} // namespace canvas
