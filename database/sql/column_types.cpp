#include "database/sql/column_types.h"

#include <array>
#include <utility>

#include "database/sql/names.h"

namespace sql {
namespace {

using T = ColumnType;

constexpr std::array<std::pair<std::string_view, ColumnType>, 45> kTypeNames = {{
    {"COUNTER", T::Counter},    {"AUTOINCREMENT", T::Counter},
    {"TEXT", T::Text},          {"VARCHAR", T::Text},        {"CHAR", T::Text},
    {"CHARACTER", T::Text},     {"STRING", T::Text},         {"ALPHANUMERIC", T::Text},
    {"NCHAR", T::Text},         {"NVARCHAR", T::Text},
    {"MEMO", T::Memo},          {"LONGTEXT", T::Memo},       {"LONGCHAR", T::Memo},
    {"NOTE", T::Memo},          {"NTEXT", T::Memo},
    {"BYTE", T::Byte},          {"TINYINT", T::Byte},        {"INTEGER1", T::Byte},
    {"SHORT", T::Short},        {"SMALLINT", T::Short},      {"INTEGER2", T::Short},
    {"LONG", T::Long},          {"INTEGER", T::Long},        {"INT", T::Long},
    {"INTEGER4", T::Long},
    {"SINGLE", T::Single},      {"REAL", T::Single},         {"FLOAT4", T::Single},
    {"IEEESINGLE", T::Single},
    {"DOUBLE", T::Double},      {"FLOAT", T::Double},        {"FLOAT8", T::Double},
    {"IEEEDOUBLE", T::Double},  {"NUMBER", T::Double},
    {"CURRENCY", T::Currency},  {"MONEY", T::Currency},
    {"DATETIME", T::DateTime},  {"DATE", T::DateTime},       {"TIME", T::DateTime},
    {"TIMESTAMP", T::DateTime},
    {"YESNO", T::YesNo},        {"BIT", T::YesNo},           {"LOGICAL", T::YesNo},
    {"LOGICAL1", T::YesNo},     {"BOOLEAN", T::YesNo},
}};

constexpr std::array<std::string_view, 12> kUnsupported = {
    "BINARY",  "VARBINARY", "GUID",    "UNIQUEIDENTIFIER", "DECIMAL", "NUMERIC",
    "DEC",     "IMAGE",     "LONGBINARY", "GENERAL",       "OLEOBJECT", "VALUE",
};

}  // namespace

std::optional<ColumnType> ColumnTypeNamed(std::string_view word) {
  for (const auto& [name, type] : kTypeNames) {
    if (NamesEqual(word, name)) return type;
  }
  return std::nullopt;
}

bool IsUnsupportedTypeName(std::string_view word) {
  for (std::string_view name : kUnsupported) {
    if (NamesEqual(word, name)) return true;
  }
  return false;
}

std::string_view ColumnTypeName(ColumnType type) {
  switch (type) {
    case T::Counter: return "COUNTER";
    case T::Text: return "TEXT";
    case T::Memo: return "MEMO";
    case T::Byte: return "BYTE";
    case T::Short: return "SHORT";
    case T::Long: return "LONG";
    case T::Single: return "SINGLE";
    case T::Double: return "DOUBLE";
    case T::Currency: return "CURRENCY";
    case T::DateTime: return "DATETIME";
    case T::YesNo: return "YESNO";
  }
  return "";
}

}  // namespace sql
