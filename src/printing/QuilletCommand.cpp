#include "printing/QuilletCommand.h"

#include <charconv>
#include <unordered_map>

#include "lumaro/CLayoutInfo.h"
#include "lumaro/CLumaro.h"
#include "platform/DataDirFile.h"
#include "platform/InstallLayout.h"
#include "records/CKokyakuVMData.h"

namespace printing {

namespace {

bool ReadInt(std::string_view text, int& out) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  return ec == std::errc() && end == text.data() + text.size();
}

}  // namespace

std::string QuilletUsage() {
  return "使い方: quillet /L:レイアウトID\n"
         "       quillet --layout ID --pdf 出力.pdf [--ids 1,2,3] [--first N] [--joint 列名] [--data データフォルダ]\n";
}

std::optional<QuilletCommand> ParseQuilletCommand(const std::vector<std::string>& args, std::string& error) {
  QuilletCommand c;
  bool haveLayout = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= args.size()) {
        error = a + " の値がありません";
        return std::nullopt;
      }
      return args[++i];
    };
    if (a.starts_with("/L:") || a.starts_with("/l:")) {
      if (!ReadInt(std::string_view(a).substr(3), c.layoutId)) return error = "レイアウトIDが不正です: " + a, std::nullopt;
      haveLayout = true;
    } else if (a == "--layout") {
      auto v = value();
      if (!v) return std::nullopt;
      if (!ReadInt(*v, c.layoutId)) return error = "レイアウトIDが不正です: " + *v, std::nullopt;
      haveLayout = true;
    } else if (a == "--pdf") {
      auto v = value();
      if (!v) return std::nullopt;
      c.pdf = *v;
      c.batch = true;
    } else if (a == "--ids") {
      auto v = value();
      if (!v) return std::nullopt;
      records::IdArray ids;
      std::string_view rest = *v;
      while (!rest.empty()) {
        const std::size_t comma = rest.find(',');
        int id = 0;
        if (!ReadInt(rest.substr(0, comma), id)) return error = "顧客IDが不正です: " + *v, std::nullopt;
        ids.push_back(id);
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
      }
      c.ids = std::move(ids);
    } else if (a == "--first") {
      auto v = value();
      if (!v) return std::nullopt;
      int n = 0;
      if (!ReadInt(*v, n) || n < 1) return error = "開始位置が不正です: " + *v, std::nullopt;
      c.firstPiece = n - 1;
    } else if (a == "--joint") {
      auto v = value();
      if (!v) return std::nullopt;
      c.jointColumn = *v;
    } else if (a == "--previews" || a == "--catalogue") {
      auto v = value();
      if (!v) return std::nullopt;
      (a == "--previews" ? c.previews : c.catalogue) = *v;
    } else if (a == "--data") {
      auto v = value();
      if (!v) return std::nullopt;
      c.dataFolder = *v;
    } else {
      error = "不明な引数です: " + a;
      return std::nullopt;
    }
  }
  if (!c.previews.empty()) {
    c.batch = true;
    return c;
  }
  if (!haveLayout || c.layoutId < 1) {
    error = "レイアウトIDを指定してください";
    return std::nullopt;
  }
  if (!c.batch && (c.ids || !c.dataFolder.empty())) {
    error = "--ids と --data は --pdf と共に指定してください";
    return std::nullopt;
  }
  return c;
}

std::vector<records::CKokyaku> PreviewCustomers() {
  static const char* const kRows[][6] = {
      {"山田　太郎", "150-0002", "東京都渋谷区渋谷", "2-15-1", "渋谷クロスビル12階", "花子"},
      {"佐藤　美咲", "530-0001", "大阪府大阪市北区梅田", "3-1-3", "", ""},
      {"鈴木　一郎", "460-0008", "愛知県名古屋市中区栄", "4-5-6", "", ""},
  };
  std::vector<records::CKokyaku> out;
  for (const auto& row : kRows) {
    records::CKokyaku k;
    k.ID = static_cast<std::int32_t>(out.size()) + 1;
    k.CustomerID = "K" + std::to_string(1000 + k.ID);
    k.EntryType = 1;
    k.Name = row[0];
    k.Suffix = "様";
    k.Zip_Home = row[1];
    k.Add1_Home = row[2];
    k.Add2_Home = row[3];
    k.Add3_Home = row[4];
    k.Note1 = row[5];
    k.TEL_Home = "03-1234-5678";
    out.push_back(k);
  }
  return out;
}

std::optional<QuilletJob> LoadQuilletJob(const QuilletCommand& command, const std::filesystem::path& install,
                                         bool withCustomers, std::string& error) {
  std::string catalogueMessage;
  lumaro::CLumaro catalogue(install, [&catalogueMessage](std::string_view text) { catalogueMessage = text; });
  const auto info = catalogue.GetLayoutInfo(command.layoutId);
  if (!info) {
    error = catalogueMessage.empty() ? "レイアウト情報がありません。" : catalogueMessage;
    return std::nullopt;
  }
  auto layout = ReadFormLayout(*info);
  if (!layout) {
    error = "レイアウトを読み込めません: " + info->Title;
    return std::nullopt;
  }
  QuilletJob job;
  job.layout = std::move(*layout);
  if (!withCustomers || job.layout.genre == lumaro::CLayoutInfo::kGenreNoCustomer) return job;

  std::filesystem::path folder = command.dataFolder;
  if (folder.empty()) {
    const auto recorded = platform::ReadDataDirFile(platform::DataDirFile(install));
    if (!recorded || recorded->empty()) {
      error = "データフォルダが見つかりません";
      return std::nullopt;
    }
    folder = *recorded;
  }
  records::CKokyakuVMData store;
  if (store.InitDBFromPath(folder / "ZQQMV.qmv", true) != 1) {
    error = "データベースを開けません: " + (folder / "ZQQMV.qmv").string();
    return std::nullopt;
  }
  records::KokyakuList all;
  if (store.GetAllKokyaku(all, "ORDER BY [Customer].[ID]") != 1) {
    error = "顧客を読み込めません";
    return std::nullopt;
  }
  if (command.ids) {
    std::unordered_map<std::int32_t, std::size_t> byId;
    for (std::size_t i = 0; i < all.size(); ++i) byId[all[i]->ID] = i;
    for (std::int32_t id : *command.ids) {
      const auto it = byId.find(id);
      if (it == byId.end() || !all[it->second]) {
        error = "顧客がありません: ID " + std::to_string(id);
        return std::nullopt;
      }
      job.customers.push_back(std::make_unique<records::CKokyaku>(*all[it->second]));
    }
  } else {
    job.customers = std::move(all);
  }
  if (job.layout.genre == lumaro::CLayoutInfo::kGenreCardHistory) {
    for (const auto& k : job.customers) {
      const std::size_t from = job.historyStore.size();
      if (store.GetRirekiForKokyaku(k->ID, job.historyStore) != 1) {
        error = "履歴を読み込めません";
        return std::nullopt;
      }
      std::vector<const records::CRirekiData*> entries;
      for (std::size_t i = from; i < job.historyStore.size(); ++i) entries.push_back(job.historyStore[i].get());
      job.histories.push_back(std::move(entries));
    }
  }
  return job;
}

}  // namespace printing
