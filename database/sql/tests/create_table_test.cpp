#include <gtest/gtest.h>

#include <string>

#include "database/sql/format.h"
#include "database/sql/parser.h"

namespace sql {
namespace {

const CreateTable& Table(const Statement& s) { return std::get<CreateTable>(s.body); }

struct TypeCase {
  const char* written;
  const char* canonical;
};

class ColumnTypeTest : public testing::TestWithParam<TypeCase> {};

TEST_P(ColumnTypeTest, MapsToJetType) {
  const std::string text = std::string("CREATE TABLE t (c ") + GetParam().written + ")";
  EXPECT_EQ(FormatStatement(ParseStatement(text)), std::string("CREATE TABLE t (c ") + GetParam().canonical + ")");
}

INSTANTIATE_TEST_SUITE_P(
    Names, ColumnTypeTest,
    testing::Values(
        TypeCase{"COUNTER", "COUNTER"}, TypeCase{"autoincrement", "COUNTER"},
        TypeCase{"TEXT(4)", "TEXT(4)"}, TypeCase{"TEXT", "TEXT(255)"}, TypeCase{"text (255)", "TEXT(255)"},
        TypeCase{"VARCHAR(80)", "TEXT(80)"}, TypeCase{"VARCHAR", "TEXT(255)"}, TypeCase{"CHAR(1)", "TEXT(1)"},
        TypeCase{"CHARACTER(10)", "TEXT(10)"}, TypeCase{"CHARACTER VARYING(20)", "TEXT(20)"},
        TypeCase{"STRING(5)", "TEXT(5)"}, TypeCase{"ALPHANUMERIC", "TEXT(255)"}, TypeCase{"NCHAR(2)", "TEXT(2)"},
        TypeCase{"NVARCHAR(3)", "TEXT(3)"}, TypeCase{"NATIONAL CHAR(3)", "TEXT(3)"},
        TypeCase{"NATIONAL CHARACTER VARYING(7)", "TEXT(7)"},
        TypeCase{"MEMO", "MEMO"}, TypeCase{"LONGTEXT", "MEMO"}, TypeCase{"LONGCHAR", "MEMO"},
        TypeCase{"NOTE", "MEMO"}, TypeCase{"NTEXT", "MEMO"},
        TypeCase{"BYTE", "BYTE"}, TypeCase{"TINYINT", "BYTE"}, TypeCase{"INTEGER1", "BYTE"},
        TypeCase{"SHORT", "SHORT"}, TypeCase{"SMALLINT", "SHORT"}, TypeCase{"INTEGER2", "SHORT"},
        TypeCase{"LONG", "LONG"}, TypeCase{"INTEGER", "LONG"}, TypeCase{"INT", "LONG"},
        TypeCase{"INTEGER4", "LONG"},
        TypeCase{"SINGLE", "SINGLE"}, TypeCase{"REAL", "SINGLE"}, TypeCase{"FLOAT4", "SINGLE"},
        TypeCase{"IEEESINGLE", "SINGLE"},
        TypeCase{"DOUBLE", "DOUBLE"}, TypeCase{"DOUBLE PRECISION", "DOUBLE"}, TypeCase{"FLOAT", "DOUBLE"},
        TypeCase{"FLOAT8", "DOUBLE"}, TypeCase{"IEEEDOUBLE", "DOUBLE"}, TypeCase{"NUMBER", "DOUBLE"},
        TypeCase{"CURRENCY", "CURRENCY"}, TypeCase{"MONEY", "CURRENCY"},
        TypeCase{"DATETIME", "DATETIME"}, TypeCase{"DATE", "DATETIME"}, TypeCase{"TIME", "DATETIME"},
        TypeCase{"TIMESTAMP", "DATETIME"},
        TypeCase{"YESNO", "YESNO"}, TypeCase{"BIT", "YESNO"}, TypeCase{"LOGICAL", "YESNO"},
        TypeCase{"LOGICAL1", "YESNO"}, TypeCase{"BOOLEAN", "YESNO"},
        TypeCase{"LONG NOT NULL", "LONG NOT NULL"}, TypeCase{"TEXT(9) not null", "TEXT(9) NOT NULL"},
        TypeCase{"LONG NULL", "LONG"}));

TEST(CreateTableTest, TheRouteTable) {
  const Statement s = ParseStatement(
      "CREATE TABLE VOOS (COD_VOOS COUNTER CONSTRAINT PrimaryKey PRIMARY KEY, ORIGEM TEXT(4), SPEED TEXT(4), "
      "FL TEXT(4), ROTA TEXT(80), DEST TEXT(4), DISTANCIA LONG, ATIS TEXT(50), OBS TEXT(255))");
  const CreateTable& t = Table(s);
  EXPECT_EQ(t.table.text, "VOOS");
  ASSERT_EQ(t.columns.size(), 9u);
  EXPECT_EQ(t.columns[0].name.text, "COD_VOOS");
  EXPECT_EQ(t.columns[0].type, ColumnType::Counter);
  EXPECT_EQ(t.columns[0].text_size, 0);
  EXPECT_EQ(t.columns[4].type, ColumnType::Text);
  EXPECT_EQ(t.columns[4].text_size, 80);
  EXPECT_EQ(t.columns[6].type, ColumnType::Long);
  EXPECT_FALSE(t.columns[6].not_null);
  EXPECT_EQ(s.text.substr(t.columns[1].range.begin, t.columns[1].range.end - t.columns[1].range.begin),
            "ORIGEM TEXT(4)");
  ASSERT_TRUE(t.primary_key.has_value());
  EXPECT_EQ(t.primary_key->constraint->text, "PrimaryKey");
  ASSERT_EQ(t.primary_key->columns.size(), 1u);
  EXPECT_EQ(t.primary_key->columns[0].text, "COD_VOOS");
  EXPECT_EQ(FormatStatement(s),
            "CREATE TABLE VOOS (COD_VOOS COUNTER, ORIGEM TEXT(4), SPEED TEXT(4), FL TEXT(4), ROTA TEXT(80), "
            "DEST TEXT(4), DISTANCIA LONG, ATIS TEXT(50), OBS TEXT(255), CONSTRAINT PrimaryKey PRIMARY KEY (COD_VOOS))");
}

struct KeyCase {
  const char* text;
  const char* canonical;
};

class PrimaryKeyTest : public testing::TestWithParam<KeyCase> {};

TEST_P(PrimaryKeyTest, Parses) { EXPECT_EQ(FormatStatement(ParseStatement(GetParam().text)), GetParam().canonical); }

INSTANTIATE_TEST_SUITE_P(
    Forms, PrimaryKeyTest,
    testing::Values(
        KeyCase{"CREATE TABLE t (a LONG PRIMARY KEY, b TEXT)",
                "CREATE TABLE t (a LONG, b TEXT(255), PRIMARY KEY (a))"},
        KeyCase{"CREATE TABLE t (a LONG NOT NULL, b SHORT, CONSTRAINT pk PRIMARY KEY (a, b))",
                "CREATE TABLE t (a LONG NOT NULL, b SHORT, CONSTRAINT pk PRIMARY KEY (a, b))"},
        KeyCase{"CREATE TABLE t (CONSTRAINT [my key] PRIMARY KEY (B), a LONG, b LONG)",
                "CREATE TABLE t (a LONG, b LONG, CONSTRAINT [my key] PRIMARY KEY (B))"},
        KeyCase{"CREATE TABLE t (a LONG, PRIMARY KEY (a))", "CREATE TABLE t (a LONG, PRIMARY KEY (a))"},
        KeyCase{"create table [Order Lines] ([Line No] counter not null primary key)",
                "CREATE TABLE [Order Lines] ([Line No] COUNTER NOT NULL, PRIMARY KEY ([Line No]))"}));

}  // namespace
}  // namespace sql
