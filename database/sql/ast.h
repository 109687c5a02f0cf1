#pragma once
// The parsed form of jet-sql statements. Every node records where it was
// written, so that later layers can point at it in their errors.
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "database/sql/literal.h"
#include "database/sql/source.h"

namespace sql {

// A table, column or constraint name as written, brackets removed.
struct Name {
  std::string text;
  SourceRange range;
};

// column or table.column
struct ColumnRef {
  std::optional<Name> table;
  Name column;
  SourceRange range;
};

enum class CompareOp { Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual };
enum class LogicalOp { And, Or };

struct Expr;

struct Comparison {
  CompareOp op;
  std::unique_ptr<Expr> left, right;
};

struct Logical {
  LogicalOp op;
  std::unique_ptr<Expr> left, right;
};

struct Not {
  std::unique_ptr<Expr> operand;
};

// operand IS NULL, or IS NOT NULL when negated
struct IsNull {
  std::unique_ptr<Expr> operand;
  bool negated = false;
};

struct Expr {
  std::variant<Literal, ColumnRef, Comparison, Logical, Not, IsNull> node;
  SourceRange range;
};

// Jet's column types, under their Jet SQL names; the synonyms map onto them.
enum class ColumnType {
  Counter,   // AutoNumber, Long Integer
  Text,      // text_size characters
  Memo,
  Byte,
  Short,     // Integer in Access
  Long,      // Long Integer
  Single,
  Double,
  Currency,
  DateTime,
  YesNo,
};

struct ColumnDef {
  Name name;
  ColumnType type = ColumnType::Text;
  int text_size = 0;  // 1..255 for Text, 0 otherwise
  bool not_null = false;
  SourceRange range;
};

// Written on a column or as CONSTRAINT name PRIMARY KEY (cols); a table has at most one.
struct PrimaryKey {
  std::optional<Name> constraint;
  std::vector<Name> columns;  // each names a column of the table, none twice
  SourceRange range;
};

struct CreateTable {
  Name table;
  std::vector<ColumnDef> columns;  // at least one, names distinct
  std::optional<PrimaryKey> primary_key;
};

struct Value {
  Literal literal;
  SourceRange range;
};

struct Insert {
  Name table;
  std::vector<Name> columns;  // empty: all columns in table order
  std::vector<Value> values;  // as many as columns when columns are given
};

struct Assignment {
  Name column;
  Expr value;
};

struct Update {
  Name table;
  std::vector<Assignment> assignments;
  std::optional<Expr> where;
};

struct Delete {
  Name table;
  std::optional<Expr> where;
};

struct OrderKey {
  ColumnRef column;
  bool descending = false;
};

struct Select {
  bool distinct = false;
  bool all_columns = false;        // SELECT *
  std::vector<ColumnRef> columns;  // empty when all_columns
  Name table;
  std::optional<Expr> where;
  std::vector<OrderKey> order_by;
};

struct Statement {
  int ordinal = 0;      // 1 for the first statement of a script; empty statements not counted
  SourceRange range;    // first token to last, without the ';'
  Position start;       // of range.begin
  std::string text;     // the script's text of range
  std::variant<CreateTable, Insert, Update, Delete, Select> body;
};

}  // namespace sql
