#pragma once
// Which replies the launcher takes: 100 is passed over (the next reply counts); a reply with a
// non-empty "Location" is a redirect and is refused whatever its status; any status outside
// 200..299 is refused; the rest is accepted.
#include "http/ReplyHead.h"

namespace qel::http {

enum class Verdict { PassOver, Accept, Refuse };

Verdict Judge(const ReplyHead& head);

}  // namespace qel::http
