#pragma once
// A private Samba smbd on 127.0.0.1 for the network tests: its configuration, state and
// log live in a temporary folder, it listens on a free port above 1024 and serves the
// guest shares the test names. Stopped and removed at the end of the test.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/polling.h"
#include "tests/support/temp_tree.h"

namespace pelmora::testing {

class SambaServerFixture {
public:
    // Starts smbd with one read-only guest share per name, all on the folder Share().
    explicit SambaServerFixture(const std::vector<std::string>& shares) {
        port_ = FreePort();
        // The guest account reads the share through the temporary folder.
        std::filesystem::permissions(folder_.path(), std::filesystem::perms::others_exec,
                                     std::filesystem::perm_options::add);
        for (const char* dir : {"private", "lock", "state", "cache", "pid", "ncalrpc", "share"}) {
            std::filesystem::create_directories(folder_ / dir);
        }
        WriteFile(folder_ / "smb.conf", Configuration(shares));
        pid_ = ::fork();
        if (pid_ == 0) {
            // A group of its own: smbd signals its whole process group when it ends.
            ::setpgid(0, 0);
            const std::string conf = folder_ / "smb.conf";
            const std::string log = folder_ / "smbd.out";
            if (!std::freopen(log.c_str(), "w", stdout) || !std::freopen(log.c_str(), "a", stderr)) ::_exit(126);
            ::execl("/usr/sbin/smbd", "smbd", "-F", "--no-process-group", "--debug-stdout", "-d", "1", "-s",
                    conf.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        const std::string probe = "smbclient -N -p " + std::to_string(port_) + " -s " +
                                  ShellQuote(folder_ / "smb.conf") + " -L //127.0.0.1 2>/dev/null";
        const std::string first = shares.empty() ? "IPC$" : shares.front();
        ready_ = pid_ > 0 && WaitUntil([&] { return Capture(probe).find(first) != std::string::npos; },
                                       std::chrono::seconds(20));
    }

    ~SambaServerFixture() {
        if (pid_ <= 0) return;
        ::kill(-pid_, SIGTERM);
        int status = 0;
        if (!WaitUntil([&] { return ::waitpid(pid_, &status, WNOHANG) == pid_; }, std::chrono::seconds(10))) {
            ::kill(-pid_, SIGKILL);
            ::waitpid(pid_, &status, 0);
        }
    }

    SambaServerFixture(const SambaServerFixture&) = delete;
    SambaServerFixture& operator=(const SambaServerFixture&) = delete;

    // True once smbclient has listed the shares.
    bool Ready() const { return ready_; }
    std::uint16_t Port() const { return port_; }
    std::string Share() const { return folder_ / "share"; }
    std::string Log() const { return ReadFile(folder_ / "smbd.out"); }

private:
    static std::uint16_t FreePort() {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        std::uint16_t port = 0;
        // The system's choice lies in the ephemeral range, far above 1024.
        if (::bind(fd, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
            ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
            port = ntohs(address.sin_port);
        }
        ::close(fd);
        return port;
    }

    std::string Configuration(const std::vector<std::string>& shares) const {
        const std::string at = folder_.path();
        std::string conf = "[global]\n"
                           "  workgroup = PELMORATEST\n"
                           "  server role = standalone server\n"
                           "  smb ports = " + std::to_string(port_) + "\n"
                           "  disable netbios = yes\n"
                           "  interfaces = lo\n"
                           "  bind interfaces only = yes\n"
                           "  private dir = " + at + "/private\n"
                           "  lock directory = " + at + "/lock\n"
                           "  state directory = " + at + "/state\n"
                           "  cache directory = " + at + "/cache\n"
                           "  pid directory = " + at + "/pid\n"
                           "  ncalrpc dir = " + at + "/ncalrpc\n"
                           "  passdb backend = tdbsam:" + at + "/private/passdb.tdb\n"
                           "  log file = " + at + "/smbd.log\n"
                           "  map to guest = Bad User\n"
                           "  guest account = nobody\n"
                           "  load printers = no\n"
                           "  printcap name = /dev/null\n"
                           "  disable spoolss = yes\n";
        for (const std::string& share : shares) {
            conf += "[" + share + "]\n  path = " + at + "/share\n  guest ok = yes\n  read only = yes\n";
        }
        return conf;
    }

    TempTree folder_;
    std::uint16_t port_ = 0;
    pid_t pid_ = -1;
    bool ready_ = false;
};

}  // namespace pelmora::testing
