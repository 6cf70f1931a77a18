#pragma once
// A real Samba server for the tests: smbd on 127.0.0.1 at a free port above 1024, with its
// configuration, state and log in a temporary folder. Two shares: "guest" (open to the
// guest) and "secure" (the current user with kSecurePassword only); on request the server
// shows its list of shares to that user only, not to a guest. The server runs in a
// process group of its own, so that stopping it ends the processes serving connections too.
// PELMORA_SMB_PORT is set to its port for this process and the programs it starts.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <pwd.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "tests/support/polling.h"
#include "tests/support/temp_tree.h"

namespace pelmora::testing {

// libsmbclient keeps (and on a refused login loses) memory of its own, in talloc: the leak
// checker of the sanitizer builds is told to leave that library's blocks alone.
inline constexpr const char* kSmbClientLeakSuppressions = "leak:libtalloc.so\nleak:libsmbclient.so\n";
// Samba's own signal handler (in libtdb) leaves errno changed, which the thread sanitizer
// reports in any program that lets the client library look a name up.
inline constexpr const char* kSmbClientThreadSuppressions = "signal:libtdb.so\n";

class SmbTestServer {
public:
    static constexpr const char* kSecurePassword = "Pelmora-test-1";

    struct Options {
        bool guestMayListShares = true;
    };

    SmbTestServer() : SmbTestServer(Options{}) {}
    explicit SmbTestServer(Options options) {
        port_ = FreePort();
        user_ = CurrentUser();
        for (const char* folder : {"private", "lock", "state", "cache", "pid", "ncalrpc", "guest", "secure"})
            folder_.AddFolder(folder);
        const std::string& root = folder_.path();
        config_ = folder_.AddFile(
            "smb.conf",
            "[global]\n"
            "  smb ports = " + std::to_string(port_) + "\n"
            "  disable netbios = yes\n  interfaces = lo\n  bind interfaces only = yes\n"
            "  server role = standalone server\n  workgroup = WORKGROUP\n"
            "  private dir = " + root + "/private\n  lock directory = " + root + "/lock\n"
            "  state directory = " + root + "/state\n  cache directory = " + root + "/cache\n"
            "  pid directory = " + root + "/pid\n  ncalrpc dir = " + root + "/ncalrpc\n"
            "  log file = " + root + "/smbd.log\n  passdb backend = tdbsam\n  map to guest = Bad User\n"
            "  load printers = no\n  printing = bsd\n  printcap name = /dev/null\n  disable spoolss = yes\n"
            // The attribute bits as this program reads them from a local disk.
            "  map readonly = yes\n  map archive = no\n  hide dot files = yes\n  store dos attributes = no\n" +
            std::string(options.guestMayListShares ? "" : "  map to guest = Never\n  restrict anonymous = 2\n") +
            "[guest]\n  path = " + root + "/guest\n  guest ok = yes\n  read only = yes\n  force user = " + user_ + "\n"
            "[secure]\n  path = " + root + "/secure\n  valid users = " + user_ + "\n  read only = yes\n");
        const std::string add = "printf '%s\\n%s\\n' " + ShellQuote(kSecurePassword) + " " +
                                ShellQuote(kSecurePassword) + " | smbpasswd -c " + ShellQuote(config_) +
                                " -a -s " + ShellQuote(user_) + " >/dev/null 2>&1";
        // The probe that waits for the server logs in as the user: it works in both modes.
        authenticationFile_ = folder_.AddFile("probe.auth", "username = " + user_ + "\npassword = " +
                                                                 kSecurePassword + "\n");
        started_ = std::system(add.c_str()) == 0 && Start();
        if (started_) setenv("PELMORA_SMB_PORT", std::to_string(port_).c_str(), 1);
    }

    ~SmbTestServer() {
        // Nothing of the server is kept: it ends at once, every process of it.
        Signal(SIGKILL);
        Reap();
    }
    SmbTestServer(const SmbTestServer&) = delete;
    SmbTestServer& operator=(const SmbTestServer&) = delete;

    bool Started() const { return started_; }
    int Port() const { return port_; }
    const std::string& User() const { return user_; }
    std::string Log() const { return folder_.Read("smbd.log") + folder_.Read("smbd.out"); }

    // The local folders the shares serve, and their network paths.
    std::string GuestFolder() const { return folder_ / "guest"; }
    std::string SecureFolder() const { return folder_ / "secure"; }
    static std::string GuestShare() { return "//127.0.0.1/guest"; }
    static std::string SecureShare() { return "//127.0.0.1/secure"; }

    // The server and every process of it end at once, as in a crash.
    void Kill() {
        Signal(SIGKILL);
        Reap();
    }
    // The server stops answering but keeps its connections open.
    void Freeze() { Signal(SIGSTOP); }
    // It answers again, from where it stopped.
    void Thaw() { Signal(SIGCONT); }

    // A port on 127.0.0.1 that nothing listens on (until someone takes it).
    static int UnusedPort() { return FreePort(); }

private:
    static int FreePort() {
        const int fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
        close(fd);
        return ntohs(address.sin_port);
    }

    static std::string CurrentUser() {
        const passwd* entry = getpwuid(getuid());
        return entry != nullptr ? entry->pw_name : "root";
    }

    bool Start() {
        const std::string out = folder_ / "smbd.out";
        pid_ = fork();
        if (pid_ == 0) {
            setpgid(0, 0);
            const std::string command = "exec smbd --foreground --no-process-group --debug-stdout -s " +
                                        ShellQuote(config_) + " >" + ShellQuote(out) + " 2>&1 </dev/null";
            execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        if (pid_ < 0) return false;
        setpgid(pid_, pid_);
        const std::string probe = "smbclient -p " + std::to_string(port_) +
                                  " -L //127.0.0.1 -A " + ShellQuote(authenticationFile_) + " >/dev/null 2>&1";
        return WaitUntil([&] { return std::system(probe.c_str()) == 0 || ProcessHasEnded(pid_); },
                         std::chrono::seconds(30)) &&
               !ProcessHasEnded(pid_);
    }

    void Signal(int number) {
        if (pid_ > 0) kill(-pid_, number);
    }

    void Reap() {
        if (pid_ <= 0) return;
        // The processes serving connections belong to the group and end with it; the one
        // started here is collected.
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

    TempTree folder_;
    std::string config_;
    std::string authenticationFile_;
    std::string user_;
    int port_ = 0;
    pid_t pid_ = -1;
    bool started_ = false;
};

}  // namespace pelmora::testing
