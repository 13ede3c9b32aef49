#pragma once
// Small dictionaries and phone books written into test folders.

#include <filesystem>
#include <string>
#include <vector>

#include "lookup/CMultiDB.h"
#include "lookup/PhoneRecords.h"
#include "lookup/PostalRecords.h"

namespace testing_support {

// A handful of real addresses of two cities in two prefectures, Tokyo listed first, with a
// repeated entry and one code in two prefectures.
std::vector<lookup::CPostalCandidate> SampleAddresses();
// Business receivers in the same cities.
std::vector<lookup::CPostalCandidate> SampleBusinesses();

// Writes Yubin.dic into postal and Hojin.dic into business from the samples (folders made).
void WriteSampleDictionaries(const std::filesystem::path& postal, const std::filesystem::path& business);
// Writes a phone book file (ZQTel.fnw unless named otherwise) into folder.
void WriteSampleBook(const std::filesystem::path& folder, const std::vector<lookup::CPhoneCandidate>& entries,
                     const char* name = "ZQTel.fnw");

// Sets a value of a dictionary's Meta table in place.
void SetDictionaryMeta(const std::filesystem::path& file, const std::string& key, const std::string& value);

}  // namespace testing_support
