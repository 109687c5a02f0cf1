#pragma once
// How statements compare the values of a row, as Access does: numbers of every type with
// each other (Yes as -1, No as 0, dates as their day numbers), texts without regard to case.
// NULL is unknown to a comparison; sorting puts it first.
#include <optional>
#include <string>

#include "database/jet/value.h"

namespace sql {

// What a value can be compared with.
enum class ValueKind { Null, Number, Text, Binary, Guid };

ValueKind KindOf(const jet::Value& value);
// Null goes with everything; a number never with a text.
bool Comparable(ValueKind a, ValueKind b);

// <0, 0 or >0; nullopt when either is NULL. The kinds must be Comparable.
// Texts: case ignored (Windows-1252 letters too); accented letters after their plain letter
// and before the next one (a < á < b), so that a list reads as Access sorts it.
std::optional<int> CompareValues(const jet::Value& a, const jet::Value& b);

// A total order for sorting and DISTINCT: NULL before everything, equal to NULL.
int SortOrder(const jet::Value& a, const jet::Value& b);

// Appends a text that two values of Comparable kinds share exactly when SortOrder finds them
// equal, so that DISTINCT can find repeated rows without sorting them all.
void AppendEqualityKey(const jet::Value& value, std::u16string& key);

}  // namespace sql
