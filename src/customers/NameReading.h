#pragma once
// The reading of a name as the person types it through the input method: the kana composed before
// each conversion, in the order the parts were handed over. "やまだ" converted and handed over as
// "山田", then "たろう" as "太郎", reads "やまだたろう".

#include <string>
#include <string_view>

namespace customers {

class NameReading {
 public:
  // One input-method event of the name field: preedit is the composition shown now (kana before
  // conversion, kanji after), commit the text handed over to the field.
  void OnComposition(std::string_view preedit, std::string_view commit);
  // The reading gathered so far, as typed (hiragana or katakana).
  const std::string& Reading() const { return reading_; }
  void Clear();

 private:
  std::string pending_;  // the last composition that was all kana
  std::string reading_;
};

}  // namespace customers
