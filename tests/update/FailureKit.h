// Checks an update step's failure by its kind and the details its message names.
// The sentences themselves are written out once, in failure_message_test.
#pragma once

#include <gtest/gtest.h>

#include <optional>

#include <QDir>
#include <QString>

#include "update/UpdateStatus.h"

namespace mirabo {

// What a failure should hold; a detail left empty is not compared.
struct ExpectedFailure {
  UpdateStatus::Kind kind;
  std::optional<QString> file{};
  std::optional<QString> member{};
  std::optional<QString> folder{};  // compared as absolute paths
  std::optional<qint64> line{};
  std::optional<qint64> number{};
  std::optional<QString> reason{};
};

inline ::testing::AssertionResult FailsAs(const UpdateStatus& actual, const ExpectedFailure& expected) {
  const auto absolute = [](const QString& path) { return QDir::cleanPath(QDir(path).absolutePath()); };
  const bool same = actual.kind == expected.kind && (!expected.file || actual.file == *expected.file) &&
                    (!expected.member || actual.member == *expected.member) &&
                    (!expected.folder || absolute(actual.folder) == absolute(*expected.folder)) &&
                    (!expected.line || actual.line == *expected.line) &&
                    (!expected.number || actual.number == *expected.number) &&
                    (!expected.reason || actual.reason == *expected.reason);
  if (same) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "kind " << actual.kind << " (expected " << expected.kind
                                       << "): " << FailureMessage(actual).toStdString();
}

}  // namespace mirabo
