#pragma once
// A fixture with a folder of its own for the files each test writes.

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "tests/imaging/test_pictures.h"

namespace lumetra::test {

class ScratchFiles : public testing::Test {
protected:
    QString Path(const QString& name) const { return dir_.filePath(name); }
    // Writes the bytes under the name and gives the file's path.
    QString Write(const QString& name, const QByteArray& bytes)
    {
        EXPECT_TRUE(WriteBytes(Path(name), bytes)) << name.toStdString();
        return Path(name);
    }

    QTemporaryDir dir_;
};

}  // namespace lumetra::test
