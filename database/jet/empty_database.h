#pragma once

#include <cstdint>
#include <vector>

namespace jet {

// The bytes of an empty Jet 4 database as the Jet engine creates it: its header and the
// system tables MSysObjects, MSysACEs, MSysQueries and MSysRelationships with their rows.
std::vector<uint8_t> empty_database();

}  // namespace jet
