#include "ov_model.h"
#include "ov_model_playlist.h"
#include "ov_playlist_fixture.h"
#include "ovd_track.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTranslator>

class test_playlist_models : public QObject {
  Q_OBJECT

private slots:
  void catalogue_columns();
  void models_pass_the_model_tester();
  void track_display_data();
  void track_display();
  void untagged_title_is_the_file_name();
  void track_alignment_font_and_header();
  void track_refreshes();
  void playlist_model();
  void japanese_texts();
};

void test_playlist_models::catalogue_columns() {
  const ovd_track& c = ovd_track::instance();
  QCOMPARE(c.column_count(), 17);
  for (int i = 0; i < 17; ++i) {
    QCOMPARE(c.columns()[i].number, i);
    // Only the count and added columns start hidden; their menu entries stay enabled.
    QCOMPARE(c.is_visible_by_default(i), i <= 9);
    QCOMPARE(c.is_toggleable(i), !(i <= 2 || i == 7));
  }
  QCOMPARE(c.tooltip(9), QString("# - Order Number in this playlist"));
  QCOMPARE(c.tooltip(16), c.title(16));
  QCOMPARE(c.title(17), QString());
  QCOMPARE(c.width(-1), 100);
  QVERIFY(c.is_toggleable(-1) && !c.is_visible_by_default(17) && !c.is_fixed_width(17));
}

void test_playlist_models::models_pass_the_model_tester() {
  ov_playlist_fixture f;
  QList<ov_playlist*> lists = {f.playlist(0).release(), f.playlist(1).release()};
  for (int i = 0; i < 4; ++i)
    lists[0]->add_track(f.add({QString::number(i), "al", "ar", i * 1000, quint32(i), 61 * i}));
  ov_model tracks;
  QAbstractItemModelTester track_tester(&tracks, QAbstractItemModelTester::FailureReportingMode::QtTest);
  tracks.set_playlist(lists[0]);
  tracks.reset();
  lists[0]->item_at(1)->set_status(2);
  lists[0]->sort_by_column(7);
  tracks.refresh_all();
  ov_model_playlist playlists(&lists);
  QAbstractItemModelTester playlist_tester(&playlists, QAbstractItemModelTester::FailureReportingMode::QtTest);
  playlists.set_playing_playlist(lists[1]);
  playlists.setData(playlists.index(1, 1), "renamed");
  lists.append(f.playlist(2).release());
  playlists.reset();
  lists[0]->remove_track_at(0);
  tracks.reset();
  qDeleteAll(lists);
}

void test_playlist_models::track_display_data() {
  QTest::addColumn<int>("column");
  QTest::addColumn<QVariant>("expected");
  // The track: "T"/"Al"/"Ar", no. 4, 187 s long, score 123456789 (kept as
  // 99999999), played 3723 s, counts 1..6, added 1000000000, entry number 1.
  QTest::newRow("status ordinary") << 0 << QVariant(QString());
  QTest::newRow("rank") << 1 << QVariant(99999999);
  QTest::newRow("title") << 2 << QVariant(QString("T"));
  QTest::newRow("track number") << 3 << QVariant(4u);
  QTest::newRow("album") << 4 << QVariant(QString("Al"));
  QTest::newRow("artist") << 5 << QVariant(QString("Ar"));
  QTest::newRow("length 3:07") << 6 << QVariant(QString("3:07"));
  QTest::newRow("score") << 7 << QVariant(99999999);
  QTest::newRow("played 1:02:03") << 8 << QVariant(QString("1:02:03"));
  QTest::newRow("entry number") << 9 << QVariant(1);
  for (int i = 0; i < 6; ++i) QTest::addRow("count %d", 10 + i) << 10 + i << QVariant(i + 1);
  QTest::newRow("added")
      << 16 << QVariant(QDateTime::fromSecsSinceEpoch(1000000000).toLocalTime().toString("yyyy-MM-dd hh:mm:ss"));
  QTest::newRow("outside") << 17 << QVariant();
}

