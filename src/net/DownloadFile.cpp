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
    ReplacementFile file(path);
    window.IdHTTP1.Get(http::MakeUrl(site.serverAddress, site.filePort, ToAnsi(fileName)), file);
    file.Commit();
    window.rsp1.SetCaption("加载 " + moduleName + " 模块");
    window.rsp1.RepaintNow();
}

}  // namespace qel
