// Tf_inst::ShowSplashImage: fetches a picture from the update server's picture port into Image1.
#include <cstdint>
#include <vector>

#include "app/LauncherWindow.h"
#include "common/WinText.h"
#include "http/Url.h"
#include "ui/JpegPicture.h"

namespace qel {

void Tf_inst::ShowSplashImage(const std::string& imageName) {
    std::vector<std::uint8_t> body;
    http::MemorySink sink(body);
    IdHTTP1.Get(http::MakeUrl(site_.serverAddress, site_.picturePort, ToAnsi(imageName)), sink);
    // Reads the JPEG header now; the picture is decoded when Image1 next paints. A failure here
    // leaves Image1 with the picture it had.
    Image1.SetPicture(ui::JpegPicture::Load(body));
}

}  // namespace qel
