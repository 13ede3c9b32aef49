// The form program's batch form: customers of a data folder written as PDF without a display,
// read back with pdftotext -bbox (the text must be real text, on the right page and place).
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>

#include "company/AutoText.h"
#include "customers/SampleCustomers.h"
#include "platform/CNeritEnv.h"
#include "printing/QuilletCommand.h"
#include "shell/DocumentTestSupport.h"

namespace printing {
namespace {

constexpr double kPtPerMm = 72.0 / 25.4;

struct Word {
  std::string text;
  double xMin, yMin, xMax, yMax;  // mm
};
using Pages = std::vector<std::vector<Word>>;

std::string Unescape(std::string s) {
  for (const auto& [from, to] : {std::pair{"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}}) {
    for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + 1)) s.replace(at, strlen(from), to);
  }
  return s;
}

class QuilletBatchTest : public shell::test::DocumentFolderTest {
 protected:
  QuilletBatchTest() {
    std::filesystem::copy_file(platform::CNeritEnv().GetFactoryFolder() / "Data" / "MyData" / "Lumaro.dat",
                               platform::MyDataFolder(Install()) / "Lumaro.dat");
    std::string error;
    EXPECT_TRUE(company::WriteAutoTexts(company::AutoTextFolder(Install()),
                                        {{"COM.AUT", "株式会社ソレル商会"}, {"ZIPHIFN.AUT", "150-0002"},
                                         {"ADD.AUT", "東京都渋谷区渋谷1-2-3"}, {"TATEADD.AUT", "東京都渋谷区渋谷一-二-三"},
                                         {"NAME.AUT", "山田一郎"}, {"TEL.AUT", "03-1234-5678"}},
                                        error))
        << error;
  }

  void AddCustomers(int count) {
    for (int i = 0; i < count; ++i) {
      records::CKokyaku k = customers::test::SampleCustomer(i);
      k.EntryType = 1;
      ASSERT_GT(doc.Store().AddNewKokyaku(k), 0);
    }
    ASSERT_EQ(doc.Store().SaveQMV(false), 1);
  }

  // quillet with args, no display; its exit status.
  int Quillet(const std::string& args) const {
    const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM TOVANA_HOME='" +
                                Install().string() + "' '" TOVANA_QUILLET "' " + args + " 2>'" +
                                (temp / "stderr.txt").string() + "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::filesystem::path Pdf(const char* name) const {
    const char* keep = std::getenv("TOVANA_PRINT_SAMPLES");
    if (keep) {
      std::filesystem::create_directories(keep);
      return std::filesystem::path(keep) / name;
    }
    return temp / name;
  }

