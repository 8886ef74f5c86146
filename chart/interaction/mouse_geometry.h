#pragma once
// Where the pointer is, for the chart's mouse handling: the chart area and its clamping, and the
// bands beside the chart area where the scales of the layers are hit and dragged.
//
// All tests take any int coordinate (a captured mouse reports points far outside the control,
// up to +-(2^31 - 1)) and compute in 64 bits, so nothing overflows.

#include <cstdint>

#include "chart/model/chart_frame.h"
#include "platform/geometry.h"

namespace nox::detail {

// ML <= x <= W - MR - SW and MT <= y <= H - MB - SW, all bounds inclusive.
bool InChartArea(const TChartFrame& frame, int x, int y);
// x raised to ML, then lowered to W - MR - SW (so a chart area without width gives its right edge).
int ClampXToChartArea(const TChartFrame& frame, int x);
// y raised to MT, then lowered to H - MB - SW.
int ClampYToChartArea(const TChartFrame& frame, int y);

// The edge of the chart area a scale runs along.
enum TScaleEdge : std::uint8_t { seLeft, seRight, seTop, seBottom };

// Whether (x, y) hits the band of a scale at that edge, scalePos pixels away from the chart area
// (outwards). Vertical scales: a band 50 pixels deep, MT < y < H - MB. Horizontal scales: 40 pixels
// deep, ML < x < W - MR. The shadow is not counted. Bounds are exclusive.
bool InScaleHitBand(const TChartFrame& frame, TScaleEdge edge, int scalePos, int x, int y);
// The same for a scale that is being dragged: the bands are 50 pixels deep on all four sides.
bool InScaleDragBand(const TChartFrame& frame, TScaleEdge edge, int scalePos, int x, int y);

}  // namespace nox::detail
