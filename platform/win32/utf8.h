// Paths and texts cross into the program as UTF-8 and into Windows as
// UTF-16: the wide functions take any name (a user profile under
// C:\Users\Łukasz, a Chinese one), where the ANSI ones would answer '?'.
#pragma once

#include <windows.h>

#include <string>

namespace lv::win32 {

// UTF-8 to UTF-16; an empty string for a null or malformed text.
inline std::wstring Widen(const char* utf8) {
    if (utf8 == nullptr) return std::wstring();
    const int n = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, nullptr, 0);
    if (n <= 0) return std::wstring();
    std::wstring out(std::size_t(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, &out[0], n);
    out.resize(std::size_t(n - 1));
    return out;
}

// UTF-16 to UTF-8 into `size` bytes, always terminated. Answers the length
// the whole text needs (without the terminator): `size` or more means it
// was cut, and then nothing of it is left in the buffer. 0 on failure.
inline int Narrow(const wchar_t* text, int length, char* out, int size) {
    if (size <= 0) return 0;
    out[0] = '\0';
    const int needed = ::WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return 0;
    if (needed >= size) return needed;
    ::WideCharToMultiByte(CP_UTF8, 0, text, length, out, size, nullptr, nullptr);
    out[needed] = '\0';
    return needed;
}

}  // namespace lv::win32
