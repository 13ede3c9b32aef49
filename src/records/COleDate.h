#pragma once
// The one date type of the program, modelled on the OLE date: days since 1899-12-30 as a double
// (the fraction is the time of day) plus a status. Stored in the database as REAL; null is NULL.

#include <optional>
#include <string>
#include <string_view>

namespace records {

struct CivilTime {
  int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0;
};

class COleDate {
 public:
  enum class Status { Valid, Null, Invalid };

  // A null date: "not set".
  COleDate() = default;
  explicit COleDate(double days) : value_(days), status_(Status::Valid) {}

  static COleDate Null() { return {}; }
  static COleDate Invalid();
  // Years 100 to 9999 as OLE dates allow; anything else (or a day that does not exist) is invalid.
  static COleDate FromCivil(const CivilTime& t);
  static COleDate FromCivil(int year, int month, int day) { return FromCivil(CivilTime{year, month, day}); }
  // The local time now, to the second.
  static COleDate Now();
  // A date the user typed, in any spelling text::ReadDate reads (Western or era, full-width or
  // not), optionally followed by " h:mm" or " h:mm:ss". Null when it is not a date in range.
  static std::optional<COleDate> Parse(std::string_view text);

  Status GetStatus() const { return status_; }
  bool IsValid() const { return status_ == Status::Valid; }
  bool IsNull() const { return status_ == Status::Null; }
  // The day count; meaningful only when valid.
  double Value() const { return value_; }
  CivilTime ToCivil() const;
  // The date without its time of day.
  COleDate DateOnly() const;

  // "%Y/%m/%d"; empty unless valid.
  std::string Format() const;
  // "%Y/%m/%d %H:%M"; empty unless valid.
  std::string FormatWithTime() const;

  friend bool operator==(const COleDate&, const COleDate&) = default;

 private:
  double value_ = 0;
  Status status_ = Status::Null;
};

}  // namespace records
