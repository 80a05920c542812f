#include "platform/win32/win_util.h"

namespace platform::win32 {

Text describeError(const char* call, DWORD error)
{
    Text out = text::fromUtf8(call) + u" failed (error " + text::fromInt(error);
    wchar_t* message = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, error, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
    if (n && message) {
        while (n && (message[n - 1] == L'\r' || message[n - 1] == L'\n' || message[n - 1] == L' '))
            --n;
        out += u": " + fromWide(message, n);
    }
    if (message)
        LocalFree(message);
    return out + u")";
}

} // namespace platform::win32
