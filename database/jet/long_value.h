#pragma once

#include "database/jet/page.h"
#include "database/jet/page_cache.h"
#include "database/jet/value.h"

namespace jet {

// The bytes of a Memo or OLE Object field, given the field as stored in its row: held in the
// row itself, in one row of a long-value page, or in a chain of such rows.
Binary read_long_value(PageCache& pages, const Region& field);

}  // namespace jet
