#include "db/Query.h"

#include "db/ConnectionString.h"
#include "db/DatabaseError.h"
#include "db/OdbcFetch.h"

namespace qel::db {

void Query::Open() {
    if (active_) return;
    result_ = FetchOdbcResult(OdbcConnectionString(ConnectionString), SQL.Text());
    active_ = true;
}

void Query::Close() {
    result_ = RecordSet();
    active_ = false;
}

const RecordSet& Query::OpenResult() const {
    if (!active_) throw DatabaseError("Cannot perform this operation on a closed dataset");
    return result_;
}

int Query::RecordCount() const { return OpenResult().RecordCount(); }

bool Query::Eof() const { return OpenResult().Eof(); }

void Query::Next() {
    OpenResult();
    result_.Next();
}

const Field& Query::FieldByName(const std::string& name) const { return OpenResult().FieldByName(name); }

}  // namespace qel::db
