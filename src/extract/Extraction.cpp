#include "extract/Extraction.h"

#include <memory>

#include "extract/CExtractDlg.h"
#include "extract/ExtractDialogs.h"
#include "settings/CDefKokyaku.h"
#include "shell/CTovanaDoc.h"

namespace extract {

bool RunExtractionDialog(ui::Ui& ui, shell::CTovanaDoc& doc, const std::filesystem::path& install, int form,
                         std::int32_t resultPreset) {
  CExtractDlg dialog(ui, doc, install, form, resultPreset);
  dialog.Open();
  return ui.Run(dialog);
}

bool ExtractForHistoryList(ui::Ui& ui, shell::CTovanaDoc& doc, const std::filesystem::path& install) {
  return RunExtractionDialog(ui, doc, install, CExtractDlg::kGeneral, settings::CExCondition::kHistory);
}

bool RedoHistoryExtraction(ui::Ui& ui, shell::CTovanaDoc& doc, const std::filesystem::path& install) {
  return RunExtractionDialog(ui, doc, install, CExtractDlg::kHistoryOnly, settings::CExCondition::kHistory);
}

bool SaveConditionDialog(ui::Ui& ui, const std::filesystem::path& dataFolder, settings::CExCondition* condition) {
  if (!condition) {
    ui.Tell("条件が不正です。保存できません。");
    return false;
  }
  CExtractSaveDlg dialog(ui, dataFolder, *condition);
  return ui.Run(dialog) && dialog.Saved();
}

bool SaveCurrentExtraction(ui::Ui& ui, shell::CTovanaDoc& doc) {
  if (doc.IsReadOnly()) {
    ui.Tell("データベースは読取専用です。\n抽出条件の保存はできません。");
    return false;
  }
  settings::CExCondition* current = doc.CurrentExtraction();
  if (!SaveConditionDialog(ui, doc.DataFolder(), current)) return false;
  doc.SetExtraction(std::make_unique<settings::CExCondition>(*current), true);
  return true;
}

bool AskToSaveExtraction(ui::Ui& ui, shell::CTovanaDoc& doc) {
  if (!doc.CurrentExtraction() || doc.IsReadOnly() || doc.IsExtractionSaved()) return true;
  if (!ui.Ask("抽出した条件は保存されていません。保存しますか？")) return true;
  return SaveCurrentExtraction(ui, doc);
}

void SetPreExtraction(ui::Ui& ui, shell::CTovanaDoc* doc, const std::filesystem::path& install) {
  if (!doc) return ui.Tell("この操作を行うことはできません");
  ui.Tell("この機能は、顧客画面を表示する際、あらかじめ設定した条件にしたがって抽出した顧客データだけを一覧表示するものです。\n"
          "顧客データが増えて一覧表示に時間がかかる場合などにご利用ください。\n\n"
          "次に表示される画面で条件を指定し、通常表示する条件として設定してください。",
          ui::Icon::Information);
  settings::CDefKokyaku pre(ui, doc->DataFolder());
  if (pre.Exists()) {
    if (std::unique_ptr<settings::CExCondition> stored = pre.Load()) doc->SetExtraction(std::move(stored), true);
  }
  RunExtractionDialog(ui, *doc, install, CExtractDlg::kPreExtraction);
  doc->ClearExtraction();
}

}  // namespace extract
