#include "io/CImportOptionDlg.h"

namespace io {

CImportOptionDlg CImportOptionDlg::Format() {
  return CImportOptionDlg("データの取り込み",
                          "外部データを取り込みます。\n取り込むデータの形式を選択して【次へ】をクリックしてください。",
                          {"ACCESS（2002/2000/97）データ", "EXCEL（2002/2000/97）データ", "テキスト（*.csv/*.txt）データ", "ContactXML"},
                          "次へ >");
}

CImportOptionDlg CImportOptionDlg::XmlSource() {
  return CImportOptionDlg("XMLファイルの指定", "取り込むContactXMLファイルを指定してください。",
                          {"指定するフォルダにあるすべてのContactXML\nファイルを取り込む", "１つのファイルのみ指定する"}, "OK", 1);
}

CImportOptionDlg CImportOptionDlg::MirteSource() {
  return CImportOptionDlg("ミルテデータの取り込み",
                          "「ミルテ」のデータを取り込みます。\n取り込むデータを選択して【OK】をクリックしてください。",
                          {"得意先Excelブック", "得意先台帳ツール"}, "OK");
}

}  // namespace io
