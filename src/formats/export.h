// The group lists for the attendance program Lumidor (*.grp): per group in group order "GRUPP:"
// and its name, the member count, then the keys of its members in pupil order, for the group's
// own period; CR LF after every line, no header and no end marker.
#pragma once

#include <string>

#include "base/model.h"

namespace pelora {

std::string exportBytes(const Work& work);

}  // namespace pelora
