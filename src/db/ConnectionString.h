#pragma once
// Maps the query's connection string, written for the OLE DB provider for SQL Server
// ("Provider=SQLOLEDB.1;Password=...;User ID=...;Initial Catalog=...;Data Source=host[,port]"),
// onto an ODBC connection string for the driver named "SQL Server":
// "DRIVER={SQL Server};SERVER=...;DATABASE=...;UID=...;PWD=...", pairs absent from the input left
// out. Keywords are matched without regard to case or surrounding blanks (their synonyms Server,
// Address, Database, UID and Pwd too); a value may be quoted with " or ' (the quote doubled inside);
// the last of repeated keywords wins. Values that ODBC would misread are put in braces.
// Throws DatabaseError on a pair without "=", an unknown keyword or a provider other than SQLOLEDB.
#include <string>

namespace qel::db {

std::string OdbcConnectionString(const std::string& oleDbConnectionString);

}  // namespace qel::db
