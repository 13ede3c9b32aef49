#pragma once
// Opening a customer's web address from the card: the desktop's browser through xdg-open, as the
// program registered for web pages. Nothing goes through a shell.

#include <filesystem>
#include <string>
#include <string_view>

#include "ui/Ui.h"

namespace customers {

inline constexpr const char* kUrlEmpty = "URLが空です。起動できません。";
inline constexpr const char* kUrlNoProgram = "この拡張子に関連付けられたアプリケーションがありません";
inline constexpr const char* kUrlNotFound = "\nURLが存在しませんでした";  // after the address
inline constexpr const char* kUrlNoPath = "\nパスが見つかりません";       // after the address

// xdg-open as found on PATH; empty when it is not installed.
std::filesystem::path FindUrlOpener();

// The address handed to the browser: http and https addresses as they are, anything else
// (a bare host name, a local path, another scheme) read as a web address under "http://", so a
// card field can never make the desktop open or run a local file.
std::string BrowserAddress(std::string_view url);

inline constexpr int kUrlOpenerPatienceMs = 3000;

// Opens url (surrounding spaces ignored) with opener under a wait cursor, waiting a moment for
// the opener's answer. 1 when the browser took the address (or still runs with it); otherwise 0
// after its message: kUrlEmpty; kUrlNoProgram when opener is empty, cannot be started or finds
// no browser; the address and kUrlNotFound when the browser failed to open it; the address and
// kUrlNoPath when the opener refused it.
int OpenURL(ui::Ui& ui, std::string_view url, const std::filesystem::path& opener = FindUrlOpener());

}  // namespace customers
