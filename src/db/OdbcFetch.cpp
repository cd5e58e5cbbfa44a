#include "db/OdbcFetch.h"

#include <windows.h>

#include <sql.h>
#include <sqlext.h>

#include <vector>

#include "common/WinText.h"
#include "db/DatabaseError.h"

namespace qel::db {
namespace {

// The driver's messages for a handle, one per line, repeats left out.
std::string DiagnosticText(SQLSMALLINT handleType, SQLHANDLE handle) {
    std::vector<std::string> messages;
    for (SQLSMALLINT record = 1;; ++record) {
        SQLWCHAR state[6] = {};
        SQLINTEGER nativeError = 0;
        std::vector<SQLWCHAR> text(512);
        SQLSMALLINT length = 0;
        SQLRETURN rc = SQLGetDiagRecW(handleType, handle, record, state, &nativeError, text.data(),
                                      static_cast<SQLSMALLINT>(text.size()), &length);
        if (rc == SQL_SUCCESS_WITH_INFO && length >= static_cast<SQLSMALLINT>(text.size())) {
            text.resize(static_cast<size_t>(length) + 1);
            rc = SQLGetDiagRecW(handleType, handle, record, state, &nativeError, text.data(),
                                static_cast<SQLSMALLINT>(text.size()), &length);
        }
        if (!SQL_SUCCEEDED(rc)) break;
        std::string message = Narrow(std::wstring(text.data()));
        bool seen = false;
        for (const std::string& m : messages) seen = seen || m == message;
        if (!seen && !message.empty()) messages.push_back(message);
    }
    std::string joined;
    for (const std::string& m : messages) joined += (joined.empty() ? "" : "\n") + m;
    return joined;
}

class Handle {
public:
    Handle(SQLSMALLINT type, SQLHANDLE parent) : type_(type) {
        if (!SQL_SUCCEEDED(SQLAllocHandle(type, parent, &handle_))) {
            std::string driverText = parent ? DiagnosticText(ParentType(type), parent) : std::string();
            throw DatabaseError(driverText.empty() ? "The ODBC driver manager could not be loaded" : driverText);
        }
    }
    ~Handle() {
        if (connected_) SQLDisconnect(handle_);
        SQLFreeHandle(type_, handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    SQLHANDLE get() const { return handle_; }
    void MarkConnected() { connected_ = true; }

    // Throws the driver's text for this handle when `rc` is a failure.
    void Check(SQLRETURN rc, const char* what) const {
        if (SQL_SUCCEEDED(rc)) return;
        std::string driverText = DiagnosticText(type_, handle_);
        throw DatabaseError(driverText.empty() ? std::string(what) + " failed (ODBC return code " +
                                                     std::to_string(rc) + ")"
                                               : driverText);
    }

private:
    static SQLSMALLINT ParentType(SQLSMALLINT type) {
        return type == SQL_HANDLE_STMT ? SQL_HANDLE_DBC : SQL_HANDLE_ENV;
    }

    SQLSMALLINT type_;
    SQLHANDLE handle_ = SQL_NULL_HANDLE;
    bool connected_ = false;
};

bool IsIntegerType(SQLSMALLINT sqlType) {
    return sqlType == SQL_INTEGER || sqlType == SQL_SMALLINT || sqlType == SQL_TINYINT ||
           sqlType == SQL_BIGINT || sqlType == SQL_BIT;
}

Field ReadInteger(const Handle& statement, SQLUSMALLINT column) {
    SQLBIGINT value = 0;
    SQLLEN indicator = 0;
    statement.Check(SQLGetData(statement.get(), column, SQL_C_SBIGINT, &value, sizeof value, &indicator),
                    "SQLGetData");
    return indicator == SQL_NULL_DATA ? Field() : Field::Integer(value);
}

// Reads the text in parts: each call fills the buffer but for its terminating zero, until the
// driver reports the rest fits.
Field ReadText(const Handle& statement, SQLUSMALLINT column) {
    constexpr SQLLEN kChars = 1024;
    SQLWCHAR buffer[kChars];
    std::wstring text;
    for (;;) {
        SQLLEN indicator = 0;
        SQLRETURN rc = SQLGetData(statement.get(), column, SQL_C_WCHAR, buffer, sizeof buffer, &indicator);
        if (rc == SQL_NO_DATA) break;
        statement.Check(rc, "SQLGetData");
        if (indicator == SQL_NULL_DATA) return Field();
        const bool truncated = indicator == SQL_NO_TOTAL || indicator >= static_cast<SQLLEN>(sizeof buffer);
        if (truncated) {
            text.append(reinterpret_cast<const wchar_t*>(buffer), kChars - 1);
            continue;
        }
        text.append(reinterpret_cast<const wchar_t*>(buffer), static_cast<size_t>(indicator) / sizeof(SQLWCHAR));
        break;
    }
    return Field::Text(Narrow(text));
}

}  // namespace

RecordSet FetchOdbcResult(const std::string& odbcConnectionString, const std::string& sql) {
    Handle environment(SQL_HANDLE_ENV, SQL_NULL_HANDLE);
    environment.Check(SQLSetEnvAttr(environment.get(), SQL_ATTR_ODBC_VERSION,
                                    reinterpret_cast<SQLPOINTER>(static_cast<ULONG_PTR>(SQL_OV_ODBC3)), 0),
                      "SQLSetEnvAttr");

    Handle connection(SQL_HANDLE_DBC, environment.get());
    connection.Check(SQLSetConnectAttrW(connection.get(), SQL_ATTR_LOGIN_TIMEOUT,
                                        reinterpret_cast<SQLPOINTER>(static_cast<ULONG_PTR>(kLoginTimeoutSeconds)), 0),
                     "SQLSetConnectAttrW");
    std::wstring connectionText = Widen(odbcConnectionString);
    connection.Check(SQLDriverConnectW(connection.get(), nullptr, connectionText.data(), SQL_NTS, nullptr, 0,
                                       nullptr, SQL_DRIVER_NOPROMPT),
                     "SQLDriverConnectW");
    connection.MarkConnected();

    Handle statement(SQL_HANDLE_STMT, connection.get());
    statement.Check(SQLSetStmtAttrW(statement.get(), SQL_ATTR_QUERY_TIMEOUT,
                                    reinterpret_cast<SQLPOINTER>(static_cast<ULONG_PTR>(kQueryTimeoutSeconds)), 0),
                    "SQLSetStmtAttrW");
    std::wstring sqlText = Widen(sql);
    SQLRETURN rc = SQLExecDirectW(statement.get(), sqlText.data(), SQL_NTS);
    if (rc == SQL_NO_DATA) return RecordSet();
    statement.Check(rc, "SQLExecDirectW");

    SQLSMALLINT columnCount = 0;
    statement.Check(SQLNumResultCols(statement.get(), &columnCount), "SQLNumResultCols");
    std::vector<std::string> names;
    std::vector<bool> integer;
    for (SQLUSMALLINT column = 1; column <= columnCount; ++column) {
        SQLWCHAR name[256] = {};
        SQLSMALLINT nameLength = 0, sqlType = 0, digits = 0, nullable = 0;
        SQLULEN size = 0;
        statement.Check(SQLDescribeColW(statement.get(), column, name, 256, &nameLength, &sqlType, &size, &digits,
                                        &nullable),
                        "SQLDescribeColW");
        names.push_back(Narrow(name));
        integer.push_back(IsIntegerType(sqlType));
    }

    RecordSet result(names);
    for (;;) {
        rc = SQLFetch(statement.get());
        if (rc == SQL_NO_DATA) break;
        statement.Check(rc, "SQLFetch");
        std::vector<Field> row;
        row.reserve(names.size());
        for (SQLUSMALLINT column = 1; column <= columnCount; ++column)
            row.push_back(integer[column - 1] ? ReadInteger(statement, column) : ReadText(statement, column));
        result.AddRow(std::move(row));
    }
    return result;
}

}  // namespace qel::db
