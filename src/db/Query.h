#pragma once
// The manifest query component of the launcher window. (Database access is added with the
// manifest work.)

namespace qel::db {

class Query {};

}  // namespace qel::db
