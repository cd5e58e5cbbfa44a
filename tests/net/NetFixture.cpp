#include "net/NetFixture.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/WinText.h"

namespace qel::testing {

void NetFixture::SetUp() {
    scratch = std::make_unique<ScratchFolder>();
    folder = scratch->Path();

    app = std::make_unique<ui::Application>();
    Site site;
    site.installFolder = folder;
    site.serverAddress = "127.0.0.1";
    site.filePort = files.Port();
    site.picturePort = pictures.Port();
    window = std::make_unique<Tf_inst>(site, Tf_inst::StartUp::Skip);
    window->Timer1.SetEnabled(false);
    window->IdHTTP1.ReadTimeout = 10000;

    auto begin = window->IdHTTP1.OnWorkBegin;
    auto work = window->IdHTTP1.OnWork;
    auto record = [this](bool isBegin, std::int32_t count) {
        const ui::ProgressBar& bar = window->rpb1;
        events.push_back({isBegin, count, bar.TotalParts(), bar.PartsComplete(), bar.Percent()});
    };
    window->IdHTTP1.OnWorkBegin = [begin, record](http::WorkMode mode, std::int32_t count) {
        begin(mode, count);
        record(true, count);
    };
    window->IdHTTP1.OnWork = [work, record](http::WorkMode mode, std::int32_t count) {
        work(mode, count);
        record(false, count);
    };
}

void NetFixture::TearDown() {
    window.reset();
    app.reset();
    scratch.reset();  // leaves no trace
}

void NetFixture::WriteFile(const std::string& name, const std::string& content) const {
    std::ofstream out(std::filesystem::path(Widen(PathOf(name))), std::ios::binary);
    out << content;
}

std::string NetFixture::ReadFile(const std::string& name) const {
    std::ifstream in(std::filesystem::path(Widen(PathOf(name))), std::ios::binary);
    if (!in) return "<missing>";
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::vector<std::string> NetFixture::Listing() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((Widen(folder) + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = Narrow(found.cFileName);
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

std::string NetFixture::OkHead(std::size_t length, const std::string& more) {
    return "HTTP/1.1 200 OK\r\n" + more + "Content-Length: " + std::to_string(length) + "\r\n\r\n";
}

std::string NetFixture::Ok(const std::string& body, const std::string& more) { return OkHead(body.size(), more) + body; }

std::string NetFixture::Request(const std::string& target, std::uint16_t port, const std::string& cookie) const {
    return "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) +
           "\r\nAccept: text/html, */*\r\nUser-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n" +
           (cookie.empty() ? "" : "Cookie: " + cookie + "\r\n") + "\r\n";
}

}  // namespace qel::testing
