// Resetting a connection that the market's server library holds: the library hands a
// handler no socket, so the socket is found by the two ports of its connection.
#pragma once

namespace velmora::market {

// Sends a reset on the loopback connection between local_port (the market's) and
// remote_port (the client's) and leaves the socket unconnected, so that the library's own
// close afterwards sends nothing more. False when no such connection is found.
bool ResetConnection(int local_port, int remote_port);

}
