#pragma once
// What the menu screen needs of the form catalogue: the names of its first four top categories,
// the forms under each, and the user's original forms. The catalogue library implements it; tests
// give their own.

#include <string>
#include <vector>

namespace app {

struct FormRow {
  std::string name;   // フォーム名
  std::string maker;  // メーカー名
  std::string code;   // 品番など
  int id = 0;         // the layout's identifier
  int previewId = 0;  // the identifier whose preview picture shows it (the base form of an original)
  int genre = 1;      // the layout's form genre (0: no customer data, opened in the form program)
  int topCategory = -1;  // the catalogue's top category (0 to 3) holding it, or an original's base form
};

class CFormSource {
 public:
  virtual ~CFormSource() = default;
  // Reads the catalogue; false when it cannot be read (the lists are then empty).
  virtual bool Read() = 0;
  // The titles of the first four top categories, in catalogue order (fewer when it has fewer).
  virtual std::vector<std::string> TopCategories() const = 0;
  // The forms of top category tab (0 to 3) in catalogue order, or the original forms (tab 4).
  virtual std::vector<FormRow> Forms(int tab) const = 0;
  // Reads the original forms again (another program may have changed them).
  virtual void ReloadOriginals() = 0;
  bool HasOriginals() const { return !Forms(4).empty(); }
};

}  // namespace app
