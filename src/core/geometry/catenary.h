#pragma once
// Where the conductors hang: every suspension point and every support's top
// level, then each span's direction, its catenary and the samples of its
// polyline.

#include "geometry/configuration.h"

namespace tralva {

// Adds the suspension points, top levels and span curves to lines that
// passed the viewer's checks, every array holding what its counts ask for.
void hang_conductors(ConfigurationGeometry& geometry);

}  // namespace tralva
