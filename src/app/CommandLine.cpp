#include "app/CommandLine.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "platform/CNeritEnv.h"
#include "text/Format.h"

namespace app {

namespace {

// Qt's own options (QGuiApplication, QApplication and the X11 platform), which Qt takes out of
// the arguments itself; each may be written with one dash or two.
constexpr std::array<std::string_view, 14> kQtOptionsWithValue = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowicon", "qwindowtitle",
    "session",  "display",            "geometry",      "title",  "name",            "style",       "stylesheet",
};
constexpr std::array<std::string_view, 5> kQtFlags = {"reverse", "widgetcount", "nograb", "dograb", "sync"};
constexpr std::array<std::string_view, 3> kQtOptionsWithJoinedValue = {"qmljsdebugger=", "style=", "stylesheet="};

template <std::size_t N>
bool OneOf(const std::array<std::string_view, N>& names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

bool StartsWithOneOf(std::string_view name) {
  return std::any_of(kQtOptionsWithJoinedValue.begin(), kQtOptionsWithJoinedValue.end(),
                     [name](std::string_view prefix) { return name.starts_with(prefix); });
}

CommandLine Refuse(std::string error) { return {CommandLine::Action::Refuse, std::move(error), {}}; }

}  // namespace

CommandLine ReadCommandLine(std::span<const std::string_view> args) {
  CommandLine result;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg == "--version") {
      result.action = CommandLine::Action::Version;
      continue;
    }
    if (arg == "--help") {
      if (result.action != CommandLine::Action::Version) result.action = CommandLine::Action::Help;
      result.folder.clear();
      continue;
    }
    if (arg == "--backup" || arg == "--restore") {
      if (++i == args.size() || args[i].empty()) return Refuse(text::Format("tovana: オプション '%s' には値が必要です", arg));
      if (result.action == CommandLine::Action::Backup || result.action == CommandLine::Action::Restore) {
        return Refuse("tovana: --backup と --restore は一つだけ指定してください");
      }
      if (result.action == CommandLine::Action::Run) {
        result.action = arg == "--backup" ? CommandLine::Action::Backup : CommandLine::Action::Restore;
      }
      result.folder = std::string(args[i]);
      continue;
    }
    if (arg.size() < 2 || arg.front() != '-' || arg == "--") {
      return Refuse(text::Format("tovana: 余分な引数です: '%s'", arg));
    }
    const std::string_view name = arg.substr(arg.starts_with("--") ? 2 : 1);
    if (OneOf(kQtFlags, name) || StartsWithOneOf(name)) continue;
    if (OneOf(kQtOptionsWithValue, name)) {
      if (++i == args.size()) return Refuse(text::Format("tovana: オプション '%s' には値が必要です", arg));
      continue;
    }
    return Refuse(text::Format("tovana: 不明なオプションです: '%s'", arg));
  }
  return result;
}

std::string VersionText() {
  const int v = platform::CNeritEnv::kVersion;
  char number[16];
  std::snprintf(number, sizeof number, "%d.%02d", v / 100, v % 100);
  return std::string("tovana (顧客ソレル) ") + number + "\n";
}

std::string UsageLine() { return "使い方: tovana [--version] [--help] [--backup フォルダ | --restore フォルダ]\n"; }

std::string HelpText() {
  return UsageLine() +
         "顧客ソレル: 顧客管理プログラム\n\n"
         "  --backup フォルダ    データと画像を新しいフォルダ(または空のフォルダ)にバックアップします\n"
         "                       (画面なしで実行; すべてバックアップできたときだけ終了コード 0)\n"
         "  --restore フォルダ   フォルダ内のバックアップからデータを復元します\n"
         "                       (『顧客ソレル』の使用中は復元できません; 成功したときだけ終了コード 0)\n\n"
         "環境変数:\n"
         "  TOVANA_HOME          インストールフォルダ (既定: $XDG_DATA_HOME/tovana)\n"
         "  TOVANA_FACTORY_DIR   初回起動時に展開する工場出荷時のファイル\n"
         "  TOVANA_LOCK_DIR      二重起動を防ぐロックファイルのフォルダ\n";
}

}  // namespace app
