// Program entry: the application, its title, the launcher window, the message loop.
#include <windows.h>

#include "app/LauncherWindow.h"
#include "common/Site.h"
#include "ui/Application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    qel::ui::Application app;
    app.SetTitle("系统安装/升级中");
    qel::Tf_inst window(qel::Site::Installed());
    app.Run();
    return 0;
}
