// node mdb_reader_csv.mjs NODE_MODULES FILE TABLE: the table as the npm package mdb-reader
// reads it, one JSON array of field texts a line, formatted as jet-export formats them.
import { readFileSync } from "fs";
import { join } from "path";
import { pathToFileURL } from "url";

const [modules, file, tableName] = process.argv.slice(2);
const packageDir = join(modules, "mdb-reader");
const entry = JSON.parse(readFileSync(join(packageDir, "package.json"), "utf8")).main;
const { default: MDBReader } = await import(pathToFileURL(join(packageDir, entry)).href);

const two = (n) => String(n).padStart(2, "0");
const text = (value, type) => {
  if (value === null || value === undefined) return "";
  if (value instanceof Date) {
    const y = String(value.getUTCFullYear()).padStart(4, "0");
    return `${y}-${two(value.getUTCMonth() + 1)}-${two(value.getUTCDate())} ` +
           `${two(value.getUTCHours())}:${two(value.getUTCMinutes())}:${two(value.getUTCSeconds())}`;
  }
  if (typeof value === "boolean") return value ? "1" : "0";
  if (Buffer.isBuffer(value)) return value.toString("hex").toUpperCase();
  if (type === "repid") return `{${String(value).toUpperCase()}}`;
  return String(value);
};

const reader = new MDBReader(readFileSync(file));
const table = reader.getTable(tableName);
const columns = table.getColumns();
for (const row of table.getData()) {
  console.log(JSON.stringify(columns.map((c) => text(row[c.name], c.type))));
}
