#include "BenchData.h"

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>

#include "records/COleDate.h"
#include "records/JetFunctions.h"
#include "records/QmvSchema.h"

namespace bench {

namespace {

namespace fs = std::filesystem;

void Check(int rc, sqlite3* db, const char* what) {
  if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
    throw std::runtime_error(std::string(what) + ": " + sqlite3_errmsg(db));
  }
}

void Exec(sqlite3* db, const std::string& sql) { Check(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), db, "exec"); }

const char* const kFamily[] = {"佐藤", "鈴木", "高橋", "田中", "伊藤", "渡辺", "山本", "中村", "小林", "加藤", "髙橋", "斉藤"};
const char* const kGiven[] = {"太郎", "花子", "一郎", "美咲", "健太", "陽子", "翔", "さくら", "大輔", "由美"};
const char* const kFamilyKana[] = {"ｻﾄｳ", "ｽｽﾞｷ", "ﾀｶﾊｼ", "ﾀﾅｶ", "ｲﾄｳ", "ﾜﾀﾅﾍﾞ", "ﾔﾏﾓﾄ", "ﾅｶﾑﾗ", "ｺﾊﾞﾔｼ", "ｶﾄｳ", "ﾀｶﾊｼ", "ｻｲﾄｳ"};
const char* const kPrefecture[] = {"東京都", "大阪府", "神奈川県", "愛知県", "北海道", "福岡県", "京都府", "埼玉県"};
const char* const kCity[] = {"千代田区丸の内", "北区梅田", "横浜市中区山下町", "名古屋市中村区名駅", "札幌市中央区北一条西", "福岡市博多区博多駅前"};
const char* const kCompany[] = {"株式会社ソレル商事", "有限会社山田工務店", "合同会社ミナト", "", "", "株式会社サンプル電機"};
const char* const kTitles[] = {"来店", "電話", "見積", "受注", "クレーム", "DM"};
const char* const kTantou[] = {"山田", "小川", "森", "石井"};

template <std::size_t N>
const char* Pick(const char* const (&a)[N], std::mt19937& rng) {
  return a[std::uniform_int_distribution<std::size_t>(0, N - 1)(rng)];
}

