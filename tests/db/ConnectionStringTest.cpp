#include <gtest/gtest.h>

#include "db/ConnectionString.h"
#include "db/DatabaseError.h"

namespace qel::db {
namespace {

const std::string kLauncher =
    "Provider=SQLOLEDB.1;Password=tupal;Persist Security Info=True;User ID=sa;Initial Catalog=wvt;Data Source=";

TEST(OdbcConnectionString, MapsTheProviderStringOntoTheSqlServerDriver) {
    struct Case { std::string oleDb; std::string odbc; };
    const Case cases[] = {
        {kLauncher + "192.168.1.20", "DRIVER={SQL Server};SERVER=192.168.1.20;DATABASE=wvt;UID=sa;PWD=tupal"},
        {kLauncher + "127.0.0.1,14330", "DRIVER={SQL Server};SERVER=127.0.0.1,14330;DATABASE=wvt;UID=sa;PWD=tupal"},
        // keywords in any case, blanks around them, synonyms, a last ";", the last repeat winning
        {" data source = srv ; USER ID=sa;pwd=x;Database=d;password=tupal;",
         "DRIVER={SQL Server};SERVER=srv;DATABASE=d;UID=sa;PWD=tupal"},
        {"Server=a;Address=b", "DRIVER={SQL Server};SERVER=b"},
        {"Provider=SQLOLEDB", "DRIVER={SQL Server}"},
        {"", "DRIVER={SQL Server}"},
        // quoted values, and values ODBC would misread put in braces
        {"Password=\"a;b\"", "DRIVER={SQL Server};PWD={a;b}"},
        {"Password='it''s'", "DRIVER={SQL Server};PWD=it's"},
        {"Password=\" x \"", "DRIVER={SQL Server};PWD={ x }"},
        {"Password=}{=", "DRIVER={SQL Server};PWD={}}{=}"},
        {"Data Source=", "DRIVER={SQL Server};SERVER="},
    };
    for (const auto& c : cases) EXPECT_EQ(OdbcConnectionString(c.oleDb), c.odbc) << c.oleDb;
}

TEST(OdbcConnectionString, RefusesWhatItCannotMap) {
    struct Case { const char* oleDb; const char* message; };
    const Case cases[] = {
        {"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=x", "Provider 'Microsoft.Jet.OLEDB.4.0' is not supported"},
        {"Provider=SQLOLEDBX", "Provider 'SQLOLEDBX' is not supported"},
        {"Data Source=x;Timeout=5", "Unknown connection string keyword 'Timeout'"},
        {"Data Source=x;tupal", "Connection string pair without '=': 'tupal'"},
        {"Password=\"open", "Connection string value of 'Password' is not closed"},
        {"Password=\"a\"b;User ID=sa", "Connection string value of 'Password' goes on after its closing quote"},
    };
    for (const auto& c : cases) {
        try {
            OdbcConnectionString(c.oleDb);
            ADD_FAILURE() << "no error for " << c.oleDb;
        } catch (const DatabaseError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

}  // namespace
}  // namespace qel::db
