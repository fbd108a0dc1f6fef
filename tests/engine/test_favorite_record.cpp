#include "ov_engine_test_db.h"
#include "ov_favorite_engine.h"

#include <QtTest>

#include <memory>

using namespace ov_engine_test;

class test_favorite_record : public QObject {
  Q_OBJECT

private slots:
  void empty_file_gives_defaults_and_stores_them();
  void round_trip_through_the_file();
  void stored_texts_read_back_with_seed_and_key_word();
  void unusable_records_data();
  void unusable_records();
  void loaded_values_data();
  void loaded_values();
  void handle_that_is_not_open();
};

void test_favorite_record::empty_file_gives_defaults_and_stores_them() {
  engine_db f;
  QVERIFY(f.db->is_ok());
  QCOMPARE(f.row_count(), 0);
  {
    ov_favorite_engine engine(f.db.get(), seed);
    QCOMPARE(engine.pending_messages(),
             QStringList("Favorite Engine failed to load its data from DB file.  It loaded default data.  Please check "
                         "db file and consider to replace it from backup dir if you did not expect this situation."));
    QVERIFY(engine.load_ok());
    QCOMPARE(engine.grade()->index, 0);
    QCOMPARE(engine.experience(), 0);
    QCOMPARE(engine.skills().count(), 0);
    QCOMPARE(engine.skills().capacity(), 1);
    QCOMPARE(engine.score_multiplier(), 1);
    QCOMPARE(engine.time_left(), 60);
  }
  QCOMPARE(f.row_count(), 1);
  QCOMPARE(f.stored_plain(), (QStringList{"0", "0", ""}));
  ov_favorite_engine again(f.db.get(), seed);
  QVERIFY(again.pending_messages().isEmpty());
}

void test_favorite_record::round_trip_through_the_file() {
  engine_db f;
  {
    ov_favorite_engine engine(f.db.get(), seed);
    engine.add_experience(10);
    engine.upgrade();
    engine.add_experience(37);
    engine.set_skills(skill_set({14, 4, 0}, 2));
  }
  f.reopen();  // a fresh connection reads what was written to the file
  ov_favorite_engine engine(f.db.get(), seed);
  QVERIFY(engine.pending_messages().isEmpty());
  QCOMPARE(engine.grade()->index, 1);
  QCOMPARE(engine.experience(), 37);
  QCOMPARE(ids_of(engine.skills()), (QList<int>{0, 14, 4}));
  // Loading gives the set the grade's capacity (Iron: 2), whatever was chosen.
  QCOMPARE(engine.skills().capacity(), 2);
  QCOMPARE(engine.click_capacity(), 4);
  QCOMPARE(f.row_count(), 1);
}

void test_favorite_record::stored_texts_read_back_with_seed_and_key_word() {
  engine_db f;
  QVERIFY(f.write_plain("3", "250", "5 8"));
  {
    ov_favorite_engine engine(f.db.get(), seed);
    engine.add_experience(1);
  }
  // The stored layout itself: test_field_codec.
  const QStringList stored = f.stored();
  QCOMPARE(stored.size(), 3);
  const QString word = ov_favorite_record::key_word();
  QCOMPARE(decode_field(seed, stored[0], word), QString("3"));
  QCOMPARE(decode_field(seed, stored[1], word), QString("251"));
  QCOMPARE(decode_field(seed, stored[2], word), QString("5 8"));
}

void test_favorite_record::unusable_records_data() {
  QTest::addColumn<QStringList>("stored");  // enciphered texts, or plain texts prefixed "plain:"
  const QString w = ov_favorite_record::key_word();
  const QString good1 = encode_field(seed, "4", w), good2 = encode_field(seed, "20", w);
  QString tampered = good1;
  tampered[40] = tampered[40] == QLatin1Char('a') ? QLatin1Char('b') : QLatin1Char('a');
  QTest::newRow("one digit changed") << QStringList{tampered, good2, encode_field(seed, "", w)};
  QTest::newRow("another seed") << QStringList{encode_field("x" + seed.mid(1), "4", w), good2, QString()};
  QTest::newRow("another key word") << QStringList{encode_field(seed, "4", "wrongkeyword"), good2, QString()};
  QTest::newRow("plain text stored") << QStringList{"4", "20", ""};
  QTest::newRow("empty columns") << QStringList{"", "", ""};
  QTest::newRow("grade index 10") << QStringList{encode_field(seed, "10", w), good2, QString()};
  QTest::newRow("grade index negative") << QStringList{encode_field(seed, "-1", w), good2, QString()};
  QTest::newRow("grade not a number") << QStringList{encode_field(seed, "Lead", w), good2, QString()};
  QTest::newRow("experience not a number") << QStringList{good1, encode_field(seed, "12x", w), QString()};
  QTest::newRow("experience empty") << QStringList{good1, encode_field(seed, "", w), QString()};
}

