#pragma once
// Realistic customers for list tests and screenshots: Japanese names with their readings,
// addresses across the country, telephone numbers and ranks, varied by index.

#include <string>

#include "records/CKokyaku.h"
#include "text/Format.h"

namespace customers::test {

inline records::CKokyaku SampleCustomer(int i) {
  static const char* const kSurnames[][2] = {
      {"佐藤", "サトウ"}, {"鈴木", "スズキ"}, {"高橋", "タカハシ"}, {"田中", "タナカ"}, {"伊藤", "イトウ"},
      {"渡辺", "ワタナベ"}, {"山本", "ヤマモト"}, {"中村", "ナカムラ"}, {"小林", "コバヤシ"}, {"加藤", "カトウ"},
      {"吉田", "ヨシダ"}, {"山田", "ヤマダ"}, {"佐々木", "ササキ"}, {"松本", "マツモト"}, {"井上", "イノウエ"}};
  static const char* const kGiven[][2] = {
      {"太郎", "タロウ"}, {"花子", "ハナコ"}, {"健一", "ケンイチ"}, {"美咲", "ミサキ"}, {"翔太", "ショウタ"},
      {"陽子", "ヨウコ"}, {"大輔", "ダイスケ"}, {"真由美", "マユミ"}, {"隆", "タカシ"}, {"恵子", "ケイコ"}, {"Kenji", "ケンジ"}};
  static const char* const kPlaces[][3] = {
      {"100-0001", "東京都千代田区", "千代田１－１"}, {"530-0001", "大阪府大阪市北区", "梅田２－４－９"},
      {"460-0008", "愛知県名古屋市中区", "栄３－５－１２"}, {"060-0042", "北海道札幌市中央区", "大通西４丁目"},
      {"812-0011", "福岡県福岡市博多区", "博多駅前２－１"}, {"980-0021", "宮城県仙台市青葉区", "中央１－３－１"},
      {"730-0011", "広島県広島市中区", "基町６－７８"}, {"900-0015", "沖縄県那覇市", "久茂地１－１－１"}};
  static const char* const kRanks[] = {"VIP", "特A", "A", "B", "C", ""};
  const auto& surname = kSurnames[i % 15];
  const auto& given = kGiven[(i / 15) % 11];
  const auto& place = kPlaces[i % 8];
  records::CKokyaku k;
  k.CustomerID = text::Format("K%d", 10000 + i);
  k.Name = std::string(surname[0]) + "　" + given[0];
  k.Yomi = std::string(surname[1]) + " " + given[1];
  k.Suffix = "様";
  k.Sex = i % 2;
  k.Zip_Home = place[0];
  k.Add1_Home = place[1];
  k.Add2_Home = place[2];
  k.TEL_Home = text::Format("0%d-%d-%d", 3 + i % 6, 1000 + i % 9000, 2000 + (i * 7) % 8000);
  k.ImportantRanking = kRanks[(i / 4 + i) % 6];
  k.ColorMark = i % 10 == 0 ? 0x0099FF : 0xFFFFFF;  // ゴールド now and then, else none
  if ((i / 2) % 3 == 0) k.CompName = text::Format("株式会社%s商事", surname[0]);
  return k;
}

}  // namespace customers::test
