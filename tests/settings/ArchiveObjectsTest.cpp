#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "settings/ArchiveError.h"
#include "settings/CArchive.h"
#include "settings/ArchiveTestSupport.h"

namespace settings::test {
namespace {

using Kind = ArchiveError::Kind;
using Elems = std::vector<std::shared_ptr<TestComboElem>>;

const std::string kComboClassRecord =
    Bytes({0xFF, 0xFF, 0x01, 0x00, 0x0D, 0x00}) + "CQMVComboElem";

Kind LoadErrorKind(const std::string& bytes) {
  try {
    Load(bytes, [](CArchive& ar) { ar.LoadObjects<CSerializable>(); });
  } catch (const ArchiveError& e) {
    return e.GetKind();
  }
  ADD_FAILURE() << "loaded without error";
  return Kind::EndOfFile;
}

TEST(ArchiveObjects, CollectionNamesItsClassOnceThenByIndex) {
  const Elems elems{std::make_shared<TestComboElem>("abc", 5), std::make_shared<TestComboElem>("de", -1)};
  const std::string bytes = Store([&](CArchive& ar) { ar.StoreObjects(elems); });
  EXPECT_EQ(bytes, Bytes({0x02, 0x00}) + kComboClassRecord + Bytes({0x03, 'a', 'b', 'c', 0x05, 0, 0, 0}) +
                       Bytes({0x01, 0x80, 0x02, 'd', 'e', 0xFF, 0xFF, 0xFF, 0xFF}));
  Elems read;
  Load(bytes, [&](CArchive& ar) {
    read = ar.LoadObjects<TestComboElem>();
    EXPECT_TRUE(ar.IsAtEnd());
  });
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0]->text, "abc");
  EXPECT_EQ(read[0]->number, 5);
  EXPECT_EQ(read[1]->text, "de");
  EXPECT_EQ(read[1]->number, -1);
}

TEST(ArchiveObjects, EmptyCollectionIsTwoZeroBytes) {
  const std::string bytes = Store([](CArchive& ar) { ar.StoreObjects(Elems{}); });
  EXPECT_EQ(bytes, Bytes({0x00, 0x00}));
  Load(bytes, [](CArchive& ar) { EXPECT_TRUE(ar.LoadObjects<TestComboElem>().empty()); });
}

TEST(ArchiveObjects, ObjectWrittenAgainIsItsIndexAndReadsBackAsTheSameObject) {
  auto group = std::make_shared<TestGroup>();
  auto a = std::make_shared<TestComboElem>("a", 1);
  auto b = std::make_shared<TestComboElem>("b", 2);
  group->children = {a, b, a, nullptr};
  const std::string bytes = Store([&](CArchive& ar) { ar.StoreObject(group.get()); });
  // group: class 1, object 2; a: class 3, object 4; b: object 5
  const std::string expected = Bytes({0xFF, 0xFF, 0x01, 0x00, 0x0A, 0x00}) + "CTestGroup" + Bytes({0x04, 0x00}) +
                               kComboClassRecord + Bytes({0x01, 'a', 1, 0, 0, 0}) +
                               Bytes({0x03, 0x80, 0x01, 'b', 2, 0, 0, 0}) + Bytes({0x04, 0x00, 0x00, 0x00});
  EXPECT_EQ(bytes, expected);
  std::shared_ptr<TestGroup> read;
  Load(bytes, [&](CArchive& ar) { read = ar.LoadObject<TestGroup>(); });
  ASSERT_NE(read, nullptr);
  ASSERT_EQ(read->children.size(), 4u);
  EXPECT_EQ(read->children[0], read->children[2]);
  EXPECT_NE(read->children[0], read->children[1]);
  EXPECT_EQ(read->children[3], nullptr);
  EXPECT_EQ(std::dynamic_pointer_cast<TestComboElem>(read->children[1])->text, "b");
}

