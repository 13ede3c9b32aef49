#include "dm/DMHitChart.h"

#include <cmath>
#include <cstdio>

#include "text/Format.h"

namespace dm {

namespace {

// A point at radius fraction of r from the centre, angle radians clockwise from twelve o'clock.
ChartPoint OnRadius(double cx, double cy, double r, double angle) {
  return {static_cast<int>(std::lround(cx + r * std::sin(angle))), static_cast<int>(std::lround(cy - r * std::cos(angle)))};
}

}  // namespace

HitChart PlanHitChart(int left, int top, int side, ChartPoint captionAt, int hits, int recipients) {
  HitChart chart;
  chart.left = left;
  chart.top = top;
  chart.side = side;
  chart.rate = hits > 0 && recipients > 0 ? static_cast<double>(hits) / recipients * 100.0 : 0.0;
  chart.theta = chart.rate * kRadiansPerPercent;
  chart.green = chart.rate != 0;
  chart.radiusOnly = chart.rate == 0 || chart.rate == 100;
  const double r = side / 2.0, cx = left + r, cy = top + r;
  chart.edge = OnRadius(cx, cy, r, chart.theta);
  char rate[32];
  std::snprintf(rate, sizeof rate, "%.2f", chart.rate);
  chart.caption = std::string("DMヒット率 : ") + rate + "％";
  chart.captionAt = captionAt;
  if (hits > 0) chart.hitLabel = ChartLabel{text::Format("%d件", hits), OnRadius(cx, cy, r / 2, chart.theta / 2)};
  if (recipients - hits > 0) {
    const double whiteMiddle = chart.theta + (2 * M_PI - chart.theta) / 2;
    chart.missLabel = ChartLabel{text::Format("%d件", recipients - hits), OnRadius(cx, cy, r / 2, whiteMiddle)};
  }
  return chart;
}

}  // namespace dm
