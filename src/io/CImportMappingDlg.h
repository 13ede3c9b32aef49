#pragma once
// "項目の対応付け": the person maps the file's columns onto customer columns. The left list holds the
// customer columns not yet mapped, the right list one line per file column with what is mapped to
// it and the first values. "完了" checks the mapping and asks about a missing name or address.

#include <string>
#include <string_view>
#include <vector>

#include "io/ImportConvert.h"
#include "io/ImportTable.h"
#include "ui/Ui.h"

namespace io {

enum class ImportFormat { Access = 0, Excel = 1, Text = 2, ContactXml = 3 };

class CImportMappingDlg : public ui::CDialogModel {
 public:
  static constexpr const char* kTitle = "項目の対応付け";
  static constexpr const char* kPrompt = "『顧客 ソレル』の顧客データベースの項目と、読み込むデータを対応付けます。\n";
  static constexpr const char* kNoCustomerColumn = "対応づける列名を選択してください";
  static constexpr const char* kNoFileColumn = "対応づけるデータを選択してください";
  static constexpr const char* kAlreadyMapped =
      "選択したデータはすでに対応づけをおこなっています。\n対応づけを変更するにはいったん対応づけを解除してください。";
  static constexpr const char* kNothingToUnmap = "対応づけを解除するデータを選択してください";
  static constexpr const char* kNoMapping =
      "ひとつも対応づけがされていません。\nデータを読み込むには最低１つのデータを対応づける必要があります。";
  static constexpr const char* kNoName = "項目<%s>も<%s>も対応づけされていません。\nこのまま処理を進めてもよろしいですか？";
  static constexpr const char* kAddressOnly =
      "項目<住所１>の対応づけを行いましたが<住所２>と<住所３>は対応づけされていません。\n<住所１>は20バイトまでしか登録できませんが、このまま処理を進めてもよろしいですか？";
  static constexpr const char* kNoNameAndAddressOnly =
      "項目<%s>も<%s>も対応づけされていません。\nまた、項目<住所１>の対応づけを行いましたが<住所２>と<住所３>は対応づけされていません。\n<住所１>は20バイトまでしか登録できませんが、このまま処理を進めてもよろしいですか？";
  static constexpr const char* kFirstRowNote = "※１行目が項目名などで読み込みが不要な場合はチェックをはずします";

  // A customer column the dialog offers: its name and the label the column definitions give it.
  struct Column {
    std::string key;
    std::string label;
  };
  // One line of the right list: the label mapped to the file column (or empty), then two values.
  struct Line {
    std::string mapped;
    std::string first;
    std::string second;
  };

  // rows: the reader's table (header row and data rows); offered: the importable customer
  // columns in the order of the column definitions.
  CImportMappingDlg(ui::Ui& ui, ImportFormat format, const ImportTable& rows, std::vector<Column> offered);
  std::string Title() const override { return kTitle; }

  // The captions of the right list's three columns.
  std::vector<std::string> LineHeaders() const;
  const std::vector<Column>& Available() const { return available_; }
  std::vector<Line> Lines() const;
  int AvailableSelection() const { return availableSelection_; }
  int LineSelection() const { return lineSelection_; }
  void SelectAvailable(int row);
  void SelectLine(int row);
  // The rule of the selected customer column, for "読み込めるデータについて".
  std::string Note() const;

  bool FromFirstRow() const { return fromFirstRow_; }
  bool FromFirstRowEnabled() const { return format_ != ImportFormat::Access; }
  void SetFromFirstRow(bool on) {
    if (FromFirstRowEnabled()) fromFirstRow_ = on;
  }

  void OnMap();     // 対応づける →
  void OnUnmap();   // 解除する ←
  void OnFinish();  // 完了

  // Starts from a mapping (the last one used for such a file, or the captions matched): each
  // customer column it names that is offered and still free is mapped to its file column.
  void Apply(const ImportMapping& mapping);
  // Maps the file columns whose caption (the Access column name, else the first row) equals a
  // customer column's label or name, ignoring width and spaces. True when any did; for Excel and
  // text the caption row is then not read.
  bool MapByCaptions();

  // What the dialog ended with: for each file column (1...) the customer column, or empty.
  const ImportMapping& Mapping() const { return mapping_; }

 private:
  const Column* Offered(std::string_view key) const;
  std::string LabelOf(std::string_view key) const;
  bool IsMapped(std::string_view key) const;
  void MapColumn(std::size_t fileColumn, const std::string& key);
  void RefillAvailable();
  std::string Cell(std::size_t row, std::size_t column) const;

  ui::Ui& ui_;
  ImportFormat format_;
  const ImportTable& rows_;
  std::vector<Column> offered_;
  std::vector<Column> available_;
  ImportMapping mapping_;
  int availableSelection_ = -1;
  int lineSelection_ = -1;
  bool fromFirstRow_;
};

}  // namespace io
