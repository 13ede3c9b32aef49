#pragma once
// The DM hit-rate chart under the title list: a disc whose green sector, clockwise from twelve
// o'clock, shows the recipients who responded, the rest painted white over it, with the rate as
// text and each part's count inside it. Worked out here in form pixels; the view only paints it.

#include <optional>
#include <string>

namespace dm {

struct ChartPoint {
  int x = 0, y = 0;
  friend bool operator==(const ChartPoint&, const ChartPoint&) = default;
};

struct ChartLabel {
  std::string text;  // "%d件"
  ChartPoint centre;
};

struct HitChart {
  int left = 0, top = 0, side = 0;  // the disc's square
  double rate = 0;                  // hits ÷ recipients × 100; 0 when either is 0
  double theta = 0;                 // the green sector in radians, clockwise from twelve o'clock
  bool green = false;               // the disc is light green (white when the rate is 0)
  bool radiusOnly = false;          // rate 0 or 100: a radius from the top to the centre, no white pie
  ChartPoint edge;                  // where the green sector ends on the circle
  std::string caption;              // "DMヒット率 : 75.00％"
  ChartPoint captionAt;
  std::optional<ChartLabel> hitLabel, missLabel;
};

// The angle the sector is drawn over, per percent: 0.0628 rather than 2π ÷ 100, so a full hit rate
// stops just short of closing the circle.
inline constexpr double kRadiansPerPercent = 0.0628;

// The chart in the square at (left, top) of side pixels, its caption at captionAt.
HitChart PlanHitChart(int left, int top, int side, ChartPoint captionAt, int hits, int recipients);

}  // namespace dm
