// The start's second thread: the font configuration it loads is the one Qt then uses.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>

#include <fontconfig/fontconfig.h>

#include "data/Cp932Codec.h"
#include "window/StartupWarmup.h"

namespace mirabo {

namespace {

// Before any QApplication, as the program does it; so this test has a process of its own.
TEST(StartupWarmup, QtKeepsTheFontConfigurationLoadedBesideIt) {
  StartupWarmup warmup;
  warmup.Wait();
  warmup.Wait();  // a second wait returns at once
  FcConfig* const loaded = FcConfigGetCurrent();
  ASSERT_NE(loaded, nullptr);

  int argc = 1;
  char name[] = "startup_warmup_test";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  // Qt reads the font list and resolves a face: were it to load a configuration of its
  // own, the work done beside its start would be lost.
  EXPECT_TRUE(QFontDatabase::families().contains(QStringLiteral("IPAGothic")));
  EXPECT_EQ(QFontInfo(QFont(QStringLiteral("IPAGothic"), 9)).family(), QStringLiteral("IPAGothic"));
  EXPECT_EQ(FcConfigGetCurrent(), loaded);
  EXPECT_NO_THROW(cp932::Require());
}

}  // namespace

}  // namespace mirabo
