// The reading of a name taken from what the input method composed, and the furigana fields that
// show it in half-width katakana.
#include "customers/NameReading.h"

#include <gtest/gtest.h>

#include "customers/CKokyakuForm.h"

namespace customers {
namespace {

TEST(NameReading, TheKanaBeforeEachConversionAreTheReading) {
  NameReading reading;
  for (const char* typed : {"や", "やm", "やま", "やまd", "やまだ"}) reading.OnComposition(typed, "");
  reading.OnComposition("山田", "");  // converted: the kana stay the reading
  reading.OnComposition("", "山田");
  EXPECT_EQ(reading.Reading(), "やまだ");
  reading.OnComposition("たろう", "");
  reading.OnComposition("太郎", "");
  reading.OnComposition("", "太郎");
  EXPECT_EQ(reading.Reading(), "やまだたろう");
}

TEST(NameReading, PartsHandedOverOneByOneAreReadOnce) {
  NameReading reading;
  reading.OnComposition("すずきいちろう", "");
  reading.OnComposition("鈴木一郎", "");
  reading.OnComposition("いちろう", "鈴木");  // the first part handed over, the rest still kana
  reading.OnComposition("一郎", "");
  reading.OnComposition("", "一郎");
  EXPECT_EQ(reading.Reading(), "すずきいちろう");
}

TEST(NameReading, KanaHandedOverAsTheyAreAndCancelledCompositions) {
  NameReading reading;
  reading.OnComposition("", "サトウ");  // typed in katakana and handed over unconverted
  reading.OnComposition("はなこ", "");
  reading.OnComposition("", "");  // the person cancelled the composition
  reading.OnComposition("", "　");
  reading.OnComposition("", "A");  // not kana, and nothing was composed: no reading
  EXPECT_EQ(reading.Reading(), "サトウ　");
  reading.Clear();
  EXPECT_EQ(reading.Reading(), "");
}

TEST(FuriganaForm, TheNamesReadingFillsAnEmptyFuriganaUntilThePersonWritesTheirOwn) {
  CKokyakuForm form;
  form.Show({});
  EXPECT_EQ(CKokyakuForm::FuriganaOf("Name"), "Yomi");
  EXPECT_EQ(CKokyakuForm::FuriganaOf("CompName"), "CompYomi");
  EXPECT_EQ(CKokyakuForm::FuriganaOf("Yomi"), "");

  form.OnNameComposition("Name", "やまだ", "");
  EXPECT_EQ(form.Text("Yomi"), "") << "nothing is handed over yet";
  EXPECT_TRUE(form.OnNameComposition("Name", "", "山田"));
  form.SetText("Name", "山田");
  EXPECT_EQ(form.Text("Yomi"), "ﾔﾏﾀﾞ");
  form.OnNameComposition("Name", "　たろう", "");
  EXPECT_TRUE(form.OnNameComposition("Name", "", "　太郎"));
  EXPECT_EQ(form.Text("Yomi"), "ﾔﾏﾀﾞ ﾀﾛｳ");

  // The company name has its own reading, into its own furigana.
  form.OnNameComposition("CompName", "あおばしょうじ", "");
  EXPECT_TRUE(form.OnNameComposition("CompName", "", "青葉商事"));
  EXPECT_EQ(form.Text("CompYomi"), "ｱｵﾊﾞｼｮｳｼﾞ");
  EXPECT_EQ(form.Text("Yomi"), "ﾔﾏﾀﾞ ﾀﾛｳ");

  // A furigana the person changed is theirs.
  form.SetText("Yomi", "ﾔﾏﾀﾞ ﾀﾛｰ");
  form.OnNameComposition("Name", "さん", "");
  EXPECT_FALSE(form.OnNameComposition("Name", "", "さん"));
  EXPECT_EQ(form.Text("Yomi"), "ﾔﾏﾀﾞ ﾀﾛｰ");
}

TEST(FuriganaForm, AStoredFuriganaIsNeverReplacedAndANameTypedAnewIsReadAnew) {
  CKokyakuForm form;
  records::CKokyaku stored;
  stored.Name = "佐藤";
  stored.Yomi = "サトウ";  // full width, as an import may have left it
  form.Show(stored);
  form.OnNameComposition("Name", "はなこ", "");
  EXPECT_FALSE(form.OnNameComposition("Name", "", "花子"));
  EXPECT_EQ(form.Text("Yomi"), "サトウ");

  form.Show({});
  form.OnNameComposition("Name", "", "すずき");
  EXPECT_EQ(form.Text("Yomi"), "ｽｽﾞｷ");
  form.SetText("Name", "");  // the person cleared the name and types another
  form.OnNameComposition("Name", "", "たなか");
  EXPECT_EQ(form.Text("Yomi"), "ﾀﾅｶ") << "the filled reading follows the new name";
}

TEST(FuriganaForm, KanaTypedIntoAFuriganaBecomeHalfWidthWhenItIsLeft) {
  CKokyakuForm form;
  records::CKokyaku stored;
  stored.CompYomi = "アオバ";
  form.Show(stored);

  form.OnFuriganaEntered("Yomi");
  form.SetText("Yomi", "やまだ　タロウ");
  EXPECT_TRUE(form.OnFuriganaLeft("Yomi"));
  EXPECT_EQ(form.Text("Yomi"), "ﾔﾏﾀﾞ ﾀﾛｳ");

  // Passing through a stored reading without typing leaves it as it is.
  form.OnFuriganaEntered("CompYomi");
  EXPECT_FALSE(form.OnFuriganaLeft("CompYomi"));
  EXPECT_EQ(form.Text("CompYomi"), "アオバ");
  form.OnFuriganaEntered("CompYomi");
  form.SetText("CompYomi", "アオバ　しょうじ");
  EXPECT_TRUE(form.OnFuriganaLeft("CompYomi"));
  EXPECT_EQ(form.Text("CompYomi"), "ｱｵﾊﾞ ｼｮｳｼﾞ");
  EXPECT_FALSE(form.OnFuriganaLeft("Name")) << "only furigana fields";

  CKokyakuForm viewOnly(true);
  viewOnly.Show(stored);
  viewOnly.OnFuriganaEntered("CompYomi");
  viewOnly.SetText("CompYomi", "あ");
  EXPECT_FALSE(viewOnly.OnFuriganaLeft("CompYomi"));
  EXPECT_FALSE(viewOnly.OnNameComposition("Name", "", "あ"));
}

}  // namespace
}  // namespace customers
