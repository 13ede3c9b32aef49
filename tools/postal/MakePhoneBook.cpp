// Builds a phone book (ZQTel.fnw, or a difference file ZQTelDiff.fnw) from a list the user
// supplies: comma-separated, UTF-8 or CP932, columns telephone, postal code, name, prefecture,
// city, town, block (see lookup/PhoneBookCsv.h).
//   tovana_make_phonebook LIST.CSV ZQTel.fnw
// Exits with 1, leaving any existing book as it was, when the list cannot be read or is empty.

#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "lookup/CFnw.h"
#include "lookup/PhoneBookCsv.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: tovana_make_phonebook LIST.CSV ZQTel.fnw\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::cerr << "cannot read " << argv[1] << "\n";
    return 1;
  }
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const lookup::CPhoneBookReadResult list = lookup::ReadPhoneBookCsv(bytes);
  if (list.skippedLines > 0) std::cerr << "skipped " << list.skippedLines << " lines without a telephone number\n";
  if (list.entries.empty()) {
    std::cerr << argv[1] << " holds no entry\n";
    return 1;
  }
  std::string error;
  if (!lookup::WritePhoneBook(argv[2], list.entries, error)) {
    std::cerr << error << "\n";
    return 1;
  }
  std::cout << argv[2] << ": " << list.entries.size() << " entries\n";
  return 0;
}
