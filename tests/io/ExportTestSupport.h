#pragma once
// What the export tests share: customers with every kind of value, a reader of the CSV the
// export writes (quotes, doubled quotes, CR LF rows; code page 932 or UTF-8 after a BOM) that
// does not depend on the program's importer, and an independent reader of .xlsx files.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "io/ExportTable.h"
#include "platform/TempFolder.h"
#include "records/CKokyaku.h"
#include "text/Cp932.h"

namespace io::test {

using Table = std::vector<std::vector<std::string>>;

// Customers whose values cover the codes, dates, quotes and separators.
inline std::vector<records::CKokyaku> VariedCustomers() {
  std::vector<records::CKokyaku> all(3);
  all[0].ID = 1;
  all[0].CustomerID = "K0001";
  all[0].Name = "山田 \"タロ\" 太郎";  // a double quote inside the name
  all[0].Yomi = "ﾔﾏﾀﾞ ﾀﾛｳ";
  all[0].Sex = 0;
  all[0].EntryType = 1;
  all[0].CustomerType = 1;
  all[0].BirthDay = records::COleDate::FromCivil(1970, 5, 12);
  all[0].TaxMethod = 2;
  all[0].ClosingDay = 99;
  all[0].CommonMail = 2;
  all[0].EMail2 = "taro@example.jp";
  all[0].Add1_Home = "東京都千代田区";
  all[0].Add2_Home = "千代田1-1, 表ビル";  // a comma, and 表 whose second CP932 byte is a backslash
  all[0].Note1 = "一行目\r\n二行目";
  all[1].ID = 2;
  all[1].CustomerID = "K0002";
  all[1].CompName = "株式会社<テスト>&商事";
  all[1].Sex = 1;
  all[1].EntryType = 0;
  all[1].TaxMethod = 4;
  all[1].ClosingDate = 3;
  all[1].TEL_Office = "03-1234-5678";
  all[1].CommonMail = 1;
  all[2].ID = 3;
  all[2].CustomerID = "K0003";
  all[2].Name = "佐藤　花子";
  all[2].EntryType = 1;
  all[2].TaxMethod = 0;
  all[2].CommonMail = 5;
  return all;
}

inline CustomerRefs Refs(const std::vector<records::CKokyaku>& all) {
  CustomerRefs refs;
  for (const auto& k : all) refs.push_back(&k);
  return refs;
}

inline std::vector<ExportColumn> Columns(std::initializer_list<const char*> keys) {
  std::vector<ExportColumn> columns;
  for (const char* key : keys) columns.push_back({key, std::string("label:") + key});
  return columns;
}

// The cells of CSV text (UTF-8); nullopt when it is malformed.
inline std::optional<Table> ParseCsv(const std::string& text) {
  Table rows;
  std::vector<std::string> row;
  std::string cell;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] != '"') return std::nullopt;  // every cell is quoted
    ++i;
    for (;;) {
      if (i >= text.size()) return std::nullopt;
      if (text[i] == '"') {
        if (i + 1 < text.size() && text[i + 1] == '"') {
          cell += '"';
          i += 2;
          continue;
        }
        ++i;
        break;
      }
      cell += text[i++];
    }
    row.push_back(std::move(cell));
    cell.clear();
    if (i < text.size() && text[i] == ',') {
      ++i;
    } else if (text.compare(i, 2, "\r\n") == 0) {
      i += 2;
      rows.push_back(std::move(row));
      row.clear();
    } else {
      return std::nullopt;
    }
  }
  if (!row.empty()) return std::nullopt;  // the last row lacks its CR LF
  return rows;
}

// The file's bytes as UTF-8: after a UTF-8 BOM as they are, otherwise read as code page 932.
inline std::string CsvText(const std::string& bytes, bool* utf8 = nullptr) {
  const bool bom = bytes.rfind("\xEF\xBB\xBF", 0) == 0;
  if (utf8) *utf8 = bom;
  return bom ? bytes.substr(3) : text::FromCp932(bytes);
}

// The Python that has openpyxl, or empty.
inline std::string PythonWithOpenpyxl() {
  for (const char* python : {"/usr/bin/python3", "python3"}) {
    const std::string command = std::string(python) + " -c 'import openpyxl' >/dev/null 2>&1";
    if (std::system(command.c_str()) == 0) return python;
  }
  return {};
}

// The first sheet's cells as openpyxl reads them, every row padded to the widest; nullopt when
// the file does not open.
inline std::optional<Table> ReadXlsx(const std::string& python, const std::filesystem::path& file) {
  testing_support::TempFolder temp;
  const auto script = temp / "read.py";
  const auto out = temp / "cells.txt";
  testing_support::WriteBytes(script,
                              "import sys, openpyxl\n"
                              "book = openpyxl.load_workbook(sys.argv[1], read_only=True)\n"
                              "sheet = book.worksheets[0]\n"
                              "with open(sys.argv[2], 'w', encoding='utf-8', newline='') as out:\n"
                              "    for row in sheet.iter_rows(values_only=True):\n"
                              "        out.write('\\x1f'.join('' if v is None else str(v) for v in row) + '\\x1e')\n");
  const std::string command = python + " '" + script.string() + "' '" + file.string() + "' '" + out.string() + "'";
  if (std::system(command.c_str()) != 0) return std::nullopt;
  const std::string text = testing_support::ReadBytes(out);
  Table rows;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\x1e', start)) != std::string::npos; start = end + 1) {
    std::vector<std::string> row;
    const std::string line = text.substr(start, end - start);
    std::size_t from = 0;
    for (std::size_t sep; (sep = line.find('\x1f', from)) != std::string::npos; from = sep + 1) {
      row.push_back(line.substr(from, sep - from));
    }
    row.push_back(line.substr(from));
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace io::test
