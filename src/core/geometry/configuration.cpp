#include "geometry/configuration.h"

#include "geometry/catenary.h"
#include "geometry/row_checks.h"
#include "project/project_file.h"
#include "project/project_texts.h"

namespace tralva {
namespace {

ConfigurationOutcome build(const ProjectData& data) {
  ConfigurationOutcome outcome = check_rows(data);
  if (auto* geometry = std::get_if<ConfigurationGeometry>(&outcome)) hang_conductors(*geometry);
  return outcome;
}

}  // namespace

ConfigurationOutcome build_configuration(ByteStream& in) {
  return build(read_project_data(in, PhaseCodes::integers));
}

ConfigurationOutcome build_configuration(const std::string& path) {
  ByteStream in;
  if (!in.open(path)) return error_message(project_text::kCannotOpen, in.cause());
  const ProjectData data = read_project_data(in, PhaseCodes::integers);
  in.close();
  return build(data);
}

}  // namespace tralva
