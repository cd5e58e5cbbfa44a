#include "net/DownloadFile.h"

#include "app/LauncherWindow.h"
#include "common/WinText.h"
#include "http/Url.h"
#include "net/TargetFile.h"

namespace qel {

void DownloadFile(const std::string& fileName, const std::string& moduleName) {
    Tf_inst& window = *f_inst;
    const Site& site = window.site();
    const std::string path = site.PathOf(fileName);
    CheckTargetReplaceable(site, fileName, path);
    // The name goes on the wire in the system's ANSI code page; one it cannot carry would reach
    // the server as another name.
    const std::optional<std::string> wireName = ToCodePageExact(fileName, CP_ACP);
    if (!wireName) throw FileCreateError(path, ERROR_NO_UNICODE_TRANSLATION);
    ReplacementFile file(path);
    window.IdHTTP1.Get(http::MakeUrl(site.serverAddress, site.filePort, *wireName), file);
    file.Commit();
    window.rsp1.SetCaption("加载 " + moduleName + " 模块");
    window.rsp1.RepaintNow();
}

}  // namespace qel
