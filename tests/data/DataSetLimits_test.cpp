// The data set over files no rebuild leaves: huge counts, no write access, no folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

#include "data/DataSet.h"
#include "support/CaseName.h"
#include "support/TestFiles.h"
#include "support/TestText.h"

namespace mirabo {

namespace {

class DataSetLimits : public ::testing::Test {
 protected:
  QString File(const char* name) const { return folder.File(QString::fromLatin1(name)); }
  TempFolder folder;
  DataSet data;
};

struct HugeCase {
  const char* name;
  const char* file;
  qint64 recordLength;
};

void PrintTo(const HugeCase& c, std::ostream* os) { *os << c.name; }

class DataSetHugeCounts : public DataSetLimits, public ::testing::WithParamInterface<HugeCase> {};

TEST_P(DataSetHugeCounts, OneRecordOverAMillionMakesTheSetDamagedAndClosed) {
  for (const char* name : kDataFiles) WriteBytes(File(name), "");
  WriteBytes(File("fuken.DAT"), QByteArray(18 * 3, ' '));
  const qint64 size = GetParam().recordLength * 1000001;
  ASSERT_TRUE(QFile::resize(File(GetParam().file), size));  // sparse: no disk space taken
  data.OpenDataFiles(folder.Path());
  EXPECT_TRUE(data.Damaged());
  EXPECT_EQ(data.PrefCount, 0);
  EXPECT_EQ(data.CityCount, 0);
  EXPECT_EQ(data.EntryCount, 0);
  EXPECT_EQ(data.IndexCount, 0);
  EXPECT_FALSE(data.PrefFile.IsOpen());
  EXPECT_FALSE(data.ReadPref(1));
  EXPECT_FALSE(data.CanSaveSelection());
  EXPECT_EQ(QFileInfo(File(GetParam().file)).size(), size);
}

INSTANTIATE_TEST_SUITE_P(Files, DataSetHugeCounts,
                         ::testing::Values(HugeCase{"Prefectures", "fuken.DAT", 18}, HugeCase{"Cities", "city.DAT", 38},
                                           HugeCase{"Entries", "ubinno.dat", 130}, HugeCase{"Index", "ubinind.dat", 14}),
                         CaseName());

TEST_F(DataSetLimits, AMillionRecordsAreStillAccepted) {
  WriteBytes(File("fuken.DAT"), "");
  ASSERT_TRUE(QFile::resize(File("fuken.DAT"), qint64(18) * 1000000 + 17));
  data.OpenDataFiles(folder.Path());
  EXPECT_FALSE(data.Damaged());
  EXPECT_EQ(data.PrefCount, 1000000);
}

TEST_F(DataSetLimits, OpeningAgainAfterARepairClearsTheDamage) {
  WriteBytes(File("ubinno.dat"), "");
  ASSERT_TRUE(QFile::resize(File("ubinno.dat"), qint64(130) * 2000000));
  data.OpenDataFiles(folder.Path());
  ASSERT_TRUE(data.Damaged());
  ASSERT_TRUE(QFile::resize(File("ubinno.dat"), 130 * 2));
  data.OpenDataFiles(folder.Path());
  EXPECT_FALSE(data.Damaged());
  EXPECT_EQ(data.EntryCount, 2);
}

TEST_F(DataSetLimits, OpeningWithoutCreatingLeavesMissingFilesMissing) {
  WriteBytes(File("city.DAT"), QByteArray(38, ' '));
  data.OpenDataFiles(folder.Path(), false);
  EXPECT_EQ(QDir(folder.Path()).entryList(QDir::Files), QStringList{"city.DAT"});
  EXPECT_EQ(data.CityCount, 1);
  EXPECT_EQ(data.PrefCount, 0);
  EXPECT_FALSE(data.PrefFile.IsOpen());
}

TEST_F(DataSetLimits, EmptyFolderPathOpensNothingAndCreatesNothingInTheWorkingDirectory) {
  const QString before = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(folder.Path()));
  data.OpenDataFiles(QString());
  QDir::setCurrent(before);
  EXPECT_EQ(QDir(folder.Path()).entryList(QDir::Files), QStringList());
  EXPECT_FALSE(data.PrefFile.IsOpen());
  EXPECT_FALSE(data.Damaged());
}

TEST_F(DataSetLimits, ReadOnlyFilesAreReadButNotWritten) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes whatever the permissions say";
  WriteBytes(File("fuken.DAT"), QByteArray(18 * 48, ' '));
  WriteBytes(File("ubinno.dat"), QByteArray(130, 'e'));
  for (const char* name : {"fuken.DAT", "ubinno.dat"})
    ASSERT_TRUE(QFile::setPermissions(File(name), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
  data.OpenDataFiles(folder.Path());
  EXPECT_EQ(data.PrefCount, 48);
  EXPECT_EQ(data.EntryCount, 1);
  EXPECT_FALSE(data.CanSaveSelection());
  EXPECT_TRUE(data.ReadPref(48));
  EXPECT_FALSE(data.WritePref(48));
  EXPECT_EQ(ReadBytes(File("fuken.DAT")), QByteArray(18 * 48, ' '));
}

struct SelectionCase {
  const char* name;
  QByteArray nameBytes;
  bool selection;
};

void PrintTo(const SelectionCase& c, std::ostream* os) { *os << c.name; }

class SavedSelectionName : public ::testing::TestWithParam<SelectionCase> {};

TEST_P(SavedSelectionName, OnlyTheClosingRecordsNameMarksTheSelection) {
  QByteArray bytes = GetParam().nameBytes + QByteArray(8, '\0');
  EXPECT_EQ(IsSavedSelection(PrefRecord::Decode(bytes.constData())), GetParam().selection);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SavedSelectionName,
    ::testing::Values(SelectionCase{"FourWideSpacesAndTwoSpaces", Hex("81 40 81 40 81 40 81 40 20 20"), true},
                      SelectionCase{"Prefecture", Hex("8C A7 34 38 20 20 20 20 20 20"), false},  // 県48
                      SelectionCase{"NeverWritten", Hex("00 00 00 00 00 00 00 00 00 00"), false},
                      SelectionCase{"ThreeWideSpaces", Hex("81 40 81 40 81 40 20 20 20 20"), false},
                      SelectionCase{"AllSpaces", Hex("20 20 20 20 20 20 20 20 20 20"), false}),
    CaseName());

}  // namespace

}  // namespace mirabo
