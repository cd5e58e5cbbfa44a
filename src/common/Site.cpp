#include "common/Site.h"

namespace qel {

Site Site::Installed() {
    Site site;
    site.installFolder = "c:\\qel";
    site.serverAddress = QEL_SERVER_ADDRESS;
    return site;
}

std::string Site::PathOf(const std::string& name) const { return installFolder + "\\" + name; }

std::string Site::DataSource() const {
    if (databasePort == 0) return serverAddress;
    return serverAddress + "," + std::to_string(databasePort);
}

}  // namespace qel
