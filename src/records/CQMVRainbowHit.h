#pragma once
// One result row of the seven-colour analysis: a customer and one 8-byte value, read as the
// analysis figure says (a count or a number of days in the first half, a date, or an amount).

#include <cstdint>
#include <cstring>

#include "records/COleDate.h"

namespace records {

class CQMVRainbowHit {
 public:
  friend bool operator==(const CQMVRainbowHit&, const CQMVRainbowHit&) = default;

  std::int32_t ID = 0;  // Customer.ID

  void SetCount(std::int32_t n) { SetHalf(n); }
  void SetDays(std::int32_t n) { SetHalf(n); }
  void SetDate(double oleDate) { std::memcpy(value_, &oleDate, 8); }
  void SetAmount(double amount) { std::memcpy(value_, &amount, 8); }

  std::int32_t Count() const { return Half(); }
  std::int32_t Days() const { return Half(); }
  COleDate Date() const { return COleDate(Whole()); }
  double Amount() const { return Whole(); }

 private:
  void SetHalf(std::int32_t n) {
    std::memset(value_, 0, 8);
    std::memcpy(value_, &n, 4);
  }
  std::int32_t Half() const {
    std::int32_t n;
    std::memcpy(&n, value_, 4);
    return n;
  }
  double Whole() const {
    double d;
    std::memcpy(&d, value_, 8);
    return d;
  }

  unsigned char value_[8] = {};
};

}  // namespace records