void InsertCustomers(sqlite3* db, std::mt19937& rng) {
  sqlite3_stmt* s = nullptr;
  Check(sqlite3_prepare_v2(db,
                           "INSERT INTO Customer (CustomerID, Name, Yomi, Suffix, Sex, EntryType, StartDate, LastUpDate,"
                           " TantouName, BirthDay, Zip_Home, Add1_Home, Add2_Home, Add3_Home, TEL_Home, TEL_Home_X,"
                           " CompName, EMail1, CommonMail, ColorMark, ImportantRanking, MainMerchant1, Note1, RirekiUpDate)"
                           " VALUES (?,?,?,'様',?,?,?,?,?,?,?,?,?,?,?,?,?,?,1,16777215,?,?,?,?)",
                           -1, &s, nullptr),
        db, "prepare");
  const double base = records::COleDate::FromCivil(2015, 1, 1).Value();
  for (int i = 1; i <= kCustomers; ++i) {
    const std::string name = std::string(Pick(kFamily, rng)) + " " + Pick(kGiven, rng);
    const std::string tel = "03-" + std::to_string(1000 + i % 9000) + "-" + std::to_string(1000 + (i * 7) % 9000);
    const double start = base + (i % 3000);
    const std::string code = "K" + std::to_string(100000 + i);
    const std::string zip = std::to_string(100 + i % 900) + "-" + std::to_string(1000 + i % 9000);
    const std::string add3 = std::to_string(1 + i % 9) + "-" + std::to_string(1 + i % 30) + "-" + std::to_string(1 + i % 20);
    const std::string mail = "user" + std::to_string(i) + "@example.jp";
    int c = 1;
    sqlite3_bind_text(s, c++, code.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(s, c++, name.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(s, c++, Pick(kFamilyKana, rng), -1, SQLITE_STATIC);
    sqlite3_bind_int(s, c++, i % 2);
    sqlite3_bind_int(s, c++, i % 5 == 0 ? 0 : 1);
    sqlite3_bind_double(s, c++, start);
    sqlite3_bind_double(s, c++, start + 30);
    sqlite3_bind_text(s, c++, Pick(kTantou, rng), -1, SQLITE_STATIC);
    sqlite3_bind_double(s, c++, base - 10000 - (i % 20000));
    sqlite3_bind_text(s, c++, zip.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(s, c++, Pick(kPrefecture, rng), -1, SQLITE_STATIC);
    sqlite3_bind_text(s, c++, Pick(kCity, rng), -1, SQLITE_STATIC);
    sqlite3_bind_text(s, c++, add3.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(s, c++, tel.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_double(s, c++, std::stod("3" + tel.substr(3, 4) + tel.substr(8)));
    sqlite3_bind_text(s, c++, Pick(kCompany, rng), -1, SQLITE_STATIC);
    sqlite3_bind_text(s, c++, mail.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(s, c++, i % 50 == 0 ? "VIP" : "", -1, SQLITE_STATIC);
    sqlite3_bind_text(s, c++, i % 3 == 0 ? "事務用品" : "", -1, SQLITE_STATIC);
    sqlite3_bind_text(s, c++, "特記事項なし", -1, SQLITE_STATIC);
    sqlite3_bind_double(s, c++, start + (i * 13) % 3000);
    Check(sqlite3_step(s), db, "insert customer");
    sqlite3_reset(s);
  }
  sqlite3_finalize(s);
}

void InsertHistory(sqlite3* db, std::mt19937& rng) {
  sqlite3_stmt* s = nullptr;
  Check(sqlite3_prepare_v2(db,
                           "INSERT INTO Rireki (CustomerID, Date, ActionTitle, Action, Money, Keyword, TantouName)"
                           " VALUES (?,?,?,?,?,?,?)",
                           -1, &s, nullptr),
        db, "prepare");
  std::uniform_int_distribution<int> customer(1, kCustomers);
  std::uniform_real_distribution<double> when(records::COleDate::FromCivil(2015, 1, 1).Value(),
                                              records::COleDate::FromCivil(2026, 12, 1).Value());
  std::uniform_int_distribution<int> money(0, 500000);
  for (int i = 0; i < kHistoryEntries; ++i) {
    sqlite3_bind_int(s, 1, customer(rng));
    sqlite3_bind_double(s, 2, when(rng));
    sqlite3_bind_text(s, 3, Pick(kTitles, rng), -1, SQLITE_STATIC);
    sqlite3_bind_text(s, 4, "商品についての問い合わせ。折り返し連絡する。", -1, SQLITE_STATIC);
    sqlite3_bind_double(s, 5, i % 4 == 0 ? money(rng) : 0.0);
    sqlite3_bind_text(s, 6, i % 7 == 0 ? "新製品" : "", -1, SQLITE_STATIC);
    sqlite3_bind_text(s, 7, Pick(kTantou, rng), -1, SQLITE_STATIC);
    Check(sqlite3_step(s), db, "insert history");
    sqlite3_reset(s);
  }
  sqlite3_finalize(s);
}

void InsertDM(sqlite3* db) {
  const double base = records::COleDate::FromCivil(2020, 1, 1).Value();
  for (int i = 1; i <= kDMTitles; ++i) {
    Exec(db, "INSERT INTO DMList (SendDate, SendMethod, Sent, Manager, Title, Content, HistoryRegistered) VALUES (" +
                 std::to_string(base + i * 7) + ", " + std::to_string(i % 3 == 0) + ", " + std::to_string(i % 2) +
                 ", '山田', '春の新製品案内 " + std::to_string(i) + "', '案内状', 0)");
    Exec(db, "INSERT INTO DMMng (DMID, CustomerID) SELECT " + std::to_string(i) +
                 ", ID FROM Customer WHERE ID % 200 = " + std::to_string(i % 200));
  }
}

std::string ReadWhole(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Generate(const fs::path& file) {
  const fs::path partial = file.string() + ".partial";
  fs::remove(partial);
  sqlite3* db = nullptr;
  Check(sqlite3_open(partial.c_str(), &db), db, "open");
  Exec(db, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF;");
  Exec(db, records::QmvSchemaSql());
  Exec(db, "BEGIN");
  std::mt19937 rng(20261208);
  InsertCustomers(db, rng);
  InsertHistory(db, rng);
  InsertDM(db);
  Exec(db, "COMMIT");
  sqlite3_close(db);
  fs::rename(partial, file);
}

}  // namespace

fs::path BenchDataFolder() {
  const fs::path folder = fs::current_path() / "bench-data" / "qmv";
  const fs::path file = folder / "ZQQMV.qmv";
  // Data made under an older schema lacks indexes the store now has, and hand-written baselines read it directly.
  const fs::path schemaStamp = folder / "schema.sql";
  const std::string schema = records::QmvSchemaSql();
  if (!fs::exists(file) || ReadWhole(schemaStamp) != schema) {
    fs::create_directories(folder);
    fs::remove(file);
    std::fprintf(stderr, "Generating %s ...\n", file.c_str());
    Generate(file);
    std::ofstream(schemaStamp, std::ios::binary | std::ios::trunc) << schema;
  }
  return folder;
}

records::CKokyakuVMData& ScratchStore(const char* name) {
  static std::map<std::string, std::unique_ptr<records::CKokyakuVMData>> stores;
  auto& store = stores[name];
  if (!store) {
    store = std::make_unique<records::CKokyakuVMData>();
    if (store->InitDB(ScratchCopyOfBenchData(name)) != 1) std::abort();
  }
  return *store;
}

sqlite3* BaselineConnection() {
  static sqlite3* db = [] {
    sqlite3* d = nullptr;
    sqlite3_open_v2((BenchDataFolder() / "ZQQMV.qmv").c_str(), &d, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_exec(d, "PRAGMA cache_size=-32768", nullptr, nullptr, nullptr);
    records::RegisterJetFunctions(d);
    return d;
  }();
  return db;
}

fs::path ScratchCopyOfBenchData(const char* name) {
  const fs::path source = BenchDataFolder();
  const fs::path folder = source.parent_path() / name;
  fs::remove_all(folder);
  fs::create_directories(folder);
  fs::copy_file(source / "ZQQMV.qmv", folder / "ZQQMV.qmv");
  return folder;
}

}  // namespace bench
