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

// xdg-open as found on PATH; empty when it is not installed.
std::filesystem::path FindUrlOpener();

// The address handed to the browser: http and https addresses as they are, anything else
// (a bare host name, a local path, another scheme) read as a web address under "http://", so a
// card field can never make the desktop open or run a local file.
std::string BrowserAddress(std::string_view url);

// Opens url (surrounding spaces ignored) with opener under a wait cursor. 1 when the opener
// started; 0 after kUrlEmpty or, when opener is empty or cannot be started, kUrlNoProgram.
int OpenURL(ui::Ui& ui, std::string_view url, const std::filesystem::path& opener = FindUrlOpener());

}  // namespace customers