TEST(ArchiveObjects, ClassRecordsThatDoNotHoldAreFormatErrors) {
  const std::string fields = Bytes({0x03, 'a', 'b', 'c', 0x05, 0, 0, 0});
  auto withRecord = [&](std::uint16_t schema, const std::string& name) {
    return Bytes({0x01, 0x00, 0xFF, 0xFF, static_cast<unsigned char>(schema), 0x00,
                  static_cast<unsigned char>(name.size()), 0x00}) +
           name + fields;
  };
  EXPECT_EQ(LoadErrorKind(withRecord(2, "CQMVComboElem")), Kind::BadSchema);
  EXPECT_EQ(LoadErrorKind(withRecord(1, "CQMVComboElen")), Kind::BadClass);
  EXPECT_EQ(LoadErrorKind(withRecord(1, std::string(64, 'C'))), Kind::BadClass);
  EXPECT_EQ(LoadErrorKind(Bytes({0x01, 0x00, 0x05, 0x00})), Kind::BadFormat);  // no object 5
  EXPECT_EQ(LoadErrorKind(Bytes({0x01, 0x00, 0x01, 0x80})), Kind::BadFormat);  // no class 1
  EXPECT_EQ(LoadErrorKind(Bytes({0x01, 0x00, 0xFF, 0x7F, 0x09, 0x00, 0x00, 0x80})), Kind::BadFormat);
  // the second element names the first element's object where a class index belongs
  EXPECT_EQ(LoadErrorKind(Bytes({0x02, 0x00}) + withRecord(1, "CQMVComboElem").substr(2) + Bytes({0x02, 0x80})),
            Kind::BadFormat);
}

TEST(ArchiveObjects, NameOf63BytesIsTheLongestAccepted) {
  CClassRegistry classes;
  classes.Register(std::string(63, 'C'), 1, []() -> std::shared_ptr<CSerializable> {
    return std::make_shared<TestGroup>();
  });
  const std::string bytes = Bytes({0xFF, 0xFF, 0x01, 0x00, 63, 0x00}) + std::string(63, 'C') + Bytes({0, 0});
  CMemoryStream stream(bytes);
  CArchive ar(stream, CArchive::Mode::Load, classes);
  EXPECT_NE(ar.LoadObject(), nullptr);
  EXPECT_THROW(classes.Register(std::string(64, 'D'), 1, nullptr), std::logic_error);
}

TEST(ArchiveObjects, ObjectOfAnotherClassThanExpectedIsRejected) {
  const std::string bytes = Store([](CArchive& ar) {
    TestGroup group;
    ar.StoreCount(1);
    ar.StoreObject(&group);
  });
  try {
    Load(bytes, [](CArchive& ar) { ar.LoadObjects<TestComboElem>(); });
    FAIL() << "a group was taken for a choice entry";
  } catch (const ArchiveError& e) {
    EXPECT_EQ(e.GetKind(), Kind::BadClass);
  }
}

TEST(ArchiveObjects, ObjectReferringToItselfIsRejectedRatherThanLeaked) {
  // a group whose only child is the group itself (object 2)
  const std::string bytes =
      Bytes({0xFF, 0xFF, 0x01, 0x00, 0x0A, 0x00}) + "CTestGroup" + Bytes({0x01, 0x00, 0x02, 0x00});
  try {
    Load(bytes, [](CArchive& ar) { ar.LoadObject(); });
    FAIL() << "a cycle was built";
  } catch (const ArchiveError& e) {
    EXPECT_EQ(e.GetKind(), Kind::BadFormat);
  }
}

TEST(ArchiveObjects, NestingBeyondAnySettingsFileIsRejected) {
  auto nested = [](int depth) {
    auto top = std::make_shared<TestGroup>();
    TestGroup* g = top.get();
    for (int i = 1; i < depth; ++i) {
      auto child = std::make_shared<TestGroup>();
      g->children.push_back(child);
      g = child.get();
    }
    return Store([&](CArchive& ar) { ar.StoreObject(top.get()); });
  };
  Load(nested(64), [](CArchive& ar) { EXPECT_NE(ar.LoadObject(), nullptr); });
  EXPECT_THROW(Load(nested(65), [](CArchive& ar) { ar.LoadObject(); }), ArchiveError);
}

