#pragma once
// Runs one SQL statement through ODBC and fetches its whole first result into memory: connects
// with the given ODBC connection string (no prompt; login time limit 15 s), executes the text (time
// limit 30 s), reads every row and disconnects. Columns of the integer types are read as 64-bit
// integers, all others as wide-character text (kept as UTF-8); NULL stays NULL. A statement
// without a result gives an empty record set.
// Throws DatabaseError carrying the driver's own messages (one per line) when the connection, the
// statement or the fetch fails.
#include <string>

#include "db/RecordSet.h"

namespace qel::db {

inline constexpr unsigned kLoginTimeoutSeconds = 15;
inline constexpr unsigned kQueryTimeoutSeconds = 30;

RecordSet FetchOdbcResult(const std::string& odbcConnectionString, const std::string& sql);

}  // namespace qel::db
