// The catalogue files on disk: what they hold and read back, how a newer writer's objects are
// read, and that damaged files, unreadable files and failed writes never cost more than the
// message and an empty list.

#include <signal.h>
#include <sys/resource.h>

#include <functional>

#include "lumaro/LumaroTestSupport.h"
#include "platform/ChildProcess.h"
#include "settings/CArchive.h"
#include "settings/CMemoryStream.h"
#include "settings/CSerializable.h"

namespace lumaro::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// An object of any class name whose fields a test writes by hand.
class HandWritten final : public settings::CSerializable {
 public:
  HandWritten(std::string className, std::function<void(settings::CArchive&)> body)
      : className_(std::move(className)), body_(std::move(body)) {}
  void Serialize(settings::CArchive& ar) override { body_(ar); }
  std::string_view GetClassName() const override { return className_; }

 private:
  std::string className_;
  std::function<void(settings::CArchive&)> body_;
};

std::string ArrayBytes(std::vector<HandWritten*> objects) {
  settings::CMemoryStream stream;
  settings::CArchive ar(stream, settings::CArchive::Mode::Store);
  ar.StoreCount(objects.size());
  for (HandWritten* object : objects) ar.StoreObject(object);
  ar.Close();
  return stream.Bytes();
}

void StoreCategory(settings::CArchive& ar, std::string name, std::vector<HandWritten*> children) {
  ar.StoreInt32(1);
  ar.StoreString(name);
  ar.StoreCount(children.size());
  for (HandWritten* child : children) ar.StoreObject(child);
}

CLayoutInfo EveryField() {
  CLayoutInfo l;
  l.Title = "宛名ラベル〜😀";
  l.LayoutID = 1001;
  l.MotoLayoutID = 7;
  l.PaperCodes = "ELM008,ELG008";
  l.Sheet = "paper=A4;orient=P";
  l.Fields = "[{\"f\":\"Zip\"}]";
  l.FreeText = "拝啓\n敬具";
  l.Vertical = 1;
  l.ExcelName = "label.xlsx";
  l.Renzoku = 1;
  l.FormGenre = 5;
  l.ZipBoxes = 2;
  l.Text5 = "five";
  return l;
}

void ExpectSameFields(const CLayoutInfo& a, const CLayoutInfo& b) {
  EXPECT_EQ(a.Title, b.Title);
  EXPECT_EQ(a.LayoutID, b.LayoutID);
  EXPECT_EQ(a.MotoLayoutID, b.MotoLayoutID);
  EXPECT_EQ(a.PaperCodes, b.PaperCodes);
  EXPECT_EQ(a.Sheet, b.Sheet);
  EXPECT_EQ(a.Fields, b.Fields);
  EXPECT_EQ(a.FreeText, b.FreeText);
  EXPECT_EQ(a.Vertical, b.Vertical);
  EXPECT_EQ(a.ExcelName, b.ExcelName);
  EXPECT_EQ(a.Renzoku, b.Renzoku);
  EXPECT_EQ(a.FormGenre, b.FormGenre);
  EXPECT_EQ(a.ZipBoxes, b.ZipBoxes);
  EXPECT_EQ(a.Text5, b.Text5);
}

class LumaroFilesTest : public LumaroTest {
 protected:
  std::filesystem::path MainFile() const { return MyData() / "Lumaro.dat"; }

  void WriteSmallCatalogue() {
    WriteCatalogue({Path("宛名印刷", "シール", "ヒサゴ", {Layout(1001), Layout(1002)}),
                    Path("DM・案内状", "案内状", "標準", {Layout(4101)})});
  }
};

TEST_F(LumaroFilesTest, EveryLayoutFieldReadsBackAndTheVersionIsWrittenAsOne) {
  auto layout = std::make_shared<CLayoutInfo>(EveryField());
  layout->Version = 3;
  WriteCatalogue({Path("宛名印刷", "シール", "ヒサゴ", {layout})});

  CLumaro lumaro = Make();
  const auto read = lumaro.GetLayoutInfo(1001);
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->Version, 1);
  ExpectSameFields(*read, EveryField());
}

