#include "io/ExportHtmlSet.h"

#include <cstdio>
#include <fstream>
#include <system_error>

#include "io/ExportPictures.h"
#include "records/CRirekiData.h"
#include "records/KokyakuColumns.h"
#include "text/Format.h"

namespace io {

namespace fs = std::filesystem;

namespace {

constexpr const char* kStyleSheet = "style.css";
constexpr const char* kPictureFolder = "Picture";
constexpr const char* kStaging = ".tovana-html.saving";

constexpr const char* kStyle = R"(body { font-family: "Noto Sans CJK JP", "IPAGothic", "Meiryo", sans-serif; margin: 1.5em; color: #222; background: #fff; line-height: 1.5; }
h1 { font-size: 1.4em; border-bottom: 2px solid #4a6fa5; padding-bottom: .2em; }
h2 { font-size: 1.15em; margin-top: 1.5em; }
table { border-collapse: collapse; width: 100%; }
th, td { border: 1px solid #b8c2d0; padding: .3em .6em; text-align: left; vertical-align: top; }
th { background: #e8eef7; font-weight: normal; white-space: nowrap; }
tbody tr:nth-child(even) td { background: #f6f8fb; }
table.detail th { width: 12em; }
td.number { text-align: right; white-space: nowrap; }
nav { margin-bottom: 1em; }
.pictures img { max-width: 240px; max-height: 240px; margin: .3em .6em .3em 0; border: 1px solid #ccc; }
@media print {
  body { margin: 0; font-size: 10pt; }
  nav { display: none; }
  a { color: inherit; text-decoration: none; }
  tr, img { page-break-inside: avoid; }
  th { background: #eee; -webkit-print-color-adjust: exact; print-color-adjust: exact; }
}
)";

std::string Escape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      case '\r':
        if (i + 1 < text.size() && text[i + 1] == '\n') break;  // CR LF is one break
        out += "<br>";
        break;
      case '\n': out += "<br>"; break;
      default: out += c;
    }
  }
  return out;
}

std::string Head(std::string_view title) {
  return "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n"
         "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>" +
         Escape(title) + "</title>\n<link rel=\"stylesheet\" href=\"" + kStyleSheet + "\">\n</head>\n<body>\n";
}

constexpr const char* kTail = "</body>\n</html>\n";

std::string LabelOf(const std::vector<ExportColumn>& columns, std::string_view key, std::string_view fallback) {
  for (const ExportColumn& c : columns) {
    if (c.key == key && !c.label.empty()) return c.label;
  }
  return std::string(fallback);
}

// The name a customer goes by: the person, else the company.
std::string DisplayName(const records::CKokyaku& k) {
  if (!k.Name.empty()) return k.Name;
  if (!k.CompName.empty()) return k.CompName;
  return k.CustomerID;
}

std::string IndexPage(const HtmlSetInput& in) {
  const auto& cols = in.columns;
  std::string html = Head("顧客一覧");
  html += "<h1>顧客一覧</h1>\n<p>" + text::Format("%d人", static_cast<int>(in.customers.size())) + "</p>\n";
  html += "<table>\n<thead><tr><th>No.</th><th>" + Escape(LabelOf(cols, "CustomerID", "お客様コード")) + "</th><th>" +
          Escape(LabelOf(cols, "Name", "氏名")) + "</th><th>" + Escape(LabelOf(cols, "Yomi", "フリガナ")) + "</th><th>" +
          Escape(LabelOf(cols, "CompName", "会社名")) + "</th><th>電話番号</th><th>" +
          Escape(LabelOf(cols, "CommonMail", "メールアドレス")) + "</th></tr></thead>\n<tbody>\n";
  for (std::size_t i = 0; i < in.customers.size(); ++i) {
    const records::CKokyaku& k = *in.customers[i];
    const std::string& tel = k.EntryType == 0 && !k.TEL_Office.empty() ? k.TEL_Office : (k.TEL_Home.empty() ? k.TEL_Office : k.TEL_Home);
    html += "<tr><td class=\"number\">" + std::to_string(i + 1) + "</td><td>" + Escape(k.CustomerID) + "</td><td><a href=\"" +
            HtmlPageName(i) + "\">" + Escape(DisplayName(k)) + "</a></td><td>" + Escape(k.Yomi) + "</td><td>" +
            Escape(k.CompName) + "</td><td>" + Escape(tel) + "</td><td>" + Escape(records::CommonMailAddress(k)) +
            "</td></tr>\n";
  }
  html += "</tbody>\n</table>\n";
  html += kTail;
  return html;
}

std::string CustomerPage(const HtmlSetInput& in, std::size_t i, ExportPictures& pictures) {
  const records::CKokyaku& k = *in.customers[i];
  std::string html = Head(DisplayName(k));
  html += "<nav><a href=\"" + std::string(kHtmlIndex) + "\">顧客一覧へ戻る</a>";
  if (i > 0) html += " | <a href=\"" + HtmlPageName(i - 1) + "\">前の顧客</a>";
  if (i + 1 < in.customers.size()) html += " | <a href=\"" + HtmlPageName(i + 1) + "\">次の顧客</a>";
  html += "</nav>\n<h1>" + Escape(DisplayName(k)) + "</h1>\n<table class=\"detail\">\n<tbody>\n";
  for (const ExportColumn& c : in.columns) {
    html += "<tr><th>" + Escape(c.label) + "</th><td>" + Escape(ExportCellText(k, c.key)) + "</td></tr>\n";
  }
  html += "</tbody>\n</table>\n";
  std::string images;
  for (const std::string* field : {&k.Picture1, &k.Picture2, &k.Picture3, &k.Picture4, &k.Picture5}) {
    const std::string name = pictures.Copy(*field);
    if (!name.empty()) images += "<img src=\"" + std::string(kPictureFolder) + "/" + Escape(name) + "\" alt=\"写真\">";
  }
  if (!images.empty()) html += "<h2>写真</h2>\n<div class=\"pictures\">" + images + "</div>\n";
  if (in.histories) {
    html += "<h2>履歴</h2>\n";
    const records::RirekiList& entries = (*in.histories)[i];
    if (entries.empty()) {
      html += "<p>履歴はありません。</p>\n";
    } else {
      html += "<table>\n<thead><tr><th>日時</th><th>概要</th><th>詳細</th><th>金額</th><th>担当者</th><th>キーワード</th>"
              "<th>写真</th></tr></thead>\n<tbody>\n";
      for (const auto& e : entries) {
        const std::string picture = e ? pictures.Copy(e->Picture) : std::string();
        if (!e) continue;
        html += "<tr><td>" + Escape(e->Date.FormatWithTime()) + "</td><td>" + Escape(e->ActionTitle) + "</td><td>" +
                Escape(e->Action) + "</td><td class=\"number\">" + Escape(records::AmountText(e->Money)) + "</td><td>" +
                Escape(e->TantouName) + "</td><td>" + Escape(e->Keyword) + "</td><td>";
        if (!picture.empty()) {
          html += "<a href=\"" + std::string(kPictureFolder) + "/" + Escape(picture) + "\">" + Escape(picture) + "</a>";
        }
        html += "</td></tr>\n";
      }
      html += "</tbody>\n</table>\n";
    }
  }
  html += kTail;
  return html;
}

bool WriteText(const fs::path& file, const std::string& text) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  return static_cast<bool>(out);
}

// Removes the staging folder unless the set was moved out of it.
struct Staging {
  fs::path path;
  ~Staging() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
  }
};

}  // namespace

std::string HtmlPageName(std::size_t index) {
  char name[32];
  std::snprintf(name, sizeof name, "kokyaku%05zu.htm", index + 1);
  return name;
}

WriteResult WriteHtmlSet(const WriteTarget& folder, const HtmlSetInput& input) {
  if (input.histories && input.histories->size() != input.customers.size()) return WriteResult::WriteFailed;
  Staging staging{folder.path / kStaging};
  std::error_code error;
  fs::remove_all(staging.path, error);
  if (!fs::create_directory(staging.path, error)) return WriteResult::CreateFailed;
  ExportPictures pictures(input.pictureFolder, staging.path / kPictureFolder);
  if (!WriteText(staging.path / kStyleSheet, kStyle)) return WriteResult::WriteFailed;
  for (std::size_t i = 0; i < input.customers.size(); ++i) {
    if (!WriteText(staging.path / HtmlPageName(i), CustomerPage(input, i, pictures)) || pictures.Failed()) {
      return WriteResult::WriteFailed;
    }
    if (folder.progress && !folder.progress->Step(static_cast<std::int64_t>(i + 1))) return WriteResult::Cancelled;
  }
  if (!WriteText(staging.path / kHtmlIndex, IndexPage(input)) || !pictures.Commit()) return WriteResult::WriteFailed;
  // Out of the staging folder, the index last: until it is there, nothing claims to be a set.
  std::vector<fs::path> entries;
  for (const auto& entry : fs::directory_iterator(staging.path, error)) {
    if (entry.path().filename() != kHtmlIndex) entries.push_back(entry.path());
  }
  if (error) return WriteResult::WriteFailed;
  entries.push_back(staging.path / kHtmlIndex);
  for (const fs::path& from : entries) {
    fs::rename(from, folder.path / from.filename(), error);
    if (error) {
      for (const fs::path& moved : entries) fs::remove_all(folder.path / moved.filename(), error);
      return WriteResult::WriteFailed;
    }
  }
  return WriteResult::Done;
}

}  // namespace io
