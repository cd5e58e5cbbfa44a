#pragma once
// The manifest query component of the launcher window (q1): it holds a connection string in the
// form of the OLE DB provider for SQL Server and an SQL text; Open connects, runs the text and
// fetches the whole result (a client-side cursor: RecordCount is exact before the first row);
// fields of the current row are read by column name; Close drops the result.
//   Open: does nothing while the query is open. Throws DatabaseError with the driver's text when
//         the server cannot be reached, refuses the login or rejects the statement, and for a
//         connection string that cannot be mapped; the query then stays closed.
//   RecordCount, Eof, Next, FieldByName: throw DatabaseError while the query is closed;
//         FieldByName also for a column the result lacks; the field it gives stays valid until
//         Close. Reads as in db/Field.h and db/RecordSet.h.
#include <string>

#include "db/Field.h"
#include "db/RecordSet.h"
#include "db/SqlText.h"

namespace qel::db {

class Query {
public:
    std::string ConnectionString;
    SqlText SQL;

    void Open();
    void Close();
    bool Active() const { return active_; }

    int RecordCount() const;
    bool Eof() const;
    void Next();
    const Field& FieldByName(const std::string& name) const;

private:
    const RecordSet& OpenResult() const;

    RecordSet result_;
    bool active_ = false;
};

}  // namespace qel::db
