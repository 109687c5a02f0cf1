#pragma once
// Jet SQL's column type names and their synonyms.
#include <optional>
#include <string_view>

#include "database/sql/ast.h"

namespace sql {

// The type a single-word type name stands for (case ignored); nullopt when unknown.
std::optional<ColumnType> ColumnTypeNamed(std::string_view word);

// Type names Jet knows that we do not build (GUID, DECIMAL, binary and OLE columns).
bool IsUnsupportedTypeName(std::string_view word);

// The Jet SQL name of the type: COUNTER, TEXT, MEMO, BYTE, SHORT, LONG, ...
std::string_view ColumnTypeName(ColumnType type);

constexpr int kDefaultTextSize = 255;
constexpr int kMaxTextSize = 255;

}  // namespace sql
