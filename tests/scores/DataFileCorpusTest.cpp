// The fuzzing corpus, replayed in every build: each file must read as ten sound rows.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "DataFileInvariants.h"

namespace {

TEST(DataFileCorpus, EveryFileReadsAsTenRowsThatSaveUnchanged) {
    const QDir corpus(TESSARO_DATAFILE_CORPUS);
    const QStringList files = corpus.entryList(QDir::Files);
    ASSERT_GE(files.size(), 5);
    for (const QString& name : files) {
        QFile file(corpus.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray bytes = file.readAll();
        EXPECT_EQ(datafile_invariants::decodeFault(bytes), "") << name.toStdString();
        EXPECT_EQ(datafile_invariants::encodeFault(bytes), "") << name.toStdString();
    }
}

}  // namespace
