// Builds the postal and business dictionaries (Yubin.dic, Hojin.dic) from public postal data:
//   tovana_make_postal --japan-post KEN_ALL.CSV JIGYOSYO.CSV Yubin.dic Hojin.dic
//     Japan Post's monthly files, as downloaded and unpacked (CP932).
//   tovana_make_postal --npm-package PACKAGE_DIR Yubin.dic Hojin.dic
//     the unpacked npm package japan-postal-code (its zipdata/zip-*.js files).
// Exits with 1, leaving any existing dictionary as it was, when a source cannot be read.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "lookup/CMultiDB.h"
#include "lookup/JapanPostCsv.h"
#include "lookup/ZipDataReader.h"

namespace {

namespace fs = std::filesystem;
using lookup::CMultiDB;
using lookup::CPostalCandidate;

std::optional<std::string> ReadWhole(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::cerr << "cannot read " << file << "\n";
    return std::nullopt;
  }
  return std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool Write(const fs::path& file, CMultiDB::Dictionary kind, std::vector<CPostalCandidate> records) {
  const std::size_t count = records.size();
  std::string error;
  if (!lookup::WritePostalDictionary(file, kind, std::move(records), error)) {
    std::cerr << error << "\n";
    return false;
  }
  std::cout << file.string() << ": " << count << " entries\n";
  return true;
}

bool FromJapanPost(const fs::path& kenAll, const fs::path& jigyosyo, const fs::path& postal, const fs::path& business) {
  const std::optional<std::string> addresses = ReadWhole(kenAll);
  const std::optional<std::string> companies = ReadWhole(jigyosyo);
  if (!addresses || !companies) return false;
  lookup::CPostalReadResult ordinary = lookup::ReadKenAll(*addresses);
  lookup::CPostalReadResult receivers = lookup::ReadJigyosyo(*companies);
  if (ordinary.skippedLines + receivers.skippedLines > 0) {
    std::cerr << "skipped " << ordinary.skippedLines << " lines of " << kenAll.string() << " and "
              << receivers.skippedLines << " of " << jigyosyo.string() << " that hold no record\n";
  }
  if (ordinary.records.empty()) {
    std::cerr << kenAll.string() << " holds no address\n";
    return false;
  }
  return Write(postal, CMultiDB::Dictionary::Postal, std::move(ordinary.records)) &&
         Write(business, CMultiDB::Dictionary::Business, std::move(receivers.records));
}

bool FromNpmPackage(const fs::path& package, const fs::path& postal, const fs::path& business) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (fs::directory_iterator it(package / "zipdata", ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.starts_with("zip-") && name.ends_with(".js")) files.push_back(it->path());
  }
  if (ec || files.empty()) {
    std::cerr << "no zipdata/zip-*.js in " << package.string() << "\n";
    return false;
  }
  std::sort(files.begin(), files.end());
  lookup::CZipDataResult data;
  for (const fs::path& file : files) {
    const std::optional<std::string> text = ReadWhole(file);
    std::string error;
    if (!text || !lookup::ReadZipData(*text, data, error)) {
      std::cerr << file.string() << ": " << error << "\n";
      return false;
    }
  }
  return Write(postal, CMultiDB::Dictionary::Postal, std::move(data.ordinary)) &&
         Write(business, CMultiDB::Dictionary::Business, std::move(data.business));
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 5 && args[0] == "--japan-post") return FromJapanPost(args[1], args[2], args[3], args[4]) ? 0 : 1;
  if (args.size() == 4 && args[0] == "--npm-package") return FromNpmPackage(args[1], args[2], args[3]) ? 0 : 1;
  std::cerr << "usage: tovana_make_postal --japan-post KEN_ALL.CSV JIGYOSYO.CSV Yubin.dic Hojin.dic\n"
               "       tovana_make_postal --npm-package PACKAGE_DIR Yubin.dic Hojin.dic\n";
  return 2;
}
