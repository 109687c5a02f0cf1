#include "database/sql/parser.h"

#include "database/sql/create_table_parser.h"
#include "database/sql/expression_parser.h"
#include "database/sql/names.h"

namespace sql {
namespace {

std::optional<Expr> ParseOptionalWhere(TokenCursor& cursor) {
  if (!cursor.TakeKeyword("WHERE")) return std::nullopt;
  return ParseExpression(cursor);
}

void FailIfNamedTwice(TokenCursor& cursor, const std::vector<Name>& earlier, const Name& name) {
  for (const Name& other : earlier) {
    if (NamesEqual(other.text, name.text)) {
      cursor.Fail(name.range.begin, "column '" + name.text + "' is named twice");
    }
  }
}

std::string Count(std::size_t n, const std::string& thing) {
  return std::to_string(n) + " " + thing + (n == 1 ? "" : "s");
}

Select ParseSelect(TokenCursor& cursor) {
  Select select;
  select.distinct = cursor.TakeKeyword("DISTINCT");
  if (cursor.TakeIf(TokenKind::Star)) {
    select.all_columns = true;
  } else {
    do {
      select.columns.push_back(ParseColumnRef(cursor));
    } while (cursor.TakeIf(TokenKind::Comma));
  }
  cursor.ExpectKeyword("FROM");
  select.table = ParseName(cursor, "a table name");
  select.where = ParseOptionalWhere(cursor);
  if (cursor.TakeKeyword("ORDER")) {
    cursor.ExpectKeyword("BY");
    do {
      OrderKey key{ParseColumnRef(cursor)};
      if (cursor.TakeKeyword("DESC")) {
        key.descending = true;
      } else {
        cursor.TakeKeyword("ASC");
      }
      select.order_by.push_back(std::move(key));
    } while (cursor.TakeIf(TokenKind::Comma));
  }
  return select;
}

Insert ParseInsert(TokenCursor& cursor) {
  Insert insert;
  cursor.ExpectKeyword("INTO");
  insert.table = ParseName(cursor, "a table name");
  if (cursor.TakeIf(TokenKind::LeftParen)) {
    do {
      Name column = ParseName(cursor, "a column name");
      FailIfNamedTwice(cursor, insert.columns, column);
      insert.columns.push_back(std::move(column));
    } while (cursor.TakeIf(TokenKind::Comma));
    cursor.Expect(TokenKind::RightParen, "',' or ')'");
  }
  cursor.ExpectKeyword("VALUES");
  const std::size_t list_begin = cursor.Expect(TokenKind::LeftParen, "'('").begin;
  do {
    insert.values.push_back(ParseValue(cursor));
  } while (cursor.TakeIf(TokenKind::Comma));
  cursor.Expect(TokenKind::RightParen, "',' or ')'");
  if (!insert.columns.empty() && insert.columns.size() != insert.values.size()) {
    cursor.Fail(list_begin, Count(insert.columns.size(), "column") + " named but " +
                                Count(insert.values.size(), "value") + " given");
  }
  return insert;
}

Update ParseUpdate(TokenCursor& cursor) {
  Update update;
  update.table = ParseName(cursor, "a table name");
  cursor.ExpectKeyword("SET");
  std::vector<Name> assigned;
  do {
    Name column = ParseName(cursor, "a column name");
    FailIfNamedTwice(cursor, assigned, column);
    assigned.push_back(column);
    cursor.Expect(TokenKind::Equal, "'='");
    update.assignments.push_back(Assignment{std::move(column), ParseExpression(cursor)});
  } while (cursor.TakeIf(TokenKind::Comma));
  update.where = ParseOptionalWhere(cursor);
  return update;
}

Delete ParseDelete(TokenCursor& cursor) {
  Delete del;
  cursor.TakeIf(TokenKind::Star);  // Access's own DELETE * FROM
  cursor.ExpectKeyword("FROM");
  del.table = ParseName(cursor, "a table name");
  del.where = ParseOptionalWhere(cursor);
  return del;
}

Statement ParseOne(TokenCursor& cursor, int ordinal) {
  cursor.BeginStatement(ordinal);
  Statement statement;
  statement.ordinal = ordinal;
  statement.start = cursor.StatementStart();
  if (cursor.TakeKeyword("SELECT")) {
    statement.body = ParseSelect(cursor);
  } else if (cursor.TakeKeyword("INSERT")) {
    statement.body = ParseInsert(cursor);
  } else if (cursor.TakeKeyword("UPDATE")) {
    statement.body = ParseUpdate(cursor);
  } else if (cursor.TakeKeyword("DELETE")) {
    statement.body = ParseDelete(cursor);
  } else if (cursor.TakeKeyword("CREATE")) {
    cursor.ExpectKeyword("TABLE");
    statement.body = ParseCreateTable(cursor);
  } else {
    cursor.FailExpected("SELECT, INSERT, UPDATE, DELETE or CREATE TABLE");
  }
  if (!cursor.At(TokenKind::Semicolon) && !cursor.At(TokenKind::End)) {
    cursor.FailExpected("the end of the statement");
  }
  statement.range = {cursor.StatementBegin(), cursor.LastEnd()};
  statement.text = std::string(cursor.Script().substr(statement.range.begin, statement.range.end - statement.range.begin));
  return statement;
}

}  // namespace

std::optional<Statement> ScriptReader::Next() {
  // Begun before the first look, so that a lexical error is charged to the right statement.
  const int ordinal = count_ + 1;
  cursor_.BeginStatement(ordinal);
  while (cursor_.TakeIf(TokenKind::Semicolon)) cursor_.BeginStatement(ordinal);
  if (cursor_.At(TokenKind::End)) return std::nullopt;
  Statement statement = ParseOne(cursor_, ordinal);
  count_ = ordinal;
  return statement;
}

std::vector<Statement> ParseScript(std::string_view script) {
  ScriptReader reader(script);
  std::vector<Statement> statements;
  while (std::optional<Statement> statement = reader.Next()) statements.push_back(std::move(*statement));
  return statements;
}

Statement ParseStatement(std::string_view text) {
  TokenCursor cursor(text);
  cursor.BeginStatement(1);
  if (cursor.At(TokenKind::End)) cursor.Fail(0, "the statement is empty");
  Statement statement = ParseOne(cursor, 1);
  cursor.TakeIf(TokenKind::Semicolon);
  if (!cursor.At(TokenKind::End)) cursor.FailExpected("the end of the statement");
  return statement;
}

}  // namespace sql
