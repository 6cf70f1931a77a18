#pragma once
// A server that accepts connections and never answers, for the readings that must not hold
// up a window.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace pelmora::testing {

// A loopback port that completes the TCP handshake (the kernel does that for a listening
// socket) and never says a word. On an address of its own: a server that timed out counts as
// gone for a while, and the tests after it use 127.0.0.1.
constexpr in_addr_t kSilentAddress = 0x7f000002;  // 127.0.0.2
constexpr char kSilentHost[] = "127.0.0.2";

class SilentListener {
public:
    // On another loopback address (127.0.0.x) for a test that must not find the silent host
    // gone after an earlier one.
    explicit SilentListener(in_addr_t host = kSilentAddress) {
        socket_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(host);
        socklen_t length = sizeof address;
        if (socket_ < 0 || ::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(socket_, 16) != 0 || ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            return;
        port_ = ntohs(address.sin_port);
    }
    ~SilentListener() {
        if (socket_ >= 0) ::close(socket_);
    }
    SilentListener(const SilentListener&) = delete;
    SilentListener& operator=(const SilentListener&) = delete;
    int Port() const { return port_; }

private:
    int socket_ = -1;
    int port_ = 0;
};

}  // namespace pelmora::testing
