#pragma once
// Where the launcher lives and whom it talks to. The program uses the values compiled into it
// (Site::Installed); tests build their own, with a temporary install folder and loopback ports.
#include <cstdint>
#include <string>

namespace qel {

struct Site {
    std::string installFolder;   // without a trailing separator, e.g. "c:\\qel"
    std::string serverAddress;   // the update server, dotted IPv4
    std::uint16_t filePort = 892;     // update files
    std::uint16_t picturePort = 80;   // splash pictures
    std::uint16_t databasePort = 0;   // the manifest database; 0: the server's default port

    // The fixed values of the program: c:\qel and the address chosen at build time.
    static Site Installed();

    // installFolder + "\" + name, the name unchanged.
    std::string PathOf(const std::string& name) const;
    // The database server as a "Data Source" value: the address, with ",port" when a port is set.
    std::string DataSource() const;
};

}  // namespace qel
