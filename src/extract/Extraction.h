#pragma once
// The extraction commands the screens call: the extraction dialog in each of its forms, the save
// prompt before leaving a list, saving the current extraction, and setting the pre-extraction.
// What a confirmed dialog leaves in the document: the current extraction (a copy of the dialog's
// condition) with its saved flag, and for a customer result ExtractedIds(), for a history result
// History() replaced by the extracted entries; the caller reads the result type to choose the list.

#include <cstdint>
#include <filesystem>

#include "settings/CExCondition.h"
#include "ui/Ui.h"

namespace shell {
class CTovanaDoc;
}

namespace extract {

// "抽出" in form (CExtractDlg::Form) with the result type preset for the general form. True when
// it closed with OK, the document then holding the new extraction; false leaves it unchanged.
bool RunExtractionDialog(ui::Ui& ui, shell::CTovanaDoc& doc, const std::filesystem::path& install, int form,
                         std::int32_t resultPreset = settings::CExCondition::kCustomers);

// The history list's "抽出..." and the menu screen's "抽出して表示する": the general form with
// "履歴一覧" preset. True when the document's extraction changed (read its result type).
bool ExtractForHistoryList(ui::Ui& ui, shell::CTovanaDoc& doc, const std::filesystem::path& install);
// The history list's "抽出のやり直し...": the history-only form, starting from the current extraction.
bool RedoHistoryExtraction(ui::Ui& ui, shell::CTovanaDoc& doc, const std::filesystem::path& install);

// "抽出条件の保存" for condition (null: "条件が不正です。保存できません。"). True when it saved.
bool SaveConditionDialog(ui::Ui& ui, const std::filesystem::path& dataFolder, settings::CExCondition* condition);
// The lists' "抽出条件の保存..." command: refused while read-only; true when it saved (the
// extraction is then marked saved).
bool SaveCurrentExtraction(ui::Ui& ui, shell::CTovanaDoc& doc);
// The save prompt before leaving a list, a new extraction, the analysis or exit: true to go on,
// false when the user chose to save and then cancelled (the action is dropped).
bool AskToSaveExtraction(ui::Ui& ui, shell::CTovanaDoc& doc);

// The Settings pop-up's "顧客一覧の事前抽出の設定..." (doc null: "この操作を行うことはできません").
// Afterwards the document holds no extraction, whatever happened.
void SetPreExtraction(ui::Ui& ui, shell::CTovanaDoc* doc, const std::filesystem::path& install);

}  // namespace extract