void test_playlist_models::track_display() {
  QFETCH(int, column);
  QFETCH(QVariant, expected);
  ov_playlist_fixture f;
  auto p = f.playlist();
  ov_track* t = f.add({"T", "Al", "Ar", 99999999, 4, 187, 3723, 1000000000});
  t->add_score(5);
  for (int i = 0; i < 1; ++i) t->increment_count_n();
  for (int i = 0; i < 2; ++i) t->increment_count_s();
  for (int i = 0; i < 3; ++i) t->increment_count_ns();
  for (int i = 0; i < 4; ++i) t->increment_count_l();
  for (int i = 0; i < 5; ++i) t->increment_count_dl();
  for (int i = 0; i < 6; ++i) t->increment_count_t();
  p->add_track(t);
  ov_model m;
  m.set_playlist(p.get());
  const QVariant got = m.data(m.index(0, column));
  QCOMPARE(got.toString(), expected.toString());
  QCOMPARE(got.isValid(), expected.isValid());
}

void test_playlist_models::untagged_title_is_the_file_name() {
  ov_playlist_fixture f;
  auto p = f.playlist();
  ov_track* t = f.add(QString());  // the fixture's files are /music/<id>.mp3
  p->add_track(t);
  ov_model m;
  m.set_playlist(p.get());
  QCOMPARE(m.data(m.index(0, 2)).toString(), QString::number(t->id()));
}

void test_playlist_models::track_alignment_font_and_header() {
  ov_playlist_fixture f;
  auto p = f.playlist();
  for (int played : {59, 3600, 245}) p->add_track(f.add({"t", "", "", 0, 0, 0, played}));
  ov_model m;
  QCOMPARE(m.rowCount(), 0);
  QVERIFY(!m.data(m.index(0, 0)).isValid());
  m.set_playlist(p.get());
  QCOMPARE(m.columnCount(), 17);
  // Played time gains an hour field (length texts: test_tag_data).
  for (auto [row, text] : {std::pair{0, "0:59"}, {1, "1:00:00"}, {2, "4:05"}})
    QCOMPARE(m.data(m.index(row, 8)).toString(), QString(text));

  const int centred = int(Qt::AlignCenter), left = int(Qt::AlignLeft | Qt::AlignVCenter),
            right = int(Qt::AlignRight | Qt::AlignVCenter);
  const int alignments[] = {centred, left,  left,  right, left,  left,  right, left, right,
                            right,   right, right, right, right, right, right, right};
  for (int c = 0; c < 17; ++c) QCOMPARE(m.data(m.index(0, c), Qt::TextAlignmentRole).toInt(), alignments[c]);

  const QString marks[] = {">", "=", "-"};
  for (int status = 2; status <= 4; ++status) {
    p->item_at(1)->set_status(status);
    QCOMPARE(m.data(m.index(1, 0)).toString(), marks[status - 2]);
  }
  p->item_at(1)->set_status(2);
  const QFont font = m.data(m.index(1, 3), Qt::FontRole).value<QFont>();
  QCOMPARE(font.pointSize(), 10);
  QVERIFY(font.bold());
  QVERIFY(!m.data(m.index(0, 3), Qt::FontRole).isValid());
  QVERIFY(!m.data(m.index(0, 2), Qt::DecorationRole).isValid());

  QCOMPARE(m.headerData(2, Qt::Horizontal).toString(), QString("Title"));
  QCOMPARE(m.headerData(10, Qt::Horizontal, Qt::ToolTipRole).toString(), QString("C(N) - Count(Play Newly)"));
  QVERIFY(!m.headerData(2, Qt::Vertical).isValid());
  QVERIFY(!m.headerData(2, Qt::Horizontal, Qt::FontRole).isValid());
  QCOMPARE(m.track_at(2), p->track_at(2));
  QVERIFY(!m.track_at(3));

  // The "#" column shows the stored number, 0 after renewing row 0.
  p->renew_number(0);
  QCOMPARE(m.data(m.index(0, 9)).toInt(), 0);
}

void test_playlist_models::track_refreshes() {
  ov_playlist_fixture f;
  auto p = f.playlist();
  for (int i = 0; i < 3; ++i) p->add_track(f.add(QString::number(i), 3 - i));
  ov_model m;
  m.set_playlist(p.get());
  QSignalSpy changed(&m, &QAbstractItemModel::dataChanged);
  m.refresh_all();
  QCOMPARE(changed.last().at(1).toModelIndex(), m.index(2, 16));
  p->sort_by_column(7);  // the model refreshes everything
  QCOMPARE(changed.count(), 2);
  QCOMPARE(changed.last().at(0).toModelIndex(), m.index(0, 0));
  QCOMPARE(changed.last().at(1).toModelIndex(), m.index(2, 16));
  auto other = f.playlist(2);
  m.set_playlist(other.get());  // the old playlist is no longer followed
  p->sort_by_column(7);
  QCOMPARE(changed.count(), 2);
}

