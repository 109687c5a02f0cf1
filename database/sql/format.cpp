#include "database/sql/format.h"

#include <cstdio>

#include "database/sql/binding.h"
#include "database/sql/column_types.h"
#include "database/sql/names.h"
#include "database/sql/token_cursor.h"

namespace sql {
namespace {

template <class... F>
struct Overloaded : F... {
  using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

std::string_view OperatorText(CompareOp op) {
  switch (op) {
    case CompareOp::Equal: return "=";
    case CompareOp::NotEqual: return "<>";
    case CompareOp::Less: return "<";
    case CompareOp::LessEqual: return "<=";
    case CompareOp::Greater: return ">";
    case CompareOp::GreaterEqual: return ">=";
  }
  return "";
}

std::string FormatColumnRef(const ColumnRef& ref) {
  return ref.table ? FormatName(ref.table->text) + "." + FormatName(ref.column.text) : FormatName(ref.column.text);
}

template <class T, class F>
std::string Joined(const std::vector<T>& items, F format) {
  std::string text;
  for (const T& item : items) {
    if (!text.empty()) text += ", ";
    text += format(item);
  }
  return text;
}

std::string Where(const std::optional<Expr>& where) {
  return where ? " WHERE " + FormatExpr(*where) : "";
}

std::string FormatNames(const std::vector<Name>& names) {
  return Joined(names, [](const Name& n) { return FormatName(n.text); });
}

std::string FormatColumnDef(const ColumnDef& column) {
  std::string text = FormatName(column.name.text) + " " + std::string(ColumnTypeName(column.type));
  if (column.type == ColumnType::Text) text += "(" + std::to_string(column.text_size) + ")";
  if (column.not_null) text += " NOT NULL";
  return text;
}

std::string FormatBody(const CreateTable& create) {
  std::string text = "CREATE TABLE " + FormatName(create.table.text) + " (" +
                     Joined(create.columns, FormatColumnDef);
  if (const auto& key = create.primary_key) {
    text += ", ";
    if (key->constraint) text += "CONSTRAINT " + FormatName(key->constraint->text) + " ";
    text += "PRIMARY KEY (" + FormatNames(key->columns) + ")";
  }
  return text + ")";
}

std::string FormatBody(const Insert& insert) {
  std::string text = "INSERT INTO " + FormatName(insert.table.text);
  if (!insert.columns.empty()) text += " (" + FormatNames(insert.columns) + ")";
  return text + " VALUES (" + Joined(insert.values, [](const Value& v) { return FormatLiteral(v.literal); }) + ")";
}

std::string FormatBody(const Update& update) {
  return "UPDATE " + FormatName(update.table.text) + " SET " +
         Joined(update.assignments,
                [](const Assignment& a) { return FormatName(a.column.text) + " = " + FormatExpr(a.value); }) +
         Where(update.where);
}

std::string FormatBody(const Delete& del) { return "DELETE FROM " + FormatName(del.table.text) + Where(del.where); }

std::string FormatBody(const Select& select) {
  std::string text = select.distinct ? "SELECT DISTINCT " : "SELECT ";
  text += select.all_columns ? "*" : Joined(select.columns, FormatColumnRef);
  text += " FROM " + FormatName(select.table.text) + Where(select.where);
  if (!select.order_by.empty()) {
    text += " ORDER BY " + Joined(select.order_by, [](const OrderKey& key) {
      return FormatColumnRef(key.column) + (key.descending ? " DESC" : " ASC");
    });
  }
  return text;
}

}  // namespace

std::string FormatName(std::string_view name) {
  bool plain = !name.empty() && !(name[0] >= '0' && name[0] <= '9') && !IsReservedWord(name);
  for (char c : name) plain = plain && IsNameChar(c);
  return plain ? std::string(name) : "[" + std::string(name) + "]";
}

std::string FormatLiteral(const Literal& literal) {
  return std::visit(Overloaded{
                        [](const Null&) -> std::string { return "NULL"; },
                        [](const Boolean& b) -> std::string { return b.value ? "TRUE" : "FALSE"; },
                        [](const Number& n) { return n.text; },
                        [](const Text& t) { return ParameterText(t.value); },
                        [](const DateTime& d) {
                          char text[32];
                          std::snprintf(text, sizeof text, "#%04d-%02d-%02d %02d:%02d:%02d#", d.year, d.month,
                                        d.day, d.hour, d.minute, d.second);
                          return std::string(text);
                        },
                    },
                    literal);
}

std::string FormatExpr(const Expr& expr) {
  return std::visit(Overloaded{
                        [](const Literal& l) { return FormatLiteral(l); },
                        [](const ColumnRef& c) { return FormatColumnRef(c); },
                        [](const Comparison& c) {
                          return "(" + FormatExpr(*c.left) + " " + std::string(OperatorText(c.op)) + " " +
                                 FormatExpr(*c.right) + ")";
                        },
                        [](const Logical& l) {
                          return "(" + FormatExpr(*l.left) + (l.op == LogicalOp::And ? " AND " : " OR ") +
                                 FormatExpr(*l.right) + ")";
                        },
                        [](const Not& n) { return "(NOT " + FormatExpr(*n.operand) + ")"; },
                        [](const IsNull& n) {
                          return "(" + FormatExpr(*n.operand) + (n.negated ? " IS NOT NULL)" : " IS NULL)");
                        },
                    },
                    expr.node);
}

std::string FormatStatement(const Statement& statement) {
  return std::visit([](const auto& body) { return FormatBody(body); }, statement.body);
}

}  // namespace sql
