#include "platform/file_lock.h"

#include <windows.h>

#include <mutex>
#include <vector>

#include "platform/file_system.h"
#include "platform/win32/wide_path_win32.h"

namespace pelmora::platform {

namespace {

// Windows locks byte ranges of files, not folders. The lock is a named mutex instead, named
// for the folder's identity (volume serial and file index), so that every spelling of the
// folder's path meets the same lock, and nothing is left behind in the folder.
std::wstring LockNameFor(const std::string& path) {
    const auto separator = LastSeparator(path);
    const std::string folder = separator == std::string::npos ? "." : path.substr(0, separator + 1);
    const HANDLE handle = CreateFileW(win32::WidePath(folder).c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return {};
    BY_HANDLE_FILE_INFORMATION information{};
    const bool known = GetFileInformationByHandle(handle, &information);
    CloseHandle(handle);
    if (!known) return {};
    return L"Local\\pelmora-folder-lock-" + std::to_wstring(information.dwVolumeSerialNumber) + L"-" +
           std::to_wstring(information.nFileIndexHigh) + L"-" + std::to_wstring(information.nFileIndexLow);
}

// The header keeps an int: it is the slot of the mutex handle in this table.
std::mutex& SlotsMutex() {
    static std::mutex mutex;
    return mutex;
}
std::vector<HANDLE>& Slots() {
    static auto* slots = new std::vector<HANDLE>;  // never destroyed: locks may end at exit
    return *slots;
}

}  // namespace

FileLock::FileLock(const std::string& path) {
    const std::wstring name = LockNameFor(path);
    if (name.empty()) return;
    const HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
    if (mutex == nullptr) return;
    const DWORD waited = WaitForSingleObject(mutex, INFINITE);
    // An abandoned mutex is held all the same: its holder ended without unlocking.
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        CloseHandle(mutex);
        return;
    }
    std::lock_guard lock(SlotsMutex());
    auto& slots = Slots();
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (slots[i] == nullptr) {
            slots[i] = mutex;
            fd_ = static_cast<int>(i);
            return;
        }
    }
    slots.push_back(mutex);
    fd_ = static_cast<int>(slots.size() - 1);
}

FileLock::~FileLock() {
    if (fd_ < 0) return;
    HANDLE mutex = nullptr;
    {
        std::lock_guard lock(SlotsMutex());
        mutex = Slots()[static_cast<std::size_t>(fd_)];
        Slots()[static_cast<std::size_t>(fd_)] = nullptr;
    }
    ReleaseMutex(mutex);
    CloseHandle(mutex);
}

}  // namespace pelmora::platform
