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

// Appending rather than operator+, which GCC 12 at -O3 warns about falsely (-Wrestrict).
template <class... Parts>
std::string Cat(const Parts&... parts) {
  std::string text;
  (text.append(std::string_view(parts)), ...);
  return text;
}

std::string FormatColumnRef(const ColumnRef& ref) {
  return ref.table ? Cat(FormatName(ref.table->text), ".", FormatName(ref.column.text))
                   : FormatName(ref.column.text);
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

std::string Where(const std::optional<Expr>& where) { return where ? Cat(" WHERE ", FormatExpr(*where)) : ""; }

std::string FormatNames(const std::vector<Name>& names) {
  return Joined(names, [](const Name& n) { return FormatName(n.text); });
}

std::string FormatColumnDef(const ColumnDef& column) {
  std::string text = Cat(FormatName(column.name.text), " ", ColumnTypeName(column.type));
  if (column.type == ColumnType::Text) text += Cat("(", std::to_string(column.text_size), ")");
  if (column.not_null) text += " NOT NULL";
  return text;
}

std::string FormatBody(const CreateTable& create) {
  std::string text = Cat("CREATE TABLE ", FormatName(create.table.text), " (", Joined(create.columns, FormatColumnDef));
  if (const auto& key = create.primary_key) {
    text += ", ";
    if (key->constraint) text += Cat("CONSTRAINT ", FormatName(key->constraint->text), " ");
    text += Cat("PRIMARY KEY (", FormatNames(key->columns), ")");
  }
  return text + ")";
}

std::string FormatBody(const Insert& insert) {
  std::string text = Cat("INSERT INTO ", FormatName(insert.table.text));
  if (!insert.columns.empty()) text += Cat(" (", FormatNames(insert.columns), ")");
  return Cat(text, " VALUES (", Joined(insert.values, [](const Value& v) { return FormatLiteral(v.literal); }), ")");
}

std::string FormatBody(const Update& update) {
  return Cat("UPDATE ", FormatName(update.table.text), " SET ",
             Joined(update.assignments,
                    [](const Assignment& a) { return Cat(FormatName(a.column.text), " = ", FormatExpr(a.value)); }),
             Where(update.where));
}

std::string FormatBody(const Delete& del) { return Cat("DELETE FROM ", FormatName(del.table.text), Where(del.where)); }

std::string FormatBody(const Select& select) {
  std::string text = select.distinct ? "SELECT DISTINCT " : "SELECT ";
  text += select.all_columns ? "*" : Joined(select.columns, FormatColumnRef);
  text += Cat(" FROM ", FormatName(select.table.text), Where(select.where));
  if (!select.order_by.empty()) {
    text += Cat(" ORDER BY ", Joined(select.order_by, [](const OrderKey& key) {
                  return Cat(FormatColumnRef(key.column), key.descending ? " DESC" : " ASC");
                }));
  }
  return text;
}

}  // namespace

std::string FormatName(std::string_view name) {
  bool plain = !name.empty() && !(name[0] >= '0' && name[0] <= '9') && !IsReservedWord(name);
  for (char c : name) plain = plain && IsNameChar(c);
  return plain ? std::string(name) : Cat("[", name, "]");
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
  return std::visit(
      Overloaded{
          [](const Literal& l) { return FormatLiteral(l); },
          [](const ColumnRef& c) { return FormatColumnRef(c); },
          [](const Comparison& c) {
            return Cat("(", FormatExpr(*c.left), " ", OperatorText(c.op), " ", FormatExpr(*c.right), ")");
          },
          [](const Logical& l) {
            return Cat("(", FormatExpr(*l.left), l.op == LogicalOp::And ? " AND " : " OR ", FormatExpr(*l.right),
                       ")");
          },
          [](const Not& n) { return Cat("(NOT ", FormatExpr(*n.operand), ")"); },
          [](const IsNull& n) { return Cat("(", FormatExpr(*n.operand), n.negated ? " IS NOT NULL)" : " IS NULL)"); },
      },
      expr.node);
}

std::string FormatStatement(const Statement& statement) {
  return std::visit([](const auto& body) { return FormatBody(body); }, statement.body);
}

}  // namespace sql
