// The DDV value of a game's hits and the treble recommended for it.
#include <gtest/gtest.h>

#include <QLocale>

#include "darts/DdvRules.h"

namespace {

// Band bounds belong to their band on both sides; from 12 hits on every value
// appears, each next one 0.1 lower, never rising.
TEST(DdvRules, Values) {
  const struct {
    int hits;
    const char* ddv;
  } cases[] = {{-1, ""},     {0, ""},      {11, ""},     {12, "3,0"},  {13, "2,9"},  {18, "2,4"}, {19, "2,4"},
               {31, "1,8"},  {32, "1,7"},  {34, "1,7"},  {35, "1,6"},  {36, "1,6"},  {37, "1,5"}, {117, "0,7"},
               {118, "0,6"}, {197, "0,3"}, {198, "0,2"}, {199, "0,2"}, {200, "0,1"}, {201, ""}};
  for (const auto& c : cases) EXPECT_EQ(darts::DdvText(c.hits), QString::fromUtf8(c.ddv)) << c.hits;
  int tenths = 31;
  for (int hits = darts::kDdvFewestHits; hits <= darts::kDdvDarts; ++hits) {
    EXPECT_EQ(darts::DdvPercent(hits) * 2.0f, static_cast<float>(hits)) << hits;
    const QString t = darts::DdvText(hits);
    ASSERT_TRUE(t.size() == 3 && t[1] == QChar(',')) << hits;
    const int v = t[0].digitValue() * 10 + t[2].digitValue();
    EXPECT_TRUE(v == tenths || v == tenths - 1) << hits << " " << t.toStdString();
    tenths = v;
  }
  EXPECT_EQ(tenths, 1);
}

// Unreadable values keep the previous recommendation; an empty one gives "???".
TEST(DdvRules, RecommendationByValue) {
  const struct {
    const char *ddv, *previous, *expected;
  } cases[] = {
      {"1,6", "", "T20"},    {"1,7", "", "T19"},     {"3,0", "", "T19"},    {"0,1", "", "T20"},
      {"", "T20", "???"},    {"   ", "T19", "???"},  {"3,1", "", "T7"},     {" 1,6 ", "", "T20"},
      {"1.7", "", "T19"},    {"1.6", "???", "T20"},  {"0,0", "T19", "T19"}, {"0,09", "???", "???"},
      {"abc", "T20", "T20"}, {"1,6x", "T19", "T19"}, {"1,7", "???", "T19"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(darts::DdvRecommendation(QString::fromUtf8(c.ddv), QString::fromUtf8(c.previous)),
              QString::fromUtf8(c.expected))
        << c.ddv;
}

// Every value a game can give: T20 from "1,6" (35 hits) on, T19 below; the
// user's locale plays no part.
TEST(DdvRules, RecommendationOfEveryGameValueUnderAnyLocale) {
  const QLocale saved;
  for (QLocale::Language language : {QLocale::Russian, QLocale::English, QLocale::German}) {
    QLocale::setDefault(QLocale(language));
    for (int hits = darts::kDdvFewestHits; hits <= darts::kDdvDarts; ++hits)
      EXPECT_EQ(darts::DdvRecommendation(darts::DdvText(hits), QString()), QString(hits >= 35 ? "T20" : "T19")) << hits;
  }
  QLocale::setDefault(saved);
}

}  // namespace
