#include <windows.h>
#include <wininet.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "net/NetFixture.h"
#include "ui/Picture.h"

namespace qel::testing {
namespace {

std::string Fixture(const char* name) {
    std::ifstream in(std::string(QEL_SOURCE_DIR) + "/tests/fixtures/" + name, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// The colour that the form paints at a point of Image1's area, read back from a memory bitmap.
COLORREF PaintedAt(ui::Form& form, int x, int y) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, form.ClientWidth(), form.ClientHeight());
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, form.ClientWidth(), form.ClientHeight()};
    form.PaintTo(dc, all);
    COLORREF colour = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return colour;
}

bool Near(int a, int b) { return a - b < 12 && b - a < 12; }

class Splash : public NetFixture {};

TEST_F(Splash, ValidPictureIsShownAtTheNextRepaint) {
    const std::string jpeg = Fixture("http_splash.jpg");
    ASSERT_FALSE(jpeg.empty());
    pictures.Add(Reply::WithBody(OkHead(jpeg.size(), "Content-Type: image/jpeg\r\n"), jpeg, 64));
    window->ShowSplashImage("qel_start1.jpg");
    const ui::Picture* picture = window->Image1.GetPicture();
    ASSERT_NE(picture, nullptr);
    EXPECT_FALSE(picture->Empty());
    EXPECT_EQ(picture->Width(), 16);
    COLORREF c = PaintedAt(*window, 100, 100);  // the 16 x 16 picture stretched over the area
    EXPECT_TRUE(Near(GetRValue(c), 0x20) && Near(GetGValue(c), 0x40) && Near(GetBValue(c), 0xC0))
        << std::hex << c;
    EXPECT_EQ(events.front().count, static_cast<std::int32_t>(jpeg.size()));
    EXPECT_EQ(window->rpb1.Percent(), 100);
}

TEST_F(Splash, HtmlPageFailsAsJpegAndKeepsThePicture) {
    const std::string jpeg = Fixture("http_splash.jpg");
    const std::string page = Fixture("http_splash_page.html");
    pictures.Add(Reply::Bytes(Ok(jpeg)));
    pictures.Add(Reply::Bytes(Ok(page, "Content-Type: text/html\r\n")));
    window->ShowSplashImage("qel_start1.jpg");
    const ui::Picture* before = window->Image1.GetPicture();
    ASSERT_NE(before, nullptr);
    std::string error = ErrorOf([this] { window->ShowSplashImage("qel_start2.jpg"); });
    EXPECT_THAT(error, ::testing::MatchesRegex("JPEG error #-?\\d+"));
    EXPECT_NE(error, "JPEG error #0");
    EXPECT_EQ(window->Image1.GetPicture(), before);
    EXPECT_EQ(pictures.Connections(), 1);
}

TEST_F(Splash, EmptyBodyGivesAnEmptyPicture) {
    pictures.Add(Reply::Bytes(Ok(Fixture("http_splash.jpg"))));
    pictures.Add(Reply::Bytes(Ok("")));
    window->ShowSplashImage("qel_start1.jpg");
    window->ShowSplashImage("qel_start2.jpg");
    ASSERT_NE(window->Image1.GetPicture(), nullptr);
    EXPECT_TRUE(window->Image1.GetPicture()->Empty());
}

TEST_F(Splash, RefusedReplyKeepsThePicture) {
    pictures.Add(Reply::Bytes("HTTP/1.1 404 Not Found\r\nContent-Length: 3\r\n\r\nnop"));
    EXPECT_EQ(ErrorOf([this] { window->ShowSplashImage("qel_start4.jpg"); }), "HTTP/1.1 404 Not Found");
    EXPECT_EQ(window->Image1.GetPicture(), nullptr);
}

TEST(ConnectionProbe, RecordsTheSystemsAnswer) {
    ui::Application app;
    Tf_inst window(Site::Installed(), Tf_inst::StartUp::Skip);
    window.Timer1.SetEnabled(false);
    DWORD flags = 0;
    BOOL connected = InternetGetConnectedState(&flags, 0);
    window.DetectConnection();
    std::int32_t expected = 0;
    if (connected) {
        if (flags & INTERNET_CONNECTION_MODEM) expected = 1;
        if (flags & INTERNET_CONNECTION_LAN) expected = 2;
        if (flags & INTERNET_CONNECTION_PROXY) expected = 3;
        if (flags & INTERNET_CONNECTION_MODEM_BUSY) expected = 0;
    }
    EXPECT_EQ(window.connectionKind(), expected);
}

}  // namespace
}  // namespace qel::testing
