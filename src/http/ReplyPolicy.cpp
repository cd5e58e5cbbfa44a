#include "http/ReplyPolicy.h"

namespace qel::http {

Verdict Judge(const ReplyHead& head) {
    for (const std::string& location : head.Values("Location"))
        if (!location.empty()) return Verdict::Refuse;
    if (head.status == 100) return Verdict::PassOver;
    if (head.status >= 200 && head.status <= 299) return Verdict::Accept;
    return Verdict::Refuse;
}

}  // namespace qel::http
