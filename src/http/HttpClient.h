#pragma once
// The HTTP client of the launcher window. (Transfers are added with the server access work.)
#include <cstdint>
#include <functional>

namespace qel::http {

enum class WorkMode { Read, Write };

class HttpClient {
public:
    // Progress of a body being received: the expected count at its start, then the running count.
    std::function<void(WorkMode, std::int32_t)> OnWorkBegin;
    std::function<void(WorkMode, std::int32_t)> OnWork;
};

}  // namespace qel::http
