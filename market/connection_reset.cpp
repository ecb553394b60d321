#include "market/connection_reset.h"

#include <algorithm>

#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>

namespace velmora::market {

namespace {

// Descriptors beyond this are not looked at, however many the process may open.
constexpr rlim_t HighestDescriptorSearched = 1 << 16;

int PortOf(sockaddr_in const& address)
{
    return ntohs(address.sin_port);
}

bool IsConnection(int socket, int local_port, int remote_port)
{
    sockaddr_in local {};
    sockaddr_in remote {};
    socklen_t local_size = sizeof local;
    socklen_t remote_size = sizeof remote;
    if (getsockname(socket, reinterpret_cast<sockaddr*>(&local), &local_size) != 0
        || local.sin_family != AF_INET)
        return false;
    if (getpeername(socket, reinterpret_cast<sockaddr*>(&remote), &remote_size) != 0
        || remote.sin_family != AF_INET)
        return false;
    return PortOf(local) == local_port && PortOf(remote) == remote_port;
}

}

bool ResetConnection(int local_port, int remote_port)
{
    rlimit open_files {};
    if (getrlimit(RLIMIT_NOFILE, &open_files) != 0)
        return false;
    rlim_t const end = std::min(open_files.rlim_cur, HighestDescriptorSearched);
    for (rlim_t socket = 0; socket < end; ++socket) {
        int const descriptor = static_cast<int>(socket);
        if (!IsConnection(descriptor, local_port, remote_port))
            continue;
        // Connecting a TCP socket to "no address" drops its connection with a reset and
        // discards what it has not sent yet.
        sockaddr unspecified {};
        unspecified.sa_family = AF_UNSPEC;
        return connect(descriptor, &unspecified, sizeof unspecified) == 0;
    }
    return false;
}

}
