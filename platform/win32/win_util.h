#pragma once
// Helpers shared by the Win32 implementations: the one conversion between the
// program's Text and the wide strings of the API, owned handles, and error
// texts that name the failing call.
#include <windows.h>

#include "platform/text.h"

#include <cwchar>
#include <string>
#include <utility>

namespace platform::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Text and the wide API share UTF-16 code units");

inline std::wstring wide(TextView t) { return std::wstring(t.begin(), t.end()); }
inline Text fromWide(const wchar_t* s, std::size_t length) { return Text(s, s + length); }
inline Text fromWide(const wchar_t* s) { return s ? fromWide(s, std::wcslen(s)) : Text(); }

// "CreateFileW failed (error 2: The system cannot find the file specified.)"
Text describeError(const char* call, DWORD error);
inline Text describeLastError(const char* call) { return describeError(call, GetLastError()); }

// A kernel handle closed when it goes out of scope. Both null and
// INVALID_HANDLE_VALUE mean "none": the API uses either, depending on the call.
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE h) : h_(h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept
    {
        if (this != &o)
            reset(std::exchange(o.h_, nullptr));
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    HANDLE get() const { return h_; }
    explicit operator bool() const { return h_ && h_ != INVALID_HANDLE_VALUE; }
    HANDLE release() { return std::exchange(h_, nullptr); }
    void reset(HANDLE h = nullptr)
    {
        if (*this)
            CloseHandle(h_);
        h_ = h;
    }

private:
    HANDLE h_ = nullptr;
};

// FindFirstFileW's search handle, closed with FindClose.
class FindHandle {
public:
    explicit FindHandle(HANDLE h) : h_(h) {}
    ~FindHandle()
    {
        if (h_ != INVALID_HANDLE_VALUE)
            FindClose(h_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    HANDLE get() const { return h_; }
    explicit operator bool() const { return h_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE h_;
};

} // namespace platform::win32