TEST_F(LumaroFilesTest, CopiesTakeEveryFieldButTheVersion) {
  CLayoutInfo newer;
  newer.Version = 2;
  newer = EveryField();
  EXPECT_EQ(newer.Version, 2);
  ExpectSameFields(newer, EveryField());

  CShoBunrui bottom("ヒサゴ");
  bottom.Add(std::make_shared<CLayoutInfo>(EveryField()));
  CShoBunrui copy("別");
  copy.Add(Layout(1));
  copy = bottom;
  EXPECT_EQ(copy.Name, "ヒサゴ");
  ASSERT_EQ(copy.Children.size(), 1u);
  EXPECT_NE(copy.Children[0], bottom.Children[0]);  // a copy, not the same layout
  ExpectSameFields(*copy.Children[0], EveryField());
}

TEST_F(LumaroFilesTest, ObjectsOfANewerWriterKeepOnlyTheirVersion) {
  HandWritten newerLayout("CLayoutInfo", [](settings::CArchive& ar) { ar.StoreInt32(2); });
  HandWritten layout("CLayoutInfo", [](settings::CArchive& ar) {
    ar.StoreInt32(1);
    ar.StoreString("ラベル");
    ar.StoreInt32(1001);  // layout ID
    ar.StoreInt32(0);     // base layout ID
    for (int i = 0; i < 4; ++i) ar.StoreString("");
    ar.StoreInt32(0);
    ar.StoreString("");
    for (int i = 0; i < 3; ++i) ar.StoreInt32(0);
    ar.StoreString("");
  });
  HandWritten sho("CShoBunrui", [&](settings::CArchive& ar) { StoreCategory(ar, "ヒサゴ", {&newerLayout, &layout}); });
  HandWritten chu("CChuBunrui", [&](settings::CArchive& ar) { StoreCategory(ar, "シール", {&sho}); });
  HandWritten newerDai("CDaiBunrui", [](settings::CArchive& ar) { ar.StoreInt32(2); });
  HandWritten dai("CDaiBunrui", [&](settings::CArchive& ar) { StoreCategory(ar, "宛名印刷", {&chu}); });
  testing_support::WriteBytes(MainFile(), ArrayBytes({&newerDai, &dai}));

  CLumaro lumaro = Make();
  ASSERT_EQ(lumaro.ReadMain(), 1);
  ASSERT_EQ(lumaro.GetIndex().size(), 2u);
  EXPECT_EQ(lumaro.GetIndex()[0]->Version, 2);
  EXPECT_EQ(lumaro.GetIndex()[0]->Name, "");
  EXPECT_THAT(lumaro.GetIndex()[0]->Children, IsEmpty());
  EXPECT_THAT(IDs(lumaro.GetIndex()), ElementsAre(0, 1001));
  EXPECT_EQ(lumaro.GetLayoutTitle(1001), "ラベル");
}

TEST_F(LumaroFilesTest, ObjectOfTheWrongClassOrANullEntryIsADamagedFile) {
  HandWritten layout("CLayoutInfo", [](settings::CArchive& ar) { ar.StoreInt32(2); });
  HandWritten layoutAsMiddle("CDaiBunrui", [&](settings::CArchive& ar) { StoreCategory(ar, "宛名印刷", {&layout}); });
  HandWritten nullChild("CDaiBunrui", [](settings::CArchive& ar) { StoreCategory(ar, "宛名印刷", {nullptr}); });
  CLumaro lumaro = Make();
  for (HandWritten* top : {&layoutAsMiddle, &nullChild}) {
    testing_support::WriteBytes(MainFile(), ArrayBytes({top}));
    EXPECT_EQ(lumaro.ReadMain(), 0);
    EXPECT_THAT(lumaro.GetIndex(), IsEmpty());
    EXPECT_THAT(lumaro.GetMainData(), IsEmpty());
  }
  EXPECT_THAT(Messages(), ElementsAre("ファイル操作中にエラーが起こりました。", "ファイル操作中にエラーが起こりました。"));
}

TEST_F(LumaroFilesTest, TruncatedCatalogueGivesTheFileErrorAndAnEmptyList) {
  WriteSmallCatalogue();
  const std::string whole = testing_support::ReadBytes(MainFile());
  ASSERT_GT(whole.size(), 40u);
  CLumaro lumaro = Make();
  for (std::size_t size = 0; size < whole.size(); ++size) {
    testing_support::WriteBytes(MainFile(), whole.substr(0, size));
    ASSERT_EQ(lumaro.ReadMain(), 0) << size;
    ASSERT_THAT(lumaro.GetIndex(), IsEmpty()) << size;
    ASSERT_THAT(Messages(), ElementsAre("ファイル操作中にエラーが起こりました。")) << size;
  }
}

