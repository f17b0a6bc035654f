#pragma once
// The viewer's reading of a project's rows: its checks, in the order in
// which they can fire, and the cross directions of cable runs.

#include "geometry/configuration.h"
#include "project/project_file.h"

namespace tralva {

// The lines the rows describe, every array holding what its counts ask for,
// or the message that stops the building.
ConfigurationOutcome check_rows(const ProjectData& data);

}  // namespace tralva
