#pragma once
// Appends the lines of one project file (the child, "Figlio") to those of
// another (the parent, "Padre") and rewrites the parent.

#include <string>

#include "common/message.h"
#include "project/project_file.h"

namespace tralva {

// The values of the "Unisci i dati di progetti diversi ..." group.
struct MergeRequest {
  std::string parent_path;
  std::string child_path;
};

// "Unisci".  Both files are read completely before the parent is replaced,
// so the same path may be given twice (every line is then doubled).  A file
// that is not a whole project is refused before anything is written; the
// parent is replaced only by a complete merged file.  No progress: the merge
// is short.
Message merge_projects(const MergeRequest& request);

// The merged file: the header block, then each row with the parent's values
// followed by the child's, in the merge's own number formats.
std::string merged_project_text(const ProjectData& parent, const ProjectData& child);

}  // namespace tralva
