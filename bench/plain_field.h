#pragma once
// The field model as a plain scalar loop, written the textbook way: for every
// point, every line, conductor, span and segment, the closed form of a thin
// straight wire, mu0 I / (4 pi d) (cos t1 - cos t2), summed as phasors.  The
// baseline the vectorised sums are measured and checked against.

#include <vector>

#include "geometry/configuration.h"

namespace tralva::plain {

// B in microtesla at each point.
std::vector<double> field(const ConfigurationGeometry& geometry, const std::vector<Point3>& points,
                          double buffer);

}  // namespace tralva::plain
