// GoogleTest's generic Notification needs std::mutex, which the win32-thread mingw
// runtime lacks; this one waits on a Win32 event instead. Force-included into gtest.
#pragma once
#include <windows.h>

namespace testing {
namespace internal {

class Notification {
public:
    Notification() : event_(CreateEventA(NULL, TRUE, FALSE, NULL)) {}
    ~Notification() { CloseHandle(event_); }
    Notification(const Notification &) = delete;
    Notification &operator=(const Notification &) = delete;
    void Notify() { SetEvent(event_); }
    void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

private:
    HANDLE event_;
};

} // namespace internal
} // namespace testing
