// Tf_inst::DetectConnection: asks WinINet for the machine's connection state.
#include <windows.h>
#include <wininet.h>

#include "app/LauncherWindow.h"
#include "net/ConnectionKind.h"

namespace qel {

void Tf_inst::DetectConnection() {
    DWORD flags = 0;
    BOOL connected = InternetGetConnectedState(&flags, 0);
    ConnectionKind = ConnectionKindAfter(connected != FALSE, flags, ConnectionKind);
}

}  // namespace qel