  // The words of each page, in mm from the page's top-left.
  Pages ReadBack(const std::filesystem::path& pdf) const {
    const std::filesystem::path html = temp / "bbox.html";
    const std::string command = "pdftotext -bbox '" + pdf.string() + "' '" + html.string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << "pdftotext (poppler-utils) is needed";
    std::ifstream in(html);
    std::stringstream all;
    all << in.rdbuf();
    const std::string text = all.str();
    Pages pages;
    const std::regex page("<page "), word(R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re");
    std::size_t at = 0;
    while ((at = text.find("<page ", at)) != std::string::npos) {
      const std::size_t end = text.find("</page>", at);
      const std::string body = text.substr(at, end - at);
      std::vector<Word> words;
      for (auto it = std::sregex_iterator(body.begin(), body.end(), word); it != std::sregex_iterator(); ++it) {
        words.push_back({Unescape((*it)[5]), std::stod((*it)[1]) / kPtPerMm, std::stod((*it)[2]) / kPtPerMm,
                         std::stod((*it)[3]) / kPtPerMm, std::stod((*it)[4]) / kPtPerMm});
      }
      pages.push_back(std::move(words));
      at = end;
    }
    return pages;
  }

  static const Word* FindWord(const std::vector<Word>& words, const std::string& text) {
    for (const Word& w : words) {
      if (w.text.find(text) != std::string::npos) return &w;
    }
    return nullptr;
  }
};

TEST_F(QuilletBatchTest, LabelsGoToTheirPiecesOnTheirPagesAsText) {
  AddCustomers(14);
  const std::filesystem::path pdf = Pdf("labels-1007.pdf");
  ASSERT_EQ(Quillet("--layout 1007 --pdf '" + pdf.string() + "'"), 0);
  const Pages pages = ReadBack(pdf);
  ASSERT_EQ(pages.size(), 2u);
  // ELM007: 2 x 6 pieces of 83.8 x 42.3 mm from (20.3, 20.3), pitch 87.6 x 42.3.
  for (int i = 0; i < 14; ++i) {
    const records::CKokyaku k = customers::test::SampleCustomer(i);
    const auto& words = pages[static_cast<std::size_t>(i / 12)];
    const int piece = i % 12;
    const double x = 20.3 + (piece % 2) * 87.6, y = 20.3 + (piece / 2) * 42.3;
    const auto inPiece = [&](const Word& w) {
      return w.xMin >= x && w.xMax <= x + 83.8 && w.yMin >= y - 0.5 && w.yMax <= y + 42.3;
    };
    const std::string family = k.Name.substr(0, k.Name.find("　"));
    const Word* name = FindWord(words, family);
    ASSERT_TRUE(name) << family;
    EXPECT_TRUE(inPiece(*name)) << family;
    const std::string zip = "〒" + std::string(k.Zip_Home);
    const auto zipWord = std::find_if(words.begin(), words.end(), [&](const Word& w) {
      return w.text.find(zip) != std::string::npos && inPiece(w);
    });
    ASSERT_NE(zipWord, words.end()) << "customer " << i << " " << zip;
    EXPECT_LT(zipWord->yMax, name->yMin + 0.5);  // the postal code above the name
  }
}

TEST_F(QuilletBatchTest, OnlyTheCustomersAskedForInTheirOrderFromTheFirstPieceChosen) {
  AddCustomers(5);
  const std::filesystem::path pdf = Pdf("labels-ids.pdf");
  ASSERT_EQ(Quillet("--layout 1007 --ids 3,1 --first 12 --pdf '" + pdf.string() + "'"), 0);
  const Pages pages = ReadBack(pdf);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_TRUE(FindWord(pages[0], "〒" + customers::test::SampleCustomer(2).Zip_Home));  // ID 3 on piece 12
  EXPECT_FALSE(FindWord(pages[0], "〒" + customers::test::SampleCustomer(0).Zip_Home));
  EXPECT_TRUE(FindWord(pages[1], "〒" + customers::test::SampleCustomer(0).Zip_Home));
  EXPECT_FALSE(FindWord(pages[1], "〒" + customers::test::SampleCustomer(3).Zip_Home));
}

TEST_F(QuilletBatchTest, EveryGenrePrintsWithoutADisplay) {
  AddCustomers(3);
  // History for the cards: the first customer many entries, the second none.
  for (int i = 0; i < 50; ++i) {
    records::CRirekiData entry;
    entry.ActionTitle = i % 2 ? "電話" : "来店";
    entry.Action = "ご注文の件でご連絡。次回は春の新作をご案内する予定（" + std::to_string(i + 1) + "回目）";
    entry.Money = i % 3 ? 0 : 12800 + i;
    entry.Date = records::COleDate::FromCivil(2024, 1 + i % 12, 1 + i % 28);
    ASSERT_GT(doc.Store().AddNewRireki(1, entry, records::COleDate::Now()), 0);
  }
  records::CRirekiData one;
  one.ActionTitle = "購入";
  one.Date = records::COleDate::FromCivil(2025, 3, 3);
  ASSERT_GT(doc.Store().AddNewRireki(3, one, records::COleDate::Now()), 0);
  ASSERT_EQ(doc.Store().SaveQMV(false), 1);
  struct Case {
    int layout;
    const char* file;
    int pages;
    const char* mustRead;  // a text that must come back as text
  } cases[] = {
      {2001, "hagaki-tate-2001.pdf", 3, "株"},     {2002, "hagaki-yoko-2002.pdf", 3, "株式会社ソレル商会"},
      {2004, "hagaki-tate-plain-2004.pdf", 3, "様"}, {3001, "naga3-3001.pdf", 3, "様"},
      {3005, "kaku2-tate-3005.pdf", 3, "様"},      {5001, "card-5001.pdf", 4, "顧客カード"},
      {5101, "list-5101.pdf", 1, "氏名"},           {4101, "letter-4101.pdf", 3, "拝啓"},
      {6001, "estimate-6001.pdf", 1, "御見積書"},
  };
  for (const Case& c : cases) {
    const std::filesystem::path pdf = Pdf(c.file);
    ASSERT_EQ(Quillet("--layout " + std::to_string(c.layout) + " --pdf '" + pdf.string() + "'"), 0) << c.layout;
    const Pages pages = ReadBack(pdf);
    EXPECT_EQ(static_cast<int>(pages.size()), c.pages) << c.layout;
    ASSERT_FALSE(pages.empty());
    EXPECT_TRUE(FindWord(pages[0], c.mustRead)) << c.layout << " " << c.mustRead;
  }
}

TEST_F(QuilletBatchTest, FailsWithoutLeavingAFileAndSaysWhy) {
  AddCustomers(1);
  struct Case {
    std::string args;
    int status;
  } cases[] = {
      {"--layout 99999 --pdf OUT", kQuilletFailed},        // no such layout
      {"--layout 1007 --ids 1,77 --pdf OUT", kQuilletFailed},  // no such customer
      {"--layout 1007 --pdf", kQuilletUsage},
      {"--pdf OUT", kQuilletUsage},
      {"--layout 1007 --ids x --pdf OUT", kQuilletUsage},
      {"--layout 1007 --pdf /nonexistent-folder/out.pdf", kQuilletFailed},
  };
  const std::filesystem::path out = temp / "out.pdf";
  for (auto c : cases) {
    for (std::size_t at = c.args.find("OUT"); at != std::string::npos; at = c.args.find("OUT")) {
      c.args.replace(at, 3, "'" + out.string() + "'");
    }
    EXPECT_EQ(Quillet(c.args), c.status) << c.args;
    EXPECT_FALSE(std::filesystem::exists(out)) << c.args;
    EXPECT_GT(std::filesystem::file_size(temp / "stderr.txt"), 0u) << c.args;
  }
}

TEST(QuilletCommand, ReadsTheFormProgramsArguments) {
  std::string error;
  auto c = ParseQuilletCommand({"/L:2001"}, error);
  ASSERT_TRUE(c);
  EXPECT_EQ(c->layoutId, 2001);
  EXPECT_FALSE(c->batch);
  c = ParseQuilletCommand({"--layout", "1007", "--pdf", "a.pdf", "--ids", "3,1,2", "--first", "4", "--joint", "Note1"}, error);
  ASSERT_TRUE(c);
  EXPECT_TRUE(c->batch);
  EXPECT_THAT(*c->ids, ::testing::ElementsAre(3, 1, 2));
  EXPECT_EQ(c->firstPiece, 3);
  EXPECT_EQ(c->jointColumn, "Note1");
  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
           {}, {"/L:x"}, {"/L:0"}, {"--layout", "1", "--first", "0", "--pdf", "a"}, {"--ids", "1", "/L:3"}, {"--what"}}) {
    EXPECT_FALSE(ParseQuilletCommand(bad, error));
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
}  // namespace printing
