#pragma once
// The archive's tables, by version (PRAGMA user_version): a new file gets the
// newest; an older one is brought up to it step by step, each step in one
// transaction. A file of a later version, or one that holds tables that are
// not ours, is refused.
struct sqlite3;

namespace archive {

// Sets the connection's pragmas and makes or migrates the schema.
void PrepareSchema(sqlite3* db);

}  // namespace archive
