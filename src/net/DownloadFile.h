#pragma once
// Downloads one file of the update manifest from the update server's file port into the install
// folder, through the launcher window's client (f_inst->IdHTTP1, whose progress drives rpb1),
// then names the module in the status pane ("加载 " + module + " 模块") and repaints it at once.
//
// The target is checked before anything is sent (FileCreateError, "Cannot create file ..."); the
// body goes into a temporary file and replaces the target only when it arrived whole. Every other
// failure (ReplyRefused, TransferError, a failed write or swap) leaves the old file as it was and
// the status pane unchanged.
#include <string>

namespace qel {

void DownloadFile(const std::string& fileName, const std::string& moduleName);

}  // namespace qel
