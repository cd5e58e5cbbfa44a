#include "db/TdsServer.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "common/WinText.h"

namespace qel::test {
namespace {

struct Winsock {
    Winsock() {
        WSADATA data;
        if (WSAStartup(MAKEWORD(2, 2), &data) != 0) throw std::runtime_error("WSAStartup failed");
    }
};

void StartWinsock() { static Winsock winsock; }

std::string EscapedCell(const Manifest::Cell& cell) {
    if (!cell) return "\\N";
    std::string out;
    for (char c : *cell) {
        if (c == '\\') out += "\\\\";
        else if (c == '\t') out += "\\t";
        else if (c == '\n') out += "\\n";
        else out += c;
    }
    return out;
}

// The manifest file for the running test, as a host path.
std::string WriteManifest(const Manifest& manifest) {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string folder = std::string(QEL_BINARY_DIR) + "/tests/db/manifests";
    std::string hostPath = folder + "/" + test->test_suite_name() + "." + test->name() + ".tsv";
    std::filesystem::create_directories("Z:" + folder);
    std::ofstream file("Z:" + hostPath, std::ios::binary | std::ios::trunc);
    for (size_t i = 0; i < manifest.columns.size(); ++i) file << (i ? "\t" : "") << manifest.columns[i];
    file << "\n";
    for (const auto& row : manifest.rows) {
        for (size_t i = 0; i < row.size(); ++i) file << (i ? "\t" : "") << EscapedCell(row[i]);
        file << "\n";
    }
    if (!file.flush()) throw std::runtime_error("cannot write " + hostPath);
    return hostPath;
}

SOCKET LoopbackListener(std::uint16_t& port) {
    SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    if (listener == INVALID_SOCKET || bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (listener != INVALID_SOCKET) closesocket(listener);
        throw std::runtime_error("cannot bind a loopback port");
    }
    port = ntohs(address.sin_port);
    return listener;
}

}  // namespace

TdsServer::TdsServer(const Manifest& manifest, Mode mode) {
    StartWinsock();
    const std::string manifestPath = WriteManifest(manifest);
    std::uint16_t controlPort = 0;
    SOCKET listener = LoopbackListener(controlPort);
    listen(listener, 1);

    const char* modeName = mode == Mode::Silent ? "silent" : mode == Mode::Stall ? "stall" : "normal";
    std::wstring command = L"\"Z:" + Widen(QEL_PYTHON) + L"\" \"" + Widen(QEL_SOURCE_DIR) +
                           L"/tests/fixtures/tds_server.py\" --manifest \"" + Widen(manifestPath) +
                           L"\" --control " + std::to_wstring(controlPort) + L" --mode " + Widen(modeName);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // Wine starts a Linux program as a process of its own; the handles it gives back cannot be
    // waited on, so the server's lifetime is tied to the control connection instead.
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        closesocket(listener);
        throw std::runtime_error("cannot start the TDS server: " + SystemErrorText(GetLastError()));
    }
    // Its lifetime is tied to the control connection, not to these handles.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(listener, &ready);
    timeval wait{20, 0};
    SOCKET control = select(0, &ready, nullptr, nullptr, &wait) == 1 ? accept(listener, nullptr, nullptr) : INVALID_SOCKET;
    closesocket(listener);
    if (control == INVALID_SOCKET) throw std::runtime_error("the TDS server did not report in");
    control_ = control;

    std::string line;
    char c = 0;
    while (line.size() < 32 && recv(control, &c, 1, 0) == 1 && c != '\n') line += c;
    if (line.rfind("PORT ", 0) != 0) {
        closesocket(control);
        throw std::runtime_error("unexpected report from the TDS server: '" + line + "'");
    }
    port_ = static_cast<std::uint16_t>(std::stoi(line.substr(5)));
}

TdsServer::~TdsServer() { closesocket(static_cast<SOCKET>(control_)); }

std::string TdsServer::DataSource() const { return "127.0.0.1," + std::to_string(port_); }

std::uint16_t ClosedLoopbackPort() {
    StartWinsock();
    std::uint16_t port = 0;
    closesocket(LoopbackListener(port));
    return port;
}

std::string LauncherConnectionString(const std::string& dataSource, const std::string& password) {
    return "Provider=SQLOLEDB.1;Password=" + password +
           ";Persist Security Info=True;User ID=sa;Initial Catalog=wvt;Data Source=" + dataSource;
}

}  // namespace qel::test
