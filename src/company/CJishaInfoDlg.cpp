#include "company/CJishaInfoDlg.h"

#include <utility>

#include "platform/DurableFile.h"
#include "platform/InstallLayout.h"
#include "settings/ArchiveError.h"
#include "settings/CArchive.h"
#include "settings/CMemoryStream.h"
#include "settings/CSettingsFile.h"
#include "settings/FileError.h"

namespace company {

namespace {

constexpr std::size_t Index(JishaBox box) { return static_cast<std::size_t>(box); }

// The boxes of a number: the postal code's two, the telephone's and the fax's three.
constexpr JishaBox kZipBoxes[] = {JishaBox::Zip1, JishaBox::Zip2};
constexpr JishaBox kTelBoxes[] = {JishaBox::Tel1, JishaBox::Tel2, JishaBox::Tel3};
constexpr JishaBox kFaxBoxes[] = {JishaBox::Fax1, JishaBox::Fax2, JishaBox::Fax3};

template <std::size_t N>
std::string Join(const JishaSet& set, const JishaBox (&boxes)[N]) {
  bool any = false;
  for (JishaBox b : boxes) any = any || !set[Index(b)].empty();
  if (!any) return {};
  std::string joined;
  for (std::size_t i = 0; i < N; ++i) joined += (i ? "-" : "") + set[Index(boxes[i])];
  return joined;
}

std::string DigitsOnly(std::string_view text, std::size_t maxLength) {
  std::string digits;
  for (char c : text) {
    if (c >= '0' && c <= '9' && digits.size() < maxLength) digits += c;
  }
  return digits;
}

template <std::size_t N>
void Split(JishaSet& set, std::string_view value, const JishaBox (&boxes)[N]) {
  for (std::size_t i = 0; i < N; ++i) {
    const std::size_t dash = i + 1 < N ? value.find('-') : std::string_view::npos;
    set[Index(boxes[i])] = DigitsOnly(value.substr(0, dash), CJishaInfoDlg::MaxLength(boxes[i]));
    value = dash == std::string_view::npos ? std::string_view() : value.substr(dash + 1);
  }
}

std::string WithoutHyphens(std::string text) {
  std::erase(text, '-');
  return text;
}

}  // namespace

JishaValues ComposeJishaValues(const JishaSet& set) {
  return {set[Index(JishaBox::Company)], set[Index(JishaBox::Department)], set[Index(JishaBox::Person)],
          Join(set, kZipBoxes),          set[Index(JishaBox::Address)],    Join(set, kTelBoxes),
          Join(set, kFaxBoxes),          set[Index(JishaBox::Bank)],       set[Index(JishaBox::CatchPhrase)]};
}

JishaSet SplitJishaValues(const JishaValues& values) {
  JishaSet set;
  set[Index(JishaBox::Company)] = values[0];
  set[Index(JishaBox::Department)] = values[1];
  set[Index(JishaBox::Person)] = values[2];
  Split(set, values[3], kZipBoxes);
  set[Index(JishaBox::Address)] = values[4];
  Split(set, values[5], kTelBoxes);
  Split(set, values[6], kFaxBoxes);
  set[Index(JishaBox::Bank)] = values[7];
  set[Index(JishaBox::CatchPhrase)] = values[8];
  return set;
}

std::vector<AutoText> JishaAutoTexts(const JishaValues& values) {
  std::vector<AutoText> files;
  for (std::size_t i = 0; i < kJishaValueCount; ++i) files.emplace_back(CJishaInfoDlg::kFiles[i], values[i]);
  const std::string& zip = values[3];
  files.emplace_back("TATEZIP.AUT", VerticalNumber(zip));
  files.emplace_back("ZIP.AUT", WithoutHyphens(zip));
  files.emplace_back("ZENZIP.AUT", FullWidthNumber(WithoutHyphens(zip)));
  files.emplace_back("TATEADD.AUT", VerticalAddress(values[4]));
  files.emplace_back("TATETEL.AUT", VerticalNumber(values[5]));
  files.emplace_back("TELNOHIFN.AUT", WithoutHyphens(values[5]));
  files.emplace_back("TATEFAX.AUT", VerticalNumber(values[6]));
  return files;
}

CJishaInfoDlg::CJishaInfoDlg(ui::Ui& ui, std::filesystem::path install) : ui_(ui), install_(std::move(install)) {}

void CJishaInfoDlg::Open() {
  JishaValues values;
  const std::filesystem::path folder = AutoTextFolder(install_);
  for (std::size_t i = 0; i < kJishaValueCount; ++i) values[i] = ReadAutoText(folder, kFiles[i]).value_or("");
  sets_[0] = SplitJishaValues(values);
  LoadOtherSets();
  const std::filesystem::path marker = platform::FirstRunMarkerFile(install_);
  std::error_code ec;
  if (std::filesystem::exists(marker, ec)) {
    std::string ignored;
    platform::RemoveIfPresent(marker, ignored);
    centredOnScreen_ = true;
  }
}

std::filesystem::path CJishaInfoDlg::SetsFile() const { return platform::MyDataFolder(install_) / kSetsFile; }

// JishaInfo.dat: the sets after the first, each as an array of its nine values. A missing or
// damaged file gives empty sets; the next OK writes it whole.
void CJishaInfoDlg::LoadOtherSets() {
  std::vector<std::vector<std::string>> loaded;
  try {
    settings::CSettingsFile::Load(SetsFile(), [&loaded](settings::CArchive& ar) {
      const std::uint32_t count = ar.LoadCount();
      for (std::uint32_t i = 0; i < count && i + 1 < kSetCount; ++i) loaded.push_back(ar.LoadStrings());
    });
  } catch (const settings::FileError&) {
    return;
  } catch (const settings::ArchiveError&) {
    return;
  }
  for (std::size_t i = 0; i < loaded.size(); ++i) {
    JishaValues values;
    for (std::size_t v = 0; v < kJishaValueCount && v < loaded[i].size(); ++v) values[v] = loaded[i][v];
    sets_[i + 1] = SplitJishaValues(values);
  }
}

std::string CJishaInfoDlg::EncodeOtherSets() const {
  settings::CMemoryStream stream;
  settings::CArchive ar(stream, settings::CArchive::Mode::Store);
  ar.StoreCount(kSetCount - 1);
  for (int i = 1; i < kSetCount; ++i) {
    const JishaValues values = ComposeJishaValues(sets_[i]);
    ar.StoreStrings(std::vector<std::string>(values.begin(), values.end()));
  }
  ar.Close();
  return stream.Bytes();
}

std::string CJishaInfoDlg::SetName(int set) {
  static constexpr const char* kDigits[] = {"０", "１", "２", "３", "４", "５"};
  return std::string("使用者") + kDigits[set + 1];
}

void CJishaInfoDlg::ShowSet(int set) {
  if (set >= 0 && set < kSetCount) shown_ = set;
}

void CJishaInfoDlg::OnMakeFirst() {
  std::swap(sets_[0], sets_[shown_]);
  shown_ = 0;
}

bool CJishaInfoDlg::IsDigitBox(JishaBox box) { return MaxLength(box) != 0; }

std::size_t CJishaInfoDlg::MaxLength(JishaBox box) {
  switch (box) {
    case JishaBox::Zip1: return 3;
    case JishaBox::Tel1:
    case JishaBox::Fax1: return 5;  // the longest area code
    case JishaBox::Zip2:
    case JishaBox::Tel2:
    case JishaBox::Tel3:
    case JishaBox::Fax2:
    case JishaBox::Fax3: return 4;
    default: return 0;
  }
}

void CJishaInfoDlg::SetText(JishaBox box, std::string text) {
  sets_[shown_][Index(box)] = IsDigitBox(box) ? DigitsOnly(text, MaxLength(box)) : std::move(text);
}

void CJishaInfoDlg::OnOK() {
  const std::filesystem::path folder = AutoTextFolder(install_);
  std::vector<platform::FileBytes> files;
  for (const auto& [name, value] : JishaAutoTexts(ComposeJishaValues(sets_[0]))) {
    files.emplace_back(folder / name, EncodeAutoText(value));
  }
  files.emplace_back(SetsFile(), EncodeOtherSets());
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  std::string error;
  if (!platform::WriteFilesDurably(files, error)) return ui_.Tell(kSaveFailed);
  EndDialog(true);
}

bool EditJishaInfo(ui::Ui& ui, const std::filesystem::path& install) {
  CJishaInfoDlg dialog(ui, install);
  dialog.Open();
  return ui.Run(dialog);
}

void AskJishaInfoOnFirstRun(ui::Ui& ui, const std::filesystem::path& install) {
  std::error_code ec;
  if (std::filesystem::exists(platform::FirstRunMarkerFile(install), ec)) EditJishaInfo(ui, install);
}

}  // namespace company