TEST_F(LumaroFilesTest, GarbledCatalogueIsEitherReadOrRefusedWithTheFileError) {
  WriteSmallCatalogue();
  const std::string whole = testing_support::ReadBytes(MainFile());
  CLumaro lumaro = Make();
  for (std::size_t at = 0; at < whole.size(); ++at) {
    for (const unsigned char flip : {0x01, 0x80, 0xFF}) {
      std::string garbled = whole;
      garbled[at] = static_cast<char>(garbled[at] ^ flip);
      testing_support::WriteBytes(MainFile(), garbled);
      if (lumaro.ReadMain() == 1) {
        ASSERT_THAT(Messages(), IsEmpty()) << at;
        continue;
      }
      ASSERT_THAT(lumaro.GetIndex(), IsEmpty()) << at;
      ASSERT_THAT(Messages(), ElementsAre("ファイル操作中にエラーが起こりました。")) << at;
    }
  }
}

TEST_F(LumaroFilesTest, DamagedUserListIsReportedAndReadAsEmpty) {
  testing_support::WriteBytes(MyData() / "Original.dat", std::string("\x01\x00\x00\x00\xff\xff", 6));
  testing_support::WriteBytes(MyData() / "Custom.dat", "garbage");
  CLumaro lumaro = Make();
  EXPECT_EQ(lumaro.ReadPickUp(), 0);
  EXPECT_THAT(lumaro.GetPickUpData(), IsEmpty());
  EXPECT_EQ(lumaro.GetLayoutTitle(40000), "");
  EXPECT_EQ(lumaro.ReadCustom(), 0);
  EXPECT_THAT(Messages(), ElementsAre("ファイル操作中にエラーが起こりました。", "ファイル操作中にエラーが起こりました。",
                                      "ファイル操作中にエラーが起こりました。"));
}

TEST_F(LumaroFilesTest, CatalogueThatIsNotAFileCannotBeOpened) {
  std::filesystem::create_directory(MainFile());
  CLumaro lumaro = Make();
  EXPECT_EQ(lumaro.ReadMain(), 0);
  EXPECT_THAT(Messages(), ElementsAre("メインデータファイルを開けません。"));
}

TEST_F(LumaroFilesTest, BrokenDownloadFileLeavesTheCatalogueUsable) {
  WriteSmallCatalogue();
  testing_support::WriteBytes(MyData() / "DownLoad.dat", "xx");
  CLumaro lumaro = Make();
  EXPECT_EQ(lumaro.ReadMain(), 1);
  EXPECT_THAT(IDs(lumaro.GetIndex()), ElementsAre(1001, 1002, 4101));
  EXPECT_THAT(Messages(), ElementsAre("ファイル操作中にエラーが起こりました。"));
}

TEST_F(LumaroFilesTest, FileThatCannotBeCreatedIsReported) {
  std::filesystem::remove_all(MyData());
  CLumaro lumaro = Make();
  lumaro.GetPickUpData().push_back(Layout(40001));
  EXPECT_EQ(lumaro.WritePickUp(), 0);
  EXPECT_EQ(lumaro.SetCustom(Path("自作", "はがき", "手作り", {Layout(9001)})), 0);
  EXPECT_THAT(Messages(), ElementsAre("ファイルを作成できません", "ファイルを作成できません"));
}

TEST_F(LumaroFilesTest, FailedWriteLeavesTheOldFileWholeAndNoTemporaryFile) {
  {
    CLumaro lumaro = Make();
    lumaro.GetPickUpData().push_back(Layout(40001, "old"));
    ASSERT_EQ(lumaro.WritePickUp(), 1);
  }
  const std::string before = testing_support::ReadBytes(MyData() / "Original.dat");
  // A child whose files may not grow beyond 1 KiB: the write of a larger list fails half-way.
  const int result = testing_support::RunInChild([this] {
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 1024;
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
    CLumaro lumaro = Make();
    for (std::int32_t id = 40001; id < 40200; ++id) lumaro.GetPickUpData().push_back(Layout(id, std::string(40, 'x')));
    const int written = lumaro.WritePickUp();
    return written == 0 && Messages() == std::vector<std::string>{"ファイル操作中にエラーが起こりました。"} ? 0 : 1;
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(testing_support::ReadBytes(MyData() / "Original.dat"), before);
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(MyData())) names.push_back(entry.path().filename());
  EXPECT_THAT(names, ElementsAre("Original.dat"));
}

}  // namespace
}  // namespace lumaro::test
