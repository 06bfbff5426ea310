// The profile routines and the sound routine, forwarded to the system's own.
// The logic passes UTF-8; the wide-character routines take the text here, so
// that a data folder whose name lies outside the ANSI code page still works.
// The files themselves come out as the ANSI routines would write them: Windows
// keeps a profile file in the code page unless it already starts with a
// UTF-16 byte-order mark.

#include "core/ModuleWin32API.h"

// After the declarations above: windows.h defines some of their names as macros.
#include "platform/windows/LibraryRoutine.h"
#include "platform/windows/SystemLibraries.h"
#include "platform/windows/Utf16.h"
// PlaySoundW's flags; not in windows.h when it is lean.
#include <mmsystem.h>

#include <optional>

namespace kelvora::win32api {

namespace {

// A text argument that may be absent: the profile routines give a null
// section, key or value a meaning of its own (list, or delete).
class WideArgument {
  public:
    explicit WideArgument(const char* text) {
        if (text != nullptr) wide_ = platform::Utf8ToWide(text);
    }
    const wchar_t* get() const { return wide_ ? wide_->c_str() : nullptr; }

  private:
    std::optional<std::wstring> wide_;
};

// The longest prefix of `text` of at most `limit` bytes that does not cut a
// character in two.
std::size_t WholeCharacters(const std::string& text, std::size_t limit) {
    if (text.size() <= limit) return text.size();
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return end;
}

using PlaySoundRoutine = BOOL(WINAPI*)(LPCWSTR, HMODULE, DWORD);

// winmm's PlaySoundW, loaded when the alarm first sounds: winmm and the audio
// compression manager it brings cost a quarter of a megabyte to a window that
// may never reach zero. Null when the system has no such library.
PlaySoundRoutine SystemPlaySound() {
    static const PlaySoundRoutine routine = platform::LibraryRoutine<PlaySoundRoutine>(
        platform::LoadSystemLibrary(L"winmm.dll"), "PlaySoundW");
    return routine;
}

}  // namespace

std::uint32_t GetPrivateProfileStringA(const char* lpAppName, const char* lpKeyName,
                                       const char* lpDefault, char* lpReturnedString,
                                       std::uint32_t nSize, const char* lpFileName) {
    if (lpReturnedString == nullptr || nSize == 0) return 0;
    // Every UTF-16 unit becomes at least one byte, so a wide buffer of the same
    // count never holds less than the caller's buffer can take.
    std::wstring buffer(nSize, L'\0');
    const DWORD copied = ::GetPrivateProfileStringW(
        WideArgument(lpAppName).get(), WideArgument(lpKeyName).get(), WideArgument(lpDefault).get(),
        buffer.data(), nSize, WideArgument(lpFileName).get());
    const std::string text = platform::WideToUtf8(std::wstring_view(buffer.data(), copied));
    const std::size_t count = WholeCharacters(text, nSize - 1);
    text.copy(lpReturnedString, count);
    lpReturnedString[count] = '\0';
    return static_cast<std::uint32_t>(count);
}

std::int32_t WritePrivateProfileStringA(const char* lpAppName, const char* lpKeyName,
                                        const char* lpString, const char* lpFileName) {
    return ::WritePrivateProfileStringW(WideArgument(lpAppName).get(),
                                        WideArgument(lpKeyName).get(), WideArgument(lpString).get(),
                                        WideArgument(lpFileName).get()) != 0
               ? 1
               : 0;
}

std::int32_t PlaySoundA(const char* pszSound, std::uintptr_t /*hmod*/, std::uint32_t /*fdwSound*/) {
    const PlaySoundRoutine play = SystemPlaySound();
    if (play == nullptr) return 0;
    if (pszSound == nullptr) return play(nullptr, nullptr, 0) ? 1 : 0;
    // The only caller passes SND_LOOP without SND_ASYNC, waits for the call and
    // closes the window when it returns. A synchronous loop would never return
    // (and SND_LOOP is documented for asynchronous play only), so the file plays
    // once, synchronously, and the window closes when the sound has been heard.
    // A missing file stays silent rather than playing the system's default
    // sound: the program does not report it either.
    const std::wstring name = platform::Utf8ToWide(pszSound);
    return play(name.c_str(), nullptr, SND_FILENAME | SND_SYNC | SND_NODEFAULT) ? 1 : 0;
}

}  // namespace kelvora::win32api