// More than 0x7FFF objects: an index of 0x7FFF or more is the escape 0x7FFF and a 32-bit value.
TEST(ArchiveObjects, ObjectIndicesFrom0x7FFFTakeTheEscape) {
  TestGroup top;                  // class 1, object 2
  constexpr int kElems = 0x8000;  // class 3, objects 4 .. 0x8003
  for (int i = 0; i < kElems; ++i) top.children.push_back(std::make_shared<TestComboElem>("", i));
  top.children.push_back(std::make_shared<TestGroup>());  // object 0x8004 of class 1
  top.children.push_back(top.children[0x7FFB]);            // object 0x7FFF
  top.children.push_back(top.children[0x7FFC]);            // object 0x8000
  top.children.push_back(top.children[0]);                 // object 4
  const std::string bytes = Store([&](CArchive& ar) { ar.StoreObject(&top); });

  const std::string tail = Bytes({0x01, 0x80, 0x00, 0x00,                // a group, class 1, no children
                                  0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x00,    // object 0x7FFF
                                  0xFF, 0x7F, 0x00, 0x80, 0x00, 0x00,    // object 0x8000
                                  0x04, 0x00});                          // object 4
  EXPECT_EQ(bytes.substr(bytes.size() - tail.size()), tail);

  std::shared_ptr<TestGroup> read;
  Load(bytes, [&](CArchive& ar) { read = ar.LoadObject<TestGroup>(); });
  ASSERT_EQ(read->children.size(), static_cast<std::size_t>(kElems + 4));
  EXPECT_EQ(read->children[kElems + 1], read->children[0x7FFB]);
  EXPECT_EQ(read->children[kElems + 2], read->children[0x7FFC]);
  EXPECT_EQ(read->children[kElems + 3], read->children[0]);
  EXPECT_EQ(std::dynamic_pointer_cast<TestComboElem>(read->children[0x7FFC])->number, 0x7FFC);
}

TEST(ArchiveObjects, ClassFirstWrittenAt0x7FFFIsReferredToInTheLongClassForm) {
  CMemoryStream stream;
  CArchive ar(stream, CArchive::Mode::Store);
  std::vector<TestComboElem> elems(0x7FFD);  // class 1, objects 2 .. 0x7FFE
  for (auto& e : elems) ar.StoreObject(&e);
  TestGroup first, second;  // class 0x7FFF, objects 0x8000 and 0x8001
  ar.StoreObject(&first);
  ar.StoreObject(&second);
  ar.StoreObject(&first);
  ar.Close();
  const std::string tail = Bytes({0xFF, 0xFF, 0x01, 0x00, 0x0A, 0x00}) + "CTestGroup" + Bytes({0, 0}) +
                           Bytes({0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x80, 0x00, 0x00}) +
                           Bytes({0xFF, 0x7F, 0x00, 0x80, 0x00, 0x00});
  const std::string& bytes = stream.Bytes();
  ASSERT_GE(bytes.size(), tail.size());
  EXPECT_EQ(bytes.substr(bytes.size() - tail.size()), tail);
  Load(bytes, [](CArchive& in) {
    for (int i = 0; i < 0x7FFD; ++i) ASSERT_NE(in.LoadObject<TestComboElem>(), nullptr);
    const auto a = in.LoadObject<TestGroup>();
    const auto b = in.LoadObject<TestGroup>();
    EXPECT_NE(a, b);
    EXPECT_EQ(in.LoadObject<TestGroup>(), a);
    EXPECT_TRUE(in.IsAtEnd());
  });
}

}  // namespace
}  // namespace settings::test
