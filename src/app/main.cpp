// Program entry: the date settings, the application, its title, the launcher window, the message loop.
#include <windows.h>

#include "app/LauncherWindow.h"
#include "common/Site.h"
#include "host/LocaleDateSettings.h"
#include "ui/Application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    qel::host::LoadDateSettings();
    qel::ui::Application app;
    qel::host::FollowSettingChanges(app);
    app.SetTitle("系统安装/升级中");
    qel::Tf_inst window(qel::Site::Installed());
    app.Run();
    return 0;
}
