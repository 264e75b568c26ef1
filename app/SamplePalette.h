#pragma once

#include "drawctl/DrawingControlClass.h"

#include <array>
#include <cstdint>

// The caption and the nine sample objects that the main window puts on the
// drawing: one of each kind the person can draw, side by side, each with
// its own fill colour and its name in the object tag "x".

inline constexpr int kSampleCount = 9;

// The name of sample i (0 to 8), whose kind is i + 1.
inline constexpr std::array<const char*, kSampleCount> kSampleNames = {
    "a line",  "a rectangle", "a rounded rectangle", "an ellipse", "an arc",
    "a sector", "a chord",    "a polyline",          "a polygon"};

// The box of sample i in logical units: 70 wide and 300 high, 20 apart.
inline constexpr std::int32_t SampleLeft(int i) { return 100 + 90 * i; }
inline constexpr std::int32_t SampleRight(int i) { return 170 + 90 * i; }
inline constexpr std::int32_t kSampleTop = 100;
inline constexpr std::int32_t kSampleBottom = 400;

// The fill colour of sample i (0x00BBGGRR): red from bit 0 of i, green
// from bit 1, blue from i DIV 4 times 255 held in the byte
// colourComponent, so that the ninth sample's blue is 254.
std::int32_t SampleFillColor(int i, std::uint8_t& colourComponent);

// Puts the caption and the samples on the drawing through the wrapper and
// registers the event callback of the control in window's drawing slot,
// after which the control's events reach the main window. points and
// colourComponent are the main window's scratch point list and colour byte.
void SetUpDrawing(container::ContainerWindow& window, PointQueue& points, std::uint8_t& colourComponent);
