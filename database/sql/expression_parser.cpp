#include "database/sql/expression_parser.h"

#include <charconv>
#include <optional>

namespace sql {
namespace {

constexpr std::string_view kUnboundParameter =
    "parameter ':' has no value (a value must be bound in its place)";

bool AtName(const TokenCursor& cursor) {
  return cursor.At(TokenKind::BracketName) ||
         (cursor.At(TokenKind::Word) && !IsReservedWord(cursor.Peek().text));
}

Number MakeNumber(TokenCursor& cursor, const Token& token, bool negative) {
  Number n;
  n.text = (negative ? "-" : "") + token.text;
  const char* first = n.text.data();
  const char* last = first + n.text.size();
  const auto [end, error] = std::from_chars(first, last, n.value);
  if (error != std::errc() || end != last) cursor.Fail(token.begin, "number out of range: " + n.text);
  if (n.text.find_first_of(".eE") == std::string::npos) {
    std::int64_t integer = 0;
    const auto [int_end, int_error] = std::from_chars(first, last, integer);
    if (int_error == std::errc() && int_end == last) n.integer = integer;
  }
  return n;
}

// The literal at the cursor, if there is one.
std::optional<Value> TryParseValue(TokenCursor& cursor) {
  const Token& next = cursor.Peek();
  const std::size_t begin = next.begin;
  Literal literal;
  switch (next.kind) {
    case TokenKind::Number:
      literal = MakeNumber(cursor, next, false);
      break;
    case TokenKind::Minus: {
      cursor.Take();
      const Token number = cursor.Expect(TokenKind::Number, "a number after '-'");
      return Value{MakeNumber(cursor, number, true), {begin, number.end}};
    }
    case TokenKind::Text:
      literal = Text{next.text};
      break;
    case TokenKind::Date:
      literal = next.date;
      break;
    case TokenKind::Parameter:
      cursor.Fail(begin, std::string(kUnboundParameter));
    case TokenKind::Word:
      if (cursor.AtKeyword("NULL")) {
        literal = Null{};
      } else if (cursor.AtKeyword("TRUE")) {
        literal = Boolean{true};
      } else if (cursor.AtKeyword("FALSE")) {
        literal = Boolean{false};
      } else {
        return std::nullopt;
      }
      break;
    default:
      return std::nullopt;
  }
  const Token taken = cursor.Take();
  return Value{std::move(literal), {begin, taken.end}};
}

Expr ParseOr(TokenCursor& cursor);

Expr ParseOperand(TokenCursor& cursor) {
  if (cursor.At(TokenKind::LeftParen)) {
    const std::size_t begin = cursor.Take().begin;
    Expr inner = ParseOr(cursor);
    const Token close = cursor.Expect(TokenKind::RightParen, "')'");
    inner.range = {begin, close.end};
    return inner;
  }
  if (AtName(cursor)) {
    ColumnRef column = ParseColumnRef(cursor);
    const SourceRange range = column.range;
    return Expr{std::move(column), range};
  }
  if (std::optional<Value> value = TryParseValue(cursor)) return Expr{std::move(value->literal), value->range};
  cursor.FailExpected("a value or a column name");
}

std::optional<CompareOp> ComparisonAt(const TokenCursor& cursor) {
  switch (cursor.Peek().kind) {
    case TokenKind::Equal: return CompareOp::Equal;
    case TokenKind::NotEqual: return CompareOp::NotEqual;
    case TokenKind::Less: return CompareOp::Less;
    case TokenKind::LessEqual: return CompareOp::LessEqual;
    case TokenKind::Greater: return CompareOp::Greater;
    case TokenKind::GreaterEqual: return CompareOp::GreaterEqual;
    default: return std::nullopt;
  }
}

Expr ParseComparison(TokenCursor& cursor) {
  Expr left = ParseOperand(cursor);
  const std::size_t begin = left.range.begin;
  if (const std::optional<CompareOp> op = ComparisonAt(cursor)) {
    cursor.Take();
    Expr right = ParseOperand(cursor);
    const std::size_t end = right.range.end;
    return Expr{Comparison{*op, std::make_unique<Expr>(std::move(left)), std::make_unique<Expr>(std::move(right))},
                {begin, end}};
  }
  if (cursor.TakeKeyword("IS")) {
    const bool negated = cursor.TakeKeyword("NOT");
    cursor.ExpectKeyword("NULL");
    return Expr{IsNull{std::make_unique<Expr>(std::move(left)), negated}, {begin, cursor.LastEnd()}};
  }
  return left;
}

Expr ParseNot(TokenCursor& cursor) {
  if (cursor.AtKeyword("NOT")) {
    const std::size_t begin = cursor.Take().begin;
    Expr operand = ParseNot(cursor);
    const std::size_t end = operand.range.end;
    return Expr{Not{std::make_unique<Expr>(std::move(operand))}, {begin, end}};
  }
  return ParseComparison(cursor);
}

Expr Join(LogicalOp op, Expr left, Expr right) {
  const SourceRange range{left.range.begin, right.range.end};
  return Expr{Logical{op, std::make_unique<Expr>(std::move(left)), std::make_unique<Expr>(std::move(right))},
              range};
}

Expr ParseAnd(TokenCursor& cursor) {
  Expr left = ParseNot(cursor);
  while (cursor.TakeKeyword("AND")) left = Join(LogicalOp::And, std::move(left), ParseNot(cursor));
  return left;
}

Expr ParseOr(TokenCursor& cursor) {
  Expr left = ParseAnd(cursor);
  while (cursor.TakeKeyword("OR")) left = Join(LogicalOp::Or, std::move(left), ParseAnd(cursor));
  return left;
}

}  // namespace

Name ParseName(TokenCursor& cursor, std::string_view what) {
  if (!AtName(cursor)) {
    if (cursor.At(TokenKind::Parameter)) cursor.Fail(cursor.Peek().begin, std::string(kUnboundParameter));
    cursor.FailExpected(what);
  }
  Token token = cursor.Take();
  return Name{std::move(token.text), {token.begin, token.end}};
}

ColumnRef ParseColumnRef(TokenCursor& cursor) {
  Name first = ParseName(cursor, "a column name");
  const std::size_t begin = first.range.begin;
  if (!cursor.TakeIf(TokenKind::Dot)) return ColumnRef{std::nullopt, first, first.range};
  Name column = ParseName(cursor, "a column name after '.'");
  const std::size_t end = column.range.end;
  return ColumnRef{std::move(first), std::move(column), {begin, end}};
}

Value ParseValue(TokenCursor& cursor) {
  if (std::optional<Value> value = TryParseValue(cursor)) return std::move(*value);
  cursor.FailExpected("a value (text, number, date, TRUE, FALSE or NULL)");
}

Expr ParseExpression(TokenCursor& cursor) { return ParseOr(cursor); }

}  // namespace sql