void test_favorite_record::unusable_records() {
  QFETCH(QStringList, stored);
  engine_db f;
  QVERIFY(f.write_stored(stored[0], stored[1], stored[2]));
  ov_favorite_engine engine(f.db.get(), seed);
  QCOMPARE(engine.pending_messages().size(), 1);
  QCOMPARE(engine.grade()->index, 0);
  QCOMPARE(engine.experience(), 0);
  QCOMPARE(engine.skills().count(), 0);
  // The unreadable row is replaced by the defaults at once.
  QCOMPARE(f.row_count(), 1);
  QCOMPARE(f.stored_plain(), (QStringList{"0", "0", ""}));
}

void test_favorite_record::loaded_values_data() {
  QTest::addColumn<QString>("grade");
  QTest::addColumn<QString>("experience");
  QTest::addColumn<QString>("skills");
  QTest::addColumn<int>("expected_experience");
  QTest::addColumn<QList<int>>("expected_skills");
  const struct {
    const char *name, *grade, *experience, *skills;
    int expected_experience;
    QList<int> expected_skills;
  } rows[] = {{"no skills", "5", "100", "", 100, {}},
              {"one blank", "5", "100", "12 9 13", 100, {9, 12, 13}},
              {"two blanks", "5", "100", "9  12", 100, {9, 12}},
              {"only a word", "5", "100", "skills", 100, {}},
              {"unknown ids dropped", "5", "100", "4 99 x -1 0", 100, {0, 4}},
              {"above the grade ignored", "0", "3", "33 32", 3, {32, 33}},
              {"experience over the requirement", "0", "500", "", 10, {}},
              {"negative experience", "2", "-5", "", 0, {}},
              {"last grade at the cap", "9", "99999999", "", 99999999, {}}};
  for (const auto& r : rows)
    QTest::newRow(r.name) << QString(r.grade) << QString(r.experience) << QString(r.skills) << r.expected_experience
                          << r.expected_skills;
}

void test_favorite_record::loaded_values() {
  QFETCH(QString, grade);
  QFETCH(QString, experience);
  QFETCH(QString, skills);
  QFETCH(int, expected_experience);
  QFETCH(QList<int>, expected_skills);
  engine_db f;
  QVERIFY(f.write_plain(grade, experience, skills));
  ov_favorite_engine engine(f.db.get(), seed);
  QVERIFY(engine.pending_messages().isEmpty());
  QVERIFY(engine.load_ok());
  QCOMPARE(engine.grade()->index, grade.toInt());
  QCOMPARE(engine.experience(), expected_experience);
  QCOMPARE(ids_of(engine.skills()), expected_skills);
  QCOMPARE(engine.skills().capacity(), engine.grade()->skill_capacity);
  // Loading alone does not rewrite the row.
  QCOMPARE(decode_field(seed, f.stored()[1], ov_favorite_record::key_word()), experience);
}

void test_favorite_record::handle_that_is_not_open() {
  QTemporaryDir dir;
  // A directory where the file should be: the handle is not usable.
  QVERIFY(QDir(dir.path()).mkdir("favorite_engine.db"));
  ov_database db(dir.filePath("favorite_engine.db"), ov_creation_statements("favorite_engine"), "favorite_engine");
  QVERIFY(!db.is_ok());
  ov_favorite_engine engine(&db, seed);
  QCOMPARE(engine.pending_messages().size(), 1);
  QCOMPARE(engine.grade()->index, 0);
  engine.add_experience(3);  // saving does nothing and does not fail loudly
  QCOMPARE(engine.experience(), 3);

  ov_favorite_engine without(nullptr, seed);
  QCOMPARE(without.pending_messages().size(), 1);
  without.set_skills(skill_set({0}));
  QCOMPARE(without.gain(ov_favorite_engine::play_new), 3);
}

QTEST_GUILESS_MAIN(test_favorite_record)
#include "test_favorite_record.moc"
