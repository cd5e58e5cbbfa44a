#pragma once
// A TDS test server (tests/fixtures/tds_server.py) for one test, started from the test program
// under Wine: Wine runs the host's Python as a Linux process, which reports its port back over a
// loopback connection and ends when that connection closes, at the latest when the test ends.
// Manifest: the rows of table b_update, written to a file of the build tree named after the test.
// Throws std::runtime_error when the server cannot be started or does not report in time.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qel::test {

struct Manifest {
    using Cell = std::optional<std::string>;  // std::nullopt: NULL
    // Column names; a name ending in ":int" makes an INT column, any other an NVARCHAR column.
    std::vector<std::string> columns = {"modulename", "filename", "ver", "sort:int", "industry:int"};
    std::vector<std::vector<Cell>> rows;
};

class TdsServer {
public:
    enum class Mode { Normal, Silent, Stall };  // Silent: never answers; Stall: never answers a batch

    explicit TdsServer(const Manifest& manifest, Mode mode = Mode::Normal);
    ~TdsServer();
    TdsServer(const TdsServer&) = delete;
    TdsServer& operator=(const TdsServer&) = delete;

    std::uint16_t port() const { return port_; }
    // "127.0.0.1,<port>", as the launcher's Data Source names a server on another port.
    std::string DataSource() const;

private:
    std::uintptr_t control_ = ~std::uintptr_t{0};  // the loopback connection that keeps the server alive
    std::uint16_t port_ = 0;
};

// A loopback port on which nothing listens (bound for a moment, then closed).
std::uint16_t ClosedLoopbackPort();

// The launcher's connection string for a data source, with the given password.
std::string LauncherConnectionString(const std::string& dataSource, const std::string& password = "tupal");

}  // namespace qel::test
