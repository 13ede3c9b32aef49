#pragma once
// Japanese ordering of texts, as a person reading a customer list expects it: kana by the
// syllabary, Latin letters regardless of case and of full or half width.

#include <string>
#include <string_view>
#include <vector>

namespace text {

// A byte string whose plain byte order is that ordering; equal keys for texts that differ only in
// case or width. Cheap to compare, so a list sorts on keys made once per row.
std::string JapaneseSortKey(std::string_view utf8);

// The keys of many texts, in their order, exactly as JapaneseSortKey makes them; a long list is
// keyed on every core (up to four), each with a collator of its own.
std::vector<std::string> JapaneseSortKeys(const std::vector<std::string_view>& texts);

}  // namespace text
