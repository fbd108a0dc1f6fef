#pragma once

#include <QString>

// Paths the test runner hands over through the environment.
namespace ov_test {
QString data_dir();    // tests/data in the source tree
QString corpus_dir();  // tests/data/corpus: third-party MP3 files, see MANIFEST.tsv
QString binary_dir();  // the build tree's top
QString orvantis_binary();
}  // namespace ov_test
