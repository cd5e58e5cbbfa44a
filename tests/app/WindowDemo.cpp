// The launcher window without its start-up sequence and countdown, for screen tests:
//   window_demo.exe [picture.jpg]
// shows the window (with the picture in Image1 when one is named) until it is closed.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "app/LauncherWindow.h"
#include "common/WinText.h"
#include "ui/Application.h"
#include "ui/JpegPicture.h"

int wmain(int argc, wchar_t** argv) {
    qel::ui::Application app;
    app.SetTitle("系统安装/升级中");
    qel::Site site = qel::Site::Installed();
    qel::Tf_inst window(site, qel::Tf_inst::StartUp::Skip);
    window.Timer1.SetEnabled(false);
    if (argc > 1) {
        std::ifstream in(argv[1], std::ios::binary);
        std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        window.Image1.SetPicture(qel::ui::JpegPicture::Load(bytes));
    }
    app.Run();
    return 0;
}
