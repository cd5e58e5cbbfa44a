#pragma once
// The error of the manifest database access: its message is what the user sees, the driver's own
// text where the driver gave one.
#include <stdexcept>

namespace qel::db {

class DatabaseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace qel::db