void test_playlist_models::playlist_model() {
  ov_playlist_fixture f;
  auto library =
      std::make_unique<ov_playlist>(&f.library, f.items_db.get(), 0, ov_playlist::library_playlist_name(), 0);
  auto mine = f.playlist(1);
  QList<ov_playlist*> lists = {library.get(), mine.get()};
  ov_model_playlist m(&lists);
  QCOMPARE(m.rowCount(), 2);
  QCOMPARE(m.playlist_at(1), mine.get());
  QVERIFY(!m.playlist_at(2));

  const Qt::ItemFlags base = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
  // Only a user playlist's name is editable.
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 2; ++c) QCOMPARE(m.flags(m.index(r, c)), r && c ? base | Qt::ItemIsEditable : base);

  QCOMPARE(m.headerData(0, Qt::Horizontal).toString(), QString(" "));
  QCOMPARE(m.headerData(1, Qt::Horizontal).toString(), QString("Playlist"));
  QCOMPARE(m.headerData(2, Qt::Horizontal).toString(), QString());
  QVERIFY(!m.headerData(1, Qt::Vertical).isValid());
  QVERIFY(!m.headerData(1, Qt::Horizontal, Qt::ToolTipRole).isValid());

  QCOMPARE(m.data(m.index(0, 1)).toString(), QString("LIBRARY (all tracks)"));
  QCOMPARE(m.data(m.index(1, 1), Qt::EditRole).toString(), QString("list 1"));
  QVERIFY(!m.data(m.index(1, 0), Qt::EditRole).isValid());
  QCOMPARE(m.data(m.index(1, 1), Qt::TextAlignmentRole).toInt(), int(Qt::AlignLeft | Qt::AlignVCenter));
  QCOMPARE(m.data(m.index(1, 0), Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));

  QSignalSpy changed(&m, &QAbstractItemModel::dataChanged);
  m.set_playing_playlist(mine.get());
  QCOMPARE(changed.count(), 1);
  QCOMPARE(changed.last().at(1).toModelIndex(), m.index(1, 0));
  QCOMPARE(m.data(m.index(1, 0)).toString(), QString(">"));
  QCOMPARE(m.data(m.index(0, 0)).toString(), QString());
  QCOMPARE(m.data(m.index(1, 1), Qt::FontRole).value<QFont>().pointSize(), 10);
  QVERIFY(!m.data(m.index(0, 1), Qt::FontRole).isValid());

  QSignalSpy finished(&m, &ov_model_playlist::esignal_edit_finished);
  QSignalSpy renamed(mine.get(), &ov_playlist::esignal_name_changed);
  QVERIFY(!m.setData(m.index(0, 1), "no"));
  QCOMPARE(library->name(), QString("LIBRARY (all tracks)"));
  QVERIFY(!m.setData(m.index(1, 1), "no", Qt::DisplayRole));
  QVERIFY(m.setData(m.index(1, 1), "list 1"));  // same name
  QCOMPARE(finished.count(), 1);
  QCOMPARE(renamed.count(), 0);
  QVERIFY(m.setData(m.index(1, 1), "Road trip"));
  QCOMPARE(finished.count(), 2);
  QCOMPARE(renamed.count(), 1);
  QCOMPARE(mine->name(), QString("Road trip"));
}

void test_playlist_models::japanese_texts() {
  QTranslator translator;
  QVERIFY(translator.load(QStringLiteral(":/tr/ov_jp.qm")));
  QCoreApplication::installTranslator(&translator);
  ovd_track catalogue;
  QCOMPARE(catalogue.title(2), QString::fromUtf8("タイトル"));
  QCOMPARE(catalogue.tooltip(15), QString::fromUtf8("C(T) - 最後まで聴いた回数"));
  QCOMPARE(ov_playlist::library_playlist_name(), QString::fromUtf8("ライブラリ (全トラック)"));
  QList<ov_playlist*> none;
  QCOMPARE(ov_model_playlist(&none).headerData(1, Qt::Horizontal).toString(), QString::fromUtf8("プレイリスト"));
  QCoreApplication::removeTranslator(&translator);
}

QTEST_MAIN(test_playlist_models)
#include "test_playlist_models.moc"
