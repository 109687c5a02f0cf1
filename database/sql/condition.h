#pragma once
// WHERE conditions and SET values bound to the columns of one table, checked once and then
// worked out for each row with Access's logic: a comparison with NULL is neither true nor
// false, NOT of that is still unknown, AND and OR as in three-valued logic, and only rows
// whose condition is true are taken.
#include <memory>
#include <vector>

#include "database/jet/value.h"
#include "database/sql/ast.h"
#include "database/sql/table_scope.h"
#include "database/sql/value_order.h"

namespace sql {

enum class Truth { False, True, Unknown };

class BoundExpr {
 public:
  // Names resolved and operand types checked here, so that a statement fails the same
  // way whatever rows the table holds. SqlError at the offending part.
  static BoundExpr Condition(const Expr& expr, const TableScope& scope);
  // A value to write (SET column = expr): a constant, a column of the row, or a condition.
  static BoundExpr Operand(const Expr& expr, const TableScope& scope);
  BoundExpr(BoundExpr&&) noexcept;
  BoundExpr& operator=(BoundExpr&&) noexcept;
  ~BoundExpr();

  Truth Test(const std::vector<jet::Value>& row) const;
  // A condition's value is Yes, No or NULL.
  jet::Value Evaluate(const std::vector<jet::Value>& row) const;

  struct Node;

 private:
  explicit BoundExpr(std::unique_ptr<Node> root);
  std::unique_ptr<Node> root_;
};

}  // namespace sql
