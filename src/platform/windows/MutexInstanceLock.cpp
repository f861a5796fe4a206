// SPDX-License-Identifier: MIT
// The single-instance lock on Windows: a named mutex in the Local\ namespace,
// which is private to the user's logon session. The system closes the handle
// when the process ends in any way, so a crashed instance leaves nothing behind.
#include "platform/Platform.h"
#include "platform/ProgramInfo.h"

#include <windows.h>

namespace platform {
namespace {

class MutexInstanceLock final : public InstanceLock
{
public:
    bool tryAcquire() override
    {
        if (handle_)
            return true;
        const std::wstring name = QString::fromLatin1(programinfo::InstanceMutex).toStdWString();
        HANDLE handle = ::CreateMutexW(nullptr, FALSE, name.c_str());
        if (!handle)
            return ::GetLastError() != ERROR_ACCESS_DENIED; // Held under a name we may not open.
        if (::GetLastError() == ERROR_ALREADY_EXISTS) {
            ::CloseHandle(handle);
            return false;
        }
        handle_ = handle;
        return true;
    }

    void release() override
    {
        if (handle_)
            ::CloseHandle(handle_);
        handle_ = nullptr;
    }

private:
    HANDLE handle_ = nullptr;
};

} // namespace

template<> InstanceLock &Seam<InstanceLock>::realImplementation() { static MutexInstanceLock lock; return lock; }

} // namespace platform
