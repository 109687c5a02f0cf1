#pragma once

#include <vector>

#include "database/jet/catalog.h"
#include "database/jet/new_table.h"
#include "database/jet/page_cache.h"

namespace jet {

// Creates a table as Jet does: its definition page, its usage maps, an empty primary-key
// index when one is asked for, and its rows in the catalog (MSysObjects, with its indexes)
// and in MSysACEs. Refuses a name already taken or a column that cannot be made, naming it.
void create_table(PageCache& pages, const std::vector<CatalogEntry>& catalog, const NewTable& table);

}  // namespace jet
