// Replays every input of a target's checked-in corpus (KRT_FUZZ_CORPUS) through its fuzz entry
// point, so inputs that once broke a parser stay tested with any compiler (and under the
// sanitizers in CI).

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

TEST(FuzzCorpus, EveryInputIsAnsweredWithoutHarm) {
    const QDir corpus(QStringLiteral(KRT_FUZZ_CORPUS));
    const QStringList inputs = corpus.entryList(QDir::Files, QDir::Name);
    ASSERT_FALSE(inputs.isEmpty()) << "no corpus in " << corpus.path().toStdString();
    for (const QString& name : inputs) {
        QFile file(corpus.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray bytes = file.readAll();
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                         static_cast<size_t>(bytes.size())),
                  0);
    }
}
