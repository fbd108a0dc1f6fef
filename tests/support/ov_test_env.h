#pragma once

#include <QByteArray>
#include <QString>

// Paths the test runner hands over through the environment, and plain files.
namespace ov_test {
QString data_dir();    // tests/data in the source tree
QString corpus_dir();  // tests/data/corpus: third-party MP3 files, see MANIFEST.tsv
QString binary_dir();  // the build tree's top
QString orvantis_binary();

QString read_text(const QString& path);
// Writes the file, making its directory first.
bool write_file(const QString& path, const QByteArray& bytes = {});
// Bytes of noise, the same for the same seed.
QByteArray junk(qsizetype bytes, quint32 seed);
}  // namespace ov_test
