// The swap journal's text: written whole, and anything else taken for a torn one.
#include <gtest/gtest.h>

#include "support/CaseName.h"
#include "support/TestText.h"
#include "update/store/SwapPaths.h"

namespace mirabo {

namespace {

TEST(SwapJournal, NamesEachFileAndWhetherItsOldVersionIsKept) {
  EXPECT_EQ(EncodeJournal({true, true, false, true}),
            "mirabo data-file swap 1\n"
            "fuken.DAT old\n"
            "city.DAT old\n"
            "ubinno.dat none\n"
            "ubinind.dat old\n"
            "end\n");
}

TEST(SwapJournal, WholeTextReadsBack) {
  const std::optional<OldFilesKept> kept = DecodeJournal(
      "mirabo data-file swap 1\nfuken.DAT none\ncity.DAT old\nubinno.dat old\nubinind.dat none\nend\n");
  ASSERT_TRUE(kept.has_value());
  EXPECT_EQ(*kept, (OldFilesKept{false, true, true, false}));
}

using namespace std::string_literals;  // "..."s keeps zero bytes

struct Torn {
  const char* name;
  std::string text;
};
void PrintTo(const Torn& c, std::ostream* os) { *os << c.name; }

class TornJournal : public ::testing::TestWithParam<Torn> {};

TEST_P(TornJournal, IsNotAJournal) { EXPECT_FALSE(DecodeJournal(GetParam().text).has_value()); }

INSTANTIATE_TEST_SUITE_P(
    Cases, TornJournal,
    ::testing::Values(
        Torn{"Empty", ""s},
        Torn{"HeaderOnly", "mirabo data-file swap 1\n"s},
        Torn{"CutMidLine", "mirabo data-file swap 1\nfuken.DAT old\ncity.DAT ol"s},
        Torn{"NoEndLine", "mirabo data-file swap 1\nfuken.DAT old\ncity.DAT old\nubinno.dat old\nubinind.dat old\n"s},
        Torn{"EndCut", "mirabo data-file swap 1\nfuken.DAT old\ncity.DAT old\nubinno.dat old\nubinind.dat old\nen"s},
        Torn{"OtherVersion", "mirabo data-file swap 2\nfuken.DAT old\ncity.DAT old\nubinno.dat old\nubinind.dat old\nend\n"s},
        Torn{"FilesInOtherOrder", "mirabo data-file swap 1\ncity.DAT old\nfuken.DAT old\nubinno.dat old\nubinind.dat old\nend\n"s},
        Torn{"UnknownState", "mirabo data-file swap 1\nfuken.DAT kept\ncity.DAT old\nubinno.dat old\nubinind.dat old\nend\n"s},
        Torn{"ZeroBytesAfterEnd",  // a file extended by a power cut without its data
             "mirabo data-file swap 1\nfuken.DAT old\ncity.DAT old\nubinno.dat old\nubinind.dat old\nend\n\0\0\0"s},
        Torn{"AllZeroBytes", "\0\0\0\0\0\0\0\0"s}),
    CaseName());

}  // namespace

}  // namespace mirabo
