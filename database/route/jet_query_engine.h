#pragma once
// The query engine on our own Jet 4 engine and its jet-sql executor.
#include <memory>

#include "database/route/connection.h"
#include "database/route/query_engine.h"

namespace route {

// Opens the settings' file shared, for reading and writing unless the settings say read-only.
// "Could not find file '<path>'." when there is none, "Unrecognized database format '<path>'."
// when it is no database the engine reads.
std::unique_ptr<QueryEngine> OpenJetQueryEngine(const ConnectionSettings& settings);

}  // namespace route
