#include "database/sql/create_table_parser.h"

#include "database/sql/column_types.h"
#include "database/sql/expression_parser.h"
#include "database/sql/names.h"

namespace sql {
namespace {

bool TextTakesVarying(std::string_view word) {
  return NamesEqual(word, "CHAR") || NamesEqual(word, "CHARACTER");
}

// The type name, including Jet's two- and three-word spellings.
ColumnType ParseTypeName(TokenCursor& cursor) {
  if (!cursor.At(TokenKind::Word)) cursor.FailExpected("a column type");
  const Token word = cursor.Peek();
  if (cursor.TakeKeyword("NATIONAL")) {
    if (!cursor.At(TokenKind::Word) || !TextTakesVarying(cursor.Peek().text)) {
      cursor.FailExpected("CHAR or CHARACTER after NATIONAL");
    }
    cursor.Take();
    cursor.TakeKeyword("VARYING");
    return ColumnType::Text;
  }
  const std::optional<ColumnType> type = ColumnTypeNamed(word.text);
  if (!type) {
    cursor.Fail(word.begin, IsUnsupportedTypeName(word.text)
                                ? "column type " + word.text + " is not supported"
                                : "unknown column type '" + word.text + "'");
  }
  cursor.Take();
  if (TextTakesVarying(word.text)) cursor.TakeKeyword("VARYING");
  if (*type == ColumnType::Double) cursor.TakeKeyword("PRECISION");
  return *type;
}

int ParseTextSize(TokenCursor& cursor) {
  const Token size = cursor.Expect(TokenKind::Number, "a text size");
  int value = 0;
  for (char c : size.text) {
    if (c < '0' || c > '9' || value > kMaxTextSize) {
      value = 0;
      break;
    }
    value = value * 10 + (c - '0');
  }
  if (value < 1 || value > kMaxTextSize) {
    cursor.Fail(size.begin, "text size must be a whole number from 1 to " + std::to_string(kMaxTextSize));
  }
  cursor.Expect(TokenKind::RightParen, "')'");
  return value;
}

std::vector<Name> ParseNameList(TokenCursor& cursor, std::string_view what) {
  cursor.Expect(TokenKind::LeftParen, "'('");
  std::vector<Name> names;
  do {
    names.push_back(ParseName(cursor, what));
  } while (cursor.TakeIf(TokenKind::Comma));
  cursor.Expect(TokenKind::RightParen, "')'");
  return names;
}

// After CONSTRAINT name, or at PRIMARY.
PrimaryKey ParsePrimaryKeyWords(TokenCursor& cursor, std::size_t begin, std::optional<Name> constraint) {
  cursor.ExpectKeyword("PRIMARY");
  cursor.ExpectKeyword("KEY");
  return PrimaryKey{std::move(constraint), {}, {begin, cursor.LastEnd()}};
}

class TableBuilder {
 public:
  TableBuilder(TokenCursor& cursor, Name table) : cursor_(cursor) { table_.table = std::move(table); }

  void AddColumn(ColumnDef column) {
    for (const ColumnDef& other : table_.columns) {
      if (NamesEqual(other.name.text, column.name.text)) {
        cursor_.Fail(column.name.range.begin, "column '" + column.name.text + "' is defined twice");
      }
    }
    table_.columns.push_back(std::move(column));
  }

  void SetPrimaryKey(PrimaryKey key) {
    if (table_.primary_key) {
      cursor_.Fail(key.range.begin, "table '" + table_.table.text + "' has more than one primary key");
    }
    table_.primary_key = std::move(key);
  }

  // Key columns are checked once all columns are known: a table constraint may come first.
  CreateTable Finish() {
    if (table_.primary_key) {
      const std::vector<Name>& keys = table_.primary_key->columns;
      for (std::size_t i = 0; i < keys.size(); ++i) {
        if (!HasColumn(keys[i].text)) {
          cursor_.Fail(keys[i].range.begin, "primary key column '" + keys[i].text + "' is not a column of table '" +
                                                table_.table.text + "'");
        }
        for (std::size_t j = 0; j < i; ++j) {
          if (NamesEqual(keys[j].text, keys[i].text)) {
            cursor_.Fail(keys[i].range.begin, "column '" + keys[i].text + "' is in the primary key twice");
          }
        }
      }
    }
    return std::move(table_);
  }

 private:
  bool HasColumn(std::string_view name) const {
    for (const ColumnDef& column : table_.columns) {
      if (NamesEqual(column.name.text, name)) return true;
    }
    return false;
  }

  TokenCursor& cursor_;
  CreateTable table_;
};

void ParseColumnDef(TokenCursor& cursor, TableBuilder& table) {
  ColumnDef column;
  column.name = ParseName(cursor, "a column name");
  column.type = ParseTypeName(cursor);
  if (column.type == ColumnType::Text) {
    column.text_size = cursor.TakeIf(TokenKind::LeftParen) ? ParseTextSize(cursor) : kDefaultTextSize;
  } else if (cursor.At(TokenKind::LeftParen)) {
    cursor.Fail(cursor.Peek().begin, "column type " + std::string(ColumnTypeName(column.type)) + " takes no size");
  }
  bool said_null = false;
  for (;;) {
    const std::size_t begin = cursor.Peek().begin;
    if (cursor.TakeKeyword("NOT")) {
      cursor.ExpectKeyword("NULL");
      column.not_null = true;
    } else if (cursor.TakeKeyword("NULL")) {
      said_null = true;
    } else if (cursor.AtKeyword("PRIMARY")) {
      PrimaryKey key = ParsePrimaryKeyWords(cursor, begin, std::nullopt);
      key.columns.push_back(column.name);
      table.SetPrimaryKey(std::move(key));
    } else if (cursor.TakeKeyword("CONSTRAINT")) {
      Name constraint = ParseName(cursor, "a constraint name");
      PrimaryKey key = ParsePrimaryKeyWords(cursor, begin, std::move(constraint));
      key.columns.push_back(column.name);
      table.SetPrimaryKey(std::move(key));
    } else {
      break;
    }
    if (said_null && column.not_null) {
      cursor.Fail(begin, "column '" + column.name.text + "' cannot be both NULL and NOT NULL");
    }
  }
  column.range = {column.name.range.begin, cursor.LastEnd()};
  table.AddColumn(std::move(column));
}

void ParseTablePrimaryKey(TokenCursor& cursor, TableBuilder& table) {
  const std::size_t begin = cursor.Peek().begin;
  std::optional<Name> constraint;
  if (cursor.TakeKeyword("CONSTRAINT")) constraint = ParseName(cursor, "a constraint name");
  PrimaryKey key = ParsePrimaryKeyWords(cursor, begin, std::move(constraint));
  key.columns = ParseNameList(cursor, "a column name");
  key.range.end = cursor.LastEnd();
  table.SetPrimaryKey(std::move(key));
}

}  // namespace

CreateTable ParseCreateTable(TokenCursor& cursor) {
  TableBuilder table(cursor, ParseName(cursor, "a table name"));
  cursor.Expect(TokenKind::LeftParen, "'('");
  bool has_column = false;
  do {
    if (cursor.AtKeyword("CONSTRAINT") || cursor.AtKeyword("PRIMARY")) {
      ParseTablePrimaryKey(cursor, table);
    } else {
      ParseColumnDef(cursor, table);
      has_column = true;
    }
  } while (cursor.TakeIf(TokenKind::Comma));
  const Token close = cursor.Expect(TokenKind::RightParen, "',' or ')'");
  if (!has_column) cursor.Fail(close.begin, "a table needs at least one column");
  return table.Finish();
}

}  // namespace sql
