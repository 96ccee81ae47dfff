// Constants of the spreadsheet's automation interface that the model accepts.
#pragma once

namespace automation {

constexpr int xlCenter = -4108;
constexpr int xlNone = -4142;
constexpr int xlAutomatic = -4105;
constexpr int xlLeft = -4131;
constexpr int xlRight = -4152;
constexpr int xlTop = -4160;
constexpr int xlBottom = -4107;
constexpr int xlJustify = -4130;
constexpr int xlDistributed = -4117;
constexpr int xlGeneral = 1;
constexpr int xlFill = 5;
constexpr int xlCenterAcrossSelection = 7;

constexpr int xlContinuous = 1;
constexpr int xlDash = -4115;
constexpr int xlDashDot = 4;
constexpr int xlDashDotDot = 5;
constexpr int xlDot = -4118;
constexpr int xlDouble = -4119;
constexpr int xlSlantDashDot = 13;

constexpr int xlPortrait = 1;
constexpr int xlLandscape = 2;

constexpr int xlHairline = 1;
constexpr int xlThin = 2;
constexpr int xlMedium = -4138;
constexpr int xlThick = 4;

}  // namespace automation
