#include "database/sql/condition.h"

#include <string>
#include <variant>

#include "database/sql/literal_value.h"
#include "database/sql/sql_error.h"

namespace sql {

struct BoundExpr::Node {
  enum class Kind { Constant, Column, Compare, And, Or, Not, IsNull } kind = Kind::Constant;
  jet::Value constant;
  std::size_t column = 0;
  CompareOp op = CompareOp::Equal;
  bool negated = false;  // IS NOT NULL
  ValueKind type = ValueKind::Null;
  std::unique_ptr<Node> left, right;
};

namespace {

using Node = BoundExpr::Node;

std::string KindName(ValueKind kind) {
  switch (kind) {
    case ValueKind::Number: return "a number";
    case ValueKind::Text: return "a text";
    case ValueKind::Binary: return "a binary value";
    case ValueKind::Guid: return "a Replication ID";
    case ValueKind::Null: break;
  }
  return "NULL";
}

ValueKind ColumnKind(const jet::Column& column) {
  switch (column.type) {
    case jet::ColumnType::text:
    case jet::ColumnType::memo: return ValueKind::Text;
    case jet::ColumnType::binary:
    case jet::ColumnType::ole: return ValueKind::Binary;
    case jet::ColumnType::replication_id: return ValueKind::Guid;
    default: return ValueKind::Number;
  }
}

std::unique_ptr<Node> Bind(const Expr& expr, const TableScope& scope);

std::unique_ptr<Node> BindCondition(const Expr& expr, const TableScope& scope) {
  auto node = Bind(expr, scope);
  if (node->type == ValueKind::Text || node->type == ValueKind::Binary || node->type == ValueKind::Guid) {
    throw ErrorAt(scope.statement(), expr.range.begin,
                  "data type mismatch: " + KindName(node->type) + " is not a condition");
  }
  return node;
}

std::unique_ptr<Node> Bind(const Expr& expr, const TableScope& scope) {
  auto node = std::make_unique<Node>();
  struct Visitor {
    const Expr& expr;
    const TableScope& scope;
    Node& node;
    void operator()(const Literal& literal) const {
      node.kind = Node::Kind::Constant;
      node.constant = LiteralValue(literal);
      node.type = KindOf(node.constant);
    }
    void operator()(const ColumnRef& ref) const {
      node.kind = Node::Kind::Column;
      node.column = scope.Resolve(ref);
      node.type = ColumnKind(scope.definition().columns[node.column]);
    }
    void operator()(const Comparison& c) const {
      node.kind = Node::Kind::Compare;
      node.op = c.op;
      node.left = Bind(*c.left, scope);
      node.right = Bind(*c.right, scope);
      if (!Comparable(node.left->type, node.right->type)) {
        throw ErrorAt(scope.statement(), c.right->range.begin,
                      "data type mismatch: " + KindName(node.left->type) + " cannot be compared with " +
                          KindName(node.right->type));
      }
      node.type = ValueKind::Number;
    }
    void operator()(const Logical& l) const {
      node.kind = l.op == LogicalOp::And ? Node::Kind::And : Node::Kind::Or;
      node.left = BindCondition(*l.left, scope);
      node.right = BindCondition(*l.right, scope);
      node.type = ValueKind::Number;
    }
    void operator()(const Not& n) const {
      node.kind = Node::Kind::Not;
      node.left = BindCondition(*n.operand, scope);
      node.type = ValueKind::Number;
    }
    void operator()(const IsNull& n) const {
      node.kind = Node::Kind::IsNull;
      node.negated = n.negated;
      node.left = Bind(*n.operand, scope);
      node.type = ValueKind::Number;
    }
  };
  std::visit(Visitor{expr, scope, *node}, expr.node);
  return node;
}

Truth Of(bool b) { return b ? Truth::True : Truth::False; }

bool Holds(CompareOp op, int order) {
  switch (op) {
    case CompareOp::Equal: return order == 0;
    case CompareOp::NotEqual: return order != 0;
    case CompareOp::Less: return order < 0;
    case CompareOp::LessEqual: return order <= 0;
    case CompareOp::Greater: return order > 0;
    case CompareOp::GreaterEqual: return order >= 0;
  }
  return false;
}

jet::Value ValueOf(const Node& node, const std::vector<jet::Value>& row);

// The operand's value without a copy where it is a column or a constant.
const jet::Value& Operand(const Node& node, const std::vector<jet::Value>& row, jet::Value& scratch) {
  if (node.kind == Node::Kind::Column) return row[node.column];
  if (node.kind == Node::Kind::Constant) return node.constant;
  scratch = ValueOf(node, row);
  return scratch;
}

Truth TruthOf(const Node& node, const std::vector<jet::Value>& row) {
  switch (node.kind) {
    case Node::Kind::Constant:
    case Node::Kind::Column: {
      jet::Value scratch;
      const jet::Value& value = Operand(node, row, scratch);
      if (jet::is_null(value)) return Truth::Unknown;
      return Of(*CompareValues(value, jet::Value{int64_t{0}}) != 0);
    }
    case Node::Kind::Compare: {
      jet::Value left, right;
      const std::optional<int> order =
          CompareValues(Operand(*node.left, row, left), Operand(*node.right, row, right));
      return order ? Of(Holds(node.op, *order)) : Truth::Unknown;
    }
    case Node::Kind::And: {
      const Truth a = TruthOf(*node.left, row);
      if (a == Truth::False) return Truth::False;
      const Truth b = TruthOf(*node.right, row);
      if (b == Truth::False) return Truth::False;
      return a == Truth::True && b == Truth::True ? Truth::True : Truth::Unknown;
    }
    case Node::Kind::Or: {
      const Truth a = TruthOf(*node.left, row);
      if (a == Truth::True) return Truth::True;
      const Truth b = TruthOf(*node.right, row);
      if (b == Truth::True) return Truth::True;
      return a == Truth::False && b == Truth::False ? Truth::False : Truth::Unknown;
    }
    case Node::Kind::Not: {
      const Truth a = TruthOf(*node.left, row);
      return a == Truth::Unknown ? a : Of(a == Truth::False);
    }
    case Node::Kind::IsNull: {
      jet::Value scratch;
      return Of(jet::is_null(Operand(*node.left, row, scratch)) != node.negated);
    }
  }
  return Truth::Unknown;
}

jet::Value ValueOf(const Node& node, const std::vector<jet::Value>& row) {
  switch (node.kind) {
    case Node::Kind::Constant: return node.constant;
    case Node::Kind::Column: return row[node.column];
    default: {
      const Truth truth = TruthOf(node, row);
      if (truth == Truth::Unknown) return jet::Null{};
      return truth == Truth::True;
    }
  }
}

}  // namespace

BoundExpr::BoundExpr(std::unique_ptr<Node> root) : root_(std::move(root)) {}
BoundExpr BoundExpr::Condition(const Expr& expr, const TableScope& scope) {
  return BoundExpr(BindCondition(expr, scope));
}
BoundExpr BoundExpr::Operand(const Expr& expr, const TableScope& scope) { return BoundExpr(Bind(expr, scope)); }
BoundExpr::BoundExpr(BoundExpr&&) noexcept = default;
BoundExpr& BoundExpr::operator=(BoundExpr&&) noexcept = default;
BoundExpr::~BoundExpr() = default;

Truth BoundExpr::Test(const std::vector<jet::Value>& row) const { return TruthOf(*root_, row); }
jet::Value BoundExpr::Evaluate(const std::vector<jet::Value>& row) const { return ValueOf(*root_, row); }

}  // namespace sql
