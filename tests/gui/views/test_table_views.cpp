#include "ov_model.h"
#include "ov_model_playlist.h"
#include "ov_playlist_fixture.h"
#include "ov_setting_int.h"
#include "ov_settings_group.h"
#include "ov_test_mp3.h"
#include "ovd_track.h"
#include "ovg_attached_picture.h"
#include "ovg_bar_text.h"
#include "ovg_delegate_score.h"
#include "ovg_delegate_text.h"
#include "ovg_mime_data_drag_playlist.h"
#include "ovg_mime_data_drag_tracks.h"
#include "ovg_next_track_box.h"
#include "ovg_point_effect.h"
#include "ovg_slider.h"
#include "ovg_table_palette.h"
#include "ovg_table_view_playlist.h"
#include "ovg_table_view_tracks.h"
#include "ovg_tableview_tracks_hheader.h"
#include "ovgv_favorite_engine.h"
#include "ovgv_next_tracks.h"
#include "ovgv_playback.h"
#include "ovgv_search_bar.h"
#include "ovgv_track_info.h"
#include "ovgv_track_info_link_label.h"
#include "ovgv_volume.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QProgressBar>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

namespace {

const QColor k_background(0x10, 0x20, 0x30);

QImage paint_cell(QStyledItemDelegate& delegate, int score, QSize size) {
  QStandardItemModel model(1, 1);
  model.setData(model.index(0, 0), score);
  QImage image(size, QImage::Format_ARGB32);
  image.fill(k_background);
  QPainter painter(&image);
  QStyleOptionViewItem option;
  option.rect = QRect(QPoint(0, 0), size);
  option.state = QStyle::State_Enabled;
  delegate.paint(&painter, option, model.index(0, 0));
  painter.end();
  return image;
}

// A drop as the platform delivers it: entering first, then the drop.
void drop(QWidget* viewport, QMimeData* data, QPoint at) {
  QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &enter);
  QDropEvent event(at, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &event);
}

QList<int> rows_of(const QModelIndexList& indexes) {
  QList<int> rows;
  for (const QModelIndex& i : indexes) rows << i.row();
  return rows;
}

}  // namespace

namespace {
QPoint centre(QWidget* w) {
  return w->rect().center();
}

// Pixels of area that stand clearly apart from the colour at clear_point,
// a point of the same bar part away from the text.
int contrasting_pixels(const QImage& image, const QRect& area, QPoint clear_point) {
  const int background = qGray(image.pixel(clear_point));
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) count += std::abs(qGray(image.pixel(x, y)) - background) > 90;
  return count;
}
}  // namespace

class test_table_views : public QObject {
  Q_OBJECT

  ov_playlist_fixture f;
  std::unique_ptr<ov_playlist> list = f.playlist(1);

  std::unique_ptr<ovg_table_view_tracks> shown_view() {
    auto view = std::make_unique<ovg_table_view_tracks>(list.get());
    view->resize(900, 400);
    view->show();
    (void)QTest::qWaitForWindowExposed(view.get());
    return view;
  }

  QPoint row_point(const QTableView& view, int row) { return view.visualRect(view.model()->index(row, 2)).center(); }

  // Playlist views show the library (row 0), the list above and these.
  std::unique_ptr<ov_playlist> library = f.playlist(0), second = f.playlist(2), third = f.playlist(3);

  QTemporaryDir dir_;

  std::unique_ptr<ov_track> mp3_track(const QString& name, const QByteArray& picture) {
    const QString path = dir_.filePath(name + QStringLiteral(".mp3"));
    if (!QFile::exists(path)) {
      if (!ov_test::make_tone_mp3(path)) return nullptr;
      ov_test::set_tags(path, name, QStringLiteral("Album"), QStringLiteral("Artist"));
      if (!picture.isEmpty()) ov_test::add_picture(path, 3, picture);
    }
    return std::make_unique<ov_track>(1, 0, ov_tag_data::from_file(path));
  }

  ov_track* long_track(int seconds) {
    return f.add(ov_playlist_fixture::track_values{QStringLiteral("long"), {}, {}, 0, 0, seconds});
  }

private slots:
  void initTestCase() {
    for (const char* title : {"delta", "alpha", "charlie", "bravo", "echo"}) list->add_track(f.add(title, 150));
  }

  // The bar's right end shows the colour of the highest rank group the
  // score reaches (widths: score_segment_widths); cells too small stay blank.
  void score_bar_edges() {
    const struct {
      int score;
      QColor colour;
    } cases[] = {{0, k_background},
                 {199, "#7a70cc"} /* first group full */,
                 {200, "#7a70cc"},
                 {1499, "#70cca0"} /* second group full */,
                 {99999999, "#e8d35a"}};
    ovg_delegate_score delegate;
    const QSize size(120, 21);
    const QRect bar = ovg_delegate_score::bar_rect(QRect(QPoint(0, 0), size));
    QImage blank(QSize(49, 21), QImage::Format_ARGB32);
    blank.fill(k_background);
    for (const auto& c : cases) {
      const QImage image = paint_cell(delegate, c.score, size);
      QCOMPARE(image.pixelColor(bar.topRight() + QPoint(-1, 1)), c.colour);
      QCOMPARE(paint_cell(delegate, c.score, blank.size()), blank);
    }
  }

  void score_segment_widths() {
    const struct {
      int score, lower, upper, width;
    } cases[] = {{0, 0, 199, 0},       {199, 0, 199, 78},     {199, 199, 1499, 0},  // empty, full, not reached
                 {849, 199, 1499, 39}, {1500, 199, 1499, 78}, {99999999, 499999, 99999999, 78}};
    for (const auto& c : cases) QCOMPARE(ovg_delegate_score::segment_width(c.score, c.lower, c.upper, 78), c.width);
  }

  // Texts drawn without eliding must fit; anything doubtful is elided.
  void text_cells_elide_when_in_doubt() {
    const struct {
      QString text;
      int width;
      bool fits;
    } cases[] = {{"0:07", 57, true},
                 {"Lapis Philosophorum Overture", 40, false},
                 {QString::fromUtf8("空と海"), 250, true},
                 {QString::fromUtf8("سلام"), 250, false}};  // right to left: never sure
    ovg_delegate_text delegate;
    QStyleOptionViewItem option;
    option.font = QApplication::font();
    option.fontMetrics = QFontMetrics(option.font);
    for (const auto& c : cases) {
      QCOMPARE(delegate.surely_fits(option, c.text, c.width), c.fits);
      if (c.fits) QVERIFY(option.fontMetrics.horizontalAdvance(c.text) <= c.width);
    }
  }

  void empty_label_follows_model() {
    ov_playlist empty(&f.library, f.items_db.get(), 7, QStringLiteral("empty"), 7);
    ovg_table_view_tracks view(&empty);
    QVERIFY(view.empty_label()->text().contains(QStringLiteral("file manager")));
    QVERIFY(!view.empty_label()->isHidden());
    empty.add_track(f.add(QStringLiteral("one")));
    view.eslot_item_count_changed();
    QVERIFY(view.empty_label()->isHidden());
    empty.remove_track_at(0);
    view.eslot_item_count_changed();
    QVERIFY(!view.empty_label()->isHidden());
  }

  // Dropped URIs: existing local files and directories are passed on, the
  // rest is left out, and nothing left sends nothing.
  void uri_drops() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("sub"));
    QVERIFY(QFile(dir.filePath("a.mp3")).open(QIODevice::WriteOnly));
    const QList<QPair<QStringList, QStringList>> cases = {// "?" marks a path that does not exist
                                                          {{"a.mp3", "sub"}, {"a.mp3", "sub"}},
                                                          {{"?gone.mp3", "a.mp3"}, {"a.mp3"}},
                                                          {{"?gone.mp3", "?sub/none"}, {}}};
    auto view = shown_view();
    for (const auto& [names, emitted] : cases) {
      QList<QUrl> urls;
      for (QString name : names) urls << QUrl::fromLocalFile(dir.filePath(name.remove('?')));
      urls << QUrl("http://example.invalid/x.mp3");  // never a local path
      QStringList expected;
      for (const QString& name : emitted) expected << dir.filePath(name);
      QSignalSpy spy(view.get(), &ovg_table_view_tracks::signal_filepaths_dropped);
      QMimeData data;
      data.setUrls(urls);
      drop(view->viewport(), &data, row_point(*view, 0));
      QCOMPARE(spy.count(), expected.isEmpty() ? 0 : 1);
      if (!expected.isEmpty()) QCOMPARE(spy.at(0).at(0).toStringList(), expected);
    }
  }

  void track_payload_drops_move_rows() {
    auto view = shown_view();
    QSignalSpy moves(view.get(), &ovg_table_view_tracks::esignal_move_tracks);
    for (int row : {3, 1})
      view->selectionModel()->select(view->model()->index(row, 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QCOMPARE(rows_of(view->selected_rows()), (QList<int>{1, 3}));

    ovg_mime_data_drag_tracks on_row(view->selected_rows());
    drop(view->viewport(), &on_row, row_point(*view, 4));
    ovg_mime_data_drag_tracks below(view->selected_rows());
    drop(view->viewport(), &below, QPoint(10, view->viewport()->height() - 2));
    QStandardItemModel other(3, 1);
    ovg_mime_data_drag_tracks foreign({other.index(0, 0)});
    drop(view->viewport(), &foreign, row_point(*view, 2));

    QCOMPARE(moves.count(), 2);
    QCOMPARE(rows_of(moves.at(0).at(0).value<QModelIndexList>()), (QList<int>{1, 3}));
    QCOMPARE(moves.at(0).at(1).toInt(), 4);
    QCOMPARE(moves.at(1).at(1).toInt(), list->count());
  }

  // The header's menu hides and shows columns and follows a restored state;
  // a click on a section sorts the playlist.
  void header_menu_and_sorting() {
    auto view = shown_view();
    ovg_tableview_tracks_hheader* header = view->tracks_header();
    QVERIFY(!header->column_action(ovd_track::col_title)->isEnabled());
    QAction* count = header->column_action(ovd_track::col_count_n);
    QCOMPARE(count->text(), QStringLiteral("C(N) - Count(Play Newly)"));
    QVERIFY(count->isEnabled() && !count->isChecked() && view->isColumnHidden(ovd_track::col_count_n));
    count->trigger();
    ovg_table_view_tracks second(list.get());
    second.horizontalHeader()->restoreState(header->saveState());
    second.tracks_header()->sync_actions();
    QVERIFY(!second.isColumnHidden(ovd_track::col_count_n));
    QVERIFY(second.tracks_header()->column_action(ovd_track::col_count_n)->isChecked());

    const QPoint title(view->horizontalHeader()->sectionViewportPosition(ovd_track::col_title) + 10, 10);
    QTest::mouseClick(view->horizontalHeader()->viewport(), Qt::LeftButton, {}, title);
    QCOMPARE(f.titles(*list).first(), QStringLiteral("alpha"));
    QCOMPARE(view->model()->index(0, ovd_track::col_title).data().toString(), QStringLiteral("alpha"));
  }

  // With row 2 current a key goes to the window or to the playlists, plays
  // the row, or only moves the cursor.
  void track_view_keys() {
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier, none;
    const struct {
      Qt::Key key;
      Qt::KeyboardModifiers modifiers;
      QString outcome;
    } cases[] = {{Qt::Key_Space, none, "global"},
                 {Qt::Key_Space, Qt::ShiftModifier, "global"},
                 {Qt::Key_Left, ctrl, "global"},
                 {Qt::Key_Right, ctrl, "global"},
                 {Qt::Key_Tab, ctrl, "global"},
                 {Qt::Key_Left, none, "left"},
                 {Qt::Key_Left, ctrl | Qt::ShiftModifier, ""},
                 {Qt::Key_Return, none, "kick"},
                 {Qt::Key_Enter, Qt::KeypadModifier, "kick"},
                 {Qt::Key_Down, none, "down"}};
    auto view = shown_view();
    for (const auto& c : cases) {
      view->setCurrentIndex(view->model()->index(2, 2));
      QSignalSpy globals(view.get(), &ovg_table_view_tracks::esignal_global_key_pressed);
      QSignalSpy lefts(view.get(), &ovg_table_view_tracks::esignal_left_key_pressed);
      QSignalSpy kicks(view.get(), &ovg_table_view_tracks::esignal_track_kicked);
      QTest::keyClick(view.get(), c.key, c.modifiers);
      const QString what = QKeySequence(c.key | c.modifiers).toString();
      QVERIFY2(globals.count() == (c.outcome == "global") && lefts.count() == (c.outcome == "left") &&
                   kicks.count() == (c.outcome == "kick"),
               qPrintable(what));
      if (c.outcome == "global") QCOMPARE(globals.at(0).at(0).toInt(), int(c.key));
      if (c.outcome == "kick") QCOMPARE(kicks.at(0).at(0).toInt(), 2);
      QCOMPARE(view->currentIndex().row(), c.outcome == "down" ? 3 : 2);
    }
  }

  void clicks_on_selected_rows() {
    auto view = shown_view();
    QSignalSpy kicks(view.get(), &ovg_table_view_tracks::esignal_track_kicked);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, row_point(*view, 1));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ShiftModifier, row_point(*view, 3));
    QCOMPARE(rows_of(view->selected_rows()), (QList<int>{1, 2, 3}));
    // A press on a selected row keeps the others for a drag ...
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, row_point(*view, 2));
    QCOMPARE(view->selected_rows().size(), 3);
    // ... and the release without a drag selects that row alone.
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, row_point(*view, 2));
    QCOMPARE(rows_of(view->selected_rows()), (QList<int>{2}));
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, row_point(*view, 2));
    QCOMPARE(kicks.count(), 1);
    QCOMPARE(kicks.at(0).at(0).toInt(), 2);
    QSignalSpy renew(view.get(), &ovg_table_view_tracks::esignal_renew_track_numbers);
    view->islot_renew_track_number();
    QCOMPARE(rows_of(renew.at(0).at(0).value<QModelIndexList>()), (QList<int>{2}));
  }

  // Delete removes a playlist the user agrees to drop, never the library.
  void playlist_view_keys_and_remove() {
    const QList<ov_playlist*> lists{library.get(), list.get(), second.get()};
    ov_model_playlist model(&lists);
    const struct {
      int row;
      QByteArray answer;
      int removed;
    } cases[] = {{2, "accept", 2}, {2, "reject", -1}, {0, "accept", -1}};
    for (const auto& c : cases) {
      ovg_table_view_playlist view;
      view.setModel(&model);
      QSignalSpy changed(&view, &ovg_table_view_playlist::signal_current_item_changed);
      view.setCurrentIndex(model.index(c.row, 1));
      QCOMPARE(changed.count(), 1);
      QSignalSpy removals(&view, &ovg_table_view_playlist::esignal_playlist_removed);
      qputenv("ORVANTIS_AUTOTEST", c.answer);
      QTest::keyClick(&view, Qt::Key_Delete);
      qunsetenv("ORVANTIS_AUTOTEST");
      QCOMPARE(removals.count(), c.removed >= 0 ? 1 : 0);
      if (c.removed >= 0) QCOMPARE(removals.at(0).at(0).toInt(), c.removed);
      if (c.row == 0) continue;
      QSignalSpy globals(&view, &ovg_table_view_playlist::esignal_global_key_pressed);
      QSignalSpy rights(&view, &ovg_table_view_playlist::esignal_right_key_pressed);
      QSignalSpy plays(&view, &ovg_table_view_playlist::esignal_play_new);
      QTest::keyClick(&view, Qt::Key_Space);
      QTest::keyClick(&view, Qt::Key_Right, Qt::ControlModifier);
      QTest::keyClick(&view, Qt::Key_Right);
      QTest::keyClick(&view, Qt::Key_Return);
      QCOMPARE(globals.count(), 2);
      QCOMPARE(rights.count(), 1);
      QCOMPARE(plays.count(), 1);
    }
  }

  void playlist_view_drops() {
    const QList<ov_playlist*> lists{library.get(), list.get(), second.get(), third.get()};
    ov_model_playlist model(&lists);
    ovg_table_view_playlist view;
    view.setModel(&model);
    view.resize(200, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QSignalSpy copies(&view, &ovg_table_view_playlist::signal_dropped_tracks);
    QSignalSpy moves(&view, &ovg_table_view_playlist::esignal_playlist_move);
    auto at = [&](int row) { return view.visualRect(model.index(row, 1)).center(); };

    ov_model tracks;
    tracks.set_playlist(list.get());
    ovg_mime_data_drag_tracks payload({tracks.index(0, 0), tracks.index(2, 0)});
    drop(view.viewport(), &payload, at(2));
    QCOMPARE(copies.count(), 1);
    QCOMPARE(rows_of(copies.at(0).at(0).value<QModelIndexList>()), (QList<int>{0, 2}));
    QCOMPARE(copies.at(0).at(1).toInt(), 2);

    ovg_mime_data_drag_playlist move(1), onto_library(2), library_row(0);
    drop(view.viewport(), &move, at(3));
    drop(view.viewport(), &onto_library, at(0));
    drop(view.viewport(), &library_row, at(2));
    QCOMPARE(moves.count(), 1);
    QCOMPARE(moves.at(0).at(0).toInt(), 1);
    QCOMPARE(moves.at(0).at(1).toInt(), 3);
  }

  void keys_in_the_field_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("forwarded");  // key code sent to the table, 0 for none
    QTest::addColumn<int>("searches");
    QTest::addColumn<QString>("typed");
    QTest::newRow("Ctrl+Return") << int(Qt::Key_Return) << int(Qt::ControlModifier) << int(Qt::Key_Return) << 0 << "";
    QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier) << 0 << 1 << "";
    QTest::newRow("Ctrl+Enter") << int(Qt::Key_Enter) << int(Qt::ControlModifier) << int(Qt::Key_Enter) << 0 << "";
    QTest::newRow("Shift+Up") << int(Qt::Key_Up) << int(Qt::ShiftModifier) << int(Qt::Key_Up) << 0 << "";
    QTest::newRow("Ctrl+Down") << int(Qt::Key_Down) << int(Qt::ControlModifier) << int(Qt::Key_Down) << 0 << "";
    QTest::newRow("Ctrl+Space") << int(Qt::Key_Space) << int(Qt::ControlModifier) << int(Qt::Key_Space) << 0 << "";
    QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier) << 0 << 0 << " ";
  }
  void keys_in_the_field() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, forwarded);
    QFETCH(int, searches);
    QFETCH(QString, typed);
    ovgv_search_bar bar;
    bar.show();
    auto* field = bar.findChild<QLineEdit*>();
    QSignalSpy to_table(&bar, &ovgv_search_bar::esignal_key_to_tableview_pressed);
    QSignalSpy next(&bar, &ovgv_search_bar::esignal_search_next_after_current_position);
    if (key == Qt::Key_Space && !modifiers)
      QTest::keyClick(field, ' ');
    else
      QTest::keyClick(field, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(to_table.size(), forwarded ? 1 : 0);
    if (forwarded) QCOMPARE(to_table.first().first().toInt(), forwarded);
    QCOMPARE(next.size(), searches);
    QCOMPARE(field->text(), typed);
  }
  void empty_word_searches_and_close_reports() {
    ovgv_search_bar bar;
    bar.show();
    auto* field = bar.findChild<QLineEdit*>();
    QSignalSpy next(&bar, &ovgv_search_bar::esignal_search_next_after_current_position);
    QSignalSpy previous(&bar, &ovgv_search_bar::esignal_search_previous_after_current_position);
    QSignalSpy hided(&bar, &ovgv_search_bar::esignal_hided);
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(next.size(), 1);
    QCOMPARE(next.first().first().toString(), QString());
    QTest::keyClicks(field, QStringLiteral("abc"));
    bar.islot_search_previous(true);
    QCOMPARE(previous.first().first().toString(), QStringLiteral("abc"));
    QTest::keyClick(field, Qt::Key_Escape);
    QVERIFY(bar.isHidden());
    QCOMPARE(hided.size(), 1);
    bar.show();
    QTest::keyClick(&bar, Qt::Key_Escape);  // Escape on the bar itself hides it silently
    QVERIFY(bar.isHidden());
    QCOMPARE(hided.size(), 1);
    QCOMPARE(field->text(), QStringLiteral("abc"));
  }

  // Behaviour of the playback, volume, track information and next-tracks views.
  void slider_drag_seeks_once_on_release() {
    ovgv_playback view;
    view.set_track(long_track(240));
    view.set_state(ove_playback::playing);
    view.wide_widget()->show();
    QVERIFY(QTest::qWaitForWindowExposed(view.wide_widget()));
    ovg_slider* slider = view.position_slider();
    QSignalSpy seeks(&view, &ovgv_playback::esignal_slider_position_released);
    const QPoint start(slider->width() / 4, slider->height() / 2);
    QTest::mousePress(slider, Qt::LeftButton, {}, start);
    QVERIFY(view.is_dragging());
    const int held = slider->value();
    QVERIFY(qAbs(held - 250) <= 10);
    view.set_position(200000);
    QCOMPARE(slider->value(), held);
    const QPoint end(slider->width() * 3 / 4, slider->height() / 2);
    QTest::mouseMove(slider, end);
    QTest::mouseRelease(slider, Qt::LeftButton, {}, end);
    QCOMPARE(seeks.count(), 1);
    QCOMPARE(seeks.at(0).at(0).toLongLong(), view.ms_of_value(slider->value()));
    QVERIFY(slider->value() > held);
    QVERIFY(!view.is_dragging());
    view.set_position(60000);
    QCOMPARE(slider->value(), 250);
    QCOMPARE(view.elapsed_label()->text(), QStringLiteral("1:00"));
  }

  // Slider values map to milliseconds both ways without overflow on long
  // tracks; a release seeks to the value's millisecond.
  void slider_milliseconds_of_long_tracks() {
    const struct {
      int seconds, value;
      qint64 ms;
    } cases[] = {{240, 500, 120000}, {2400, 1000, 2400000}, {2400, 999, 2397600}, {36000, 1000, 36000000}, {0, 700, 0}};
    for (const auto& c : cases) {
      ovgv_playback view;
      view.set_track(long_track(c.seconds));
      QCOMPARE(view.ms_of_value(c.value), c.ms);
      QCOMPARE(view.value_of_ms(c.ms), c.seconds ? c.value : 0);
      QSignalSpy seeks(&view, &ovgv_playback::esignal_slider_position_released);
      view.position_slider()->setValue(c.value);
      view.islot_slider_position_released();
      QCOMPARE(seeks.at(0).at(0).toLongLong(), c.ms);
    }
  }

  void playback_state_and_reset() {
    ovgv_playback view;
    QVERIFY(!view.next_button()->isEnabled());
    view.set_track(nullptr);
    QVERIFY(!view.next_button()->isEnabled());
    view.set_track(long_track(3725));
    QCOMPARE(view.length_label()->text(), QStringLiteral("1:02:05"));
    QVERIFY(view.next_button()->isEnabled() && view.previous_button()->isEnabled());
    view.set_state(ove_playback::playing);
    QVERIFY(view.stop_button()->isEnabled() && view.position_slider()->isEnabled());
    view.set_position(61000);
    view.set_state(ove_playback::stopped);
    QVERIFY(!view.stop_button()->isEnabled() && !view.position_slider()->isEnabled());
    QCOMPARE(view.elapsed_label()->text(), QStringLiteral("0:00"));
  }

  // The stored volume is shown when valid (else 100) and a moved slider
  // stores its value.
  void volume_reads_and_writes_the_setting() {
    const QList<QPair<QString, int>> cases = {{QString(), 100}, {"100", 100}, {"40", 40}, {"140", 100}};
    for (const auto& [stored, shown] : cases) {
      ov_settings_group group(dir_.filePath(QStringLiteral("main-%1.ini").arg(stored)), QStringLiteral("volume"));
      if (!stored.isNull()) group.set_value(QStringLiteral("volume"), stored);
      ov_setting_int item(&group, QStringLiteral("volume"), 0, 100, 100);
      ovgv_volume view(&item);
      QCOMPARE(view.volume(), shown);
      QCOMPARE(view.percent_label()->text(), QString::number(shown) + QLatin1Char('%'));
      QSignalSpy changes(&view, &ovgv_volume::esignal_slider_volume_value_changed);
      view.slider()->setValue(37);
      QCOMPARE(changes.count(), 1);
      QCOMPARE(view.percent_label()->text(), QStringLiteral("37%"));
      QCOMPARE(item.read(), 37);
    }
  }

  void next_tracks_entries_and_clicks() {
    auto list = f.playlist(7);
    list->add_track(f.add(QStringLiteral("one")));
    list->add_track(f.add(QStringLiteral("two")));
    ov_playlist_item* const one = list->item_at(0);
    ov_playlist_item* const two = list->item_at(1);
    ovgv_next_tracks panel(4);
    panel.set_entries(list->items());
    const auto& boxes = panel.boxes();
    QCOMPARE(boxes.size(), 4);
    QCOMPARE(boxes[1]->title_label()->text(), QStringLiteral("two"));
    for (int i : {2, 3})
      QVERIFY(!boxes[i]->entry() && !boxes[i]->is_selectable() && boxes[i]->picture()->shows_no_image());
    QVERIFY(panel.contains(one));
    QCOMPARE(panel.shown_entries_except(one), QList<ov_playlist_item*>{two});

    panel.container()->resize(800, 80);  // boxes far wider than their covers
    panel.container()->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel.container()));
    QSignalSpy clicks(&panel, &ovgv_next_tracks::esignal_box_clicked);
    QSignalSpy doubles(&panel, &ovgv_next_tracks::esignal_box_double_clicked);
    auto click = [&](int i) { QTest::mouseClick(boxes[i], Qt::LeftButton, {}, centre(boxes[i])); };
    auto double_click = [&](int i) { QTest::mouseDClick(boxes[i], Qt::LeftButton, {}, centre(boxes[i])); };
    auto items = [](const QSignalSpy& spy) {
      QList<ov_playlist_item*> out;
      for (const QList<QVariant>& args : spy) out << args.at(0).value<ov_playlist_item*>();
      return out;
    };
    // A press and a release outside the box do not pick it; once two is
    // picked, one takes no clicks, and only two's double click plays.
    QTest::mousePress(boxes[0], Qt::LeftButton, {}, QPoint(-5, -5));
    QTest::mouseRelease(boxes[0], Qt::LeftButton, {}, QPoint(-5, -5));
    QTest::qWait(5);  // that press lies well inside the double-click interval of what follows
    QCOMPARE(clicks.count(), 0);
    click(1);
    click(0);
    double_click(0);
    QCOMPARE(doubles.count(), 0);
    double_click(1);
    // The points of the pick float over the cover that was clicked.
    panel.run_point_effect(two, 5);
    const QRect effect = boxes[1]->findChild<ovg_point_effect*>()->geometry();
    const QRect cover = boxes[1]->picture()->geometry();
    QVERIFY(effect.center().x() >= cover.left() && effect.center().x() <= cover.right());
    // A double click on a fresh box picks it and plays it at once.
    panel.set_entries(list->items());
    click(0);
    double_click(0);
    QTest::mouseRelease(boxes[0], Qt::LeftButton, {}, centre(boxes[0]));
    QCOMPARE(items(clicks), (QList<ov_playlist_item*>{two, one}));
    QCOMPARE(items(doubles), (QList<ov_playlist_item*>{two, one}));

    // Disabled: a notice over the boxes, which take no clicks.
    panel.set_enabled(false);
    QVERIFY(panel.disabled_label()->isVisible());
    QCOMPARE(panel.disabled_label()->text(), QStringLiteral("Disabled"));
    panel.set_entries(list->items());
    click(0);
    QCOMPARE(clicks.count(), 2);
    panel.set_enabled(true);
    QVERIFY(!panel.disabled_label()->isVisible());
  }

  void next_tracks_box_count() {
    ovgv_next_tracks panel(1);
    QCOMPARE(panel.number_of_boxes(), 4);
    QSignalSpy sizes(&panel, &ovgv_next_tracks::esignal_size_changed);
    panel.set_number_of_boxes(4);
    QCOMPARE(sizes.count(), 0);
    panel.set_number_of_boxes(6);
    QCOMPARE(sizes.count(), 1);
    QCOMPARE(panel.boxes().size(), 6);
  }

  void point_effects_end_with_their_view() {
    auto list = f.playlist(9);
    list->add_track(f.add(QStringLiteral("four")));
    auto panel = std::make_unique<ovgv_next_tracks>(4);
    panel->set_entries(list->items());
    panel->run_point_effect(list->item_at(0), 120);
    QPointer<ovg_point_effect> on_box = panel->boxes()[0]->findChild<ovg_point_effect*>();
    QVERIFY(on_box);
    panel->set_number_of_boxes(5);  // rebuilt while fading
    QVERIFY(on_box.isNull());
    panel->set_entries(list->items());
    panel->run_point_effect(list->item_at(0), -30);
    on_box = panel->boxes()[0]->findChild<ovg_point_effect*>();
    panel->container()->hide();
    panel.reset();
    QVERIFY(on_box.isNull());
  }

  void track_info_shows_and_clears() {
    auto track = mp3_track(QStringLiteral("covered"), ov_test::png_of_at_least(3000));
    QVERIFY2(track && track->is_valid(), "lame is needed");
    ovgv_track_info info;
    QVERIFY(info.like_button()->isHidden() && !info.like_button()->isEnabled() && info.title_link()->isHidden());
    info.set_track(track.get());
    QVERIFY(!info.large_picture()->shows_no_image());
    QCOMPARE(info.small_picture()->image(), info.large_picture()->image());
    QCOMPARE(info.title_link()->text(), QStringLiteral("covered"));
    QCOMPARE(info.second_link()->text(), QStringLiteral("Album / Artist"));
    QVERIFY(!info.title_link()->isHidden() && !info.rank_icon()->pixmap().isNull());

    QSignalSpy titles(&info, &ovgv_track_info::esignal_title_clicked);
    QTest::mouseClick(info.title_link(), Qt::LeftButton);
    QCOMPARE(titles.count(), 1);

    info.set_picture(track.get());
    info.show_incoming(50);
    QVERIFY(!info.incoming_picture()->isHidden());
    info.hide_incoming();
    QVERIFY(info.incoming_picture()->isHidden());

    info.clear();
    QVERIFY(info.title_link()->text().isEmpty() && info.title_link()->isHidden());
    QVERIFY(info.rank_icon()->pixmap().isNull());
    QCOMPARE(info.large_picture()->image(), QImage(QString::fromLatin1(ovg_attached_picture::no_track_path)));
    QTest::mouseClick(info.title_link(), Qt::LeftButton);
    QCOMPARE(titles.count(), 1);

    info.eslot_enabled_like_buttons(true);
    QVERIFY(!info.like_button()->isHidden() && info.dislike_button()->isEnabled());
    info.eslot_enabled_like_buttons(false);
    QVERIFY(!info.like_button()->isEnabled());
  }

  // The numbers on the engine's bars and in the Score column read over the
  // empty part of their bar as well as over the fill.
  void numbers_read_over_their_bars() {
    ovgv_favorite_engine panel(nullptr);
    for (QProgressBar* bar : {panel.exp_bar(), panel.wait_bar()}) {
      bar->setRange(0, 60);
      bar->resize(200, 24);
      for (int value : {0, 60}) {
        bar->setValue(value);
        const QImage image = bar->grab().toImage();
        const QRect middle(70, 6, 60, 12);  // the centred text
        const QPoint clear(value ? 12 : 188, 12);
        QVERIFY2(contrasting_pixels(image, middle, clear) > 5, qPrintable(bar->text()));
      }
    }

    QStandardItemModel model(2, 1);
    model.setData(model.index(0, 0), 0);
    model.setData(model.index(1, 0), ov_track::max_score);
    QTableView view;
    ovg_apply_table_palette(&view);
    ovg_delegate_score delegate;
    view.setItemDelegate(&delegate);
    view.setModel(&model);
    view.setColumnWidth(0, 160);
    view.resize(240, 120);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const QImage image = view.viewport()->grab().toImage();
    for (int row : {0, 1}) {
      const QRect bar = ovg_delegate_score::bar_rect(view.visualRect(model.index(row, 0)));
      const QRect middle(bar.center().x() - 25, bar.top() + 2, 50, bar.height() - 3);
      QVERIFY2(contrasting_pixels(image, middle, QPoint(bar.right() - 3, bar.center().y())) > 5,
               qPrintable(QString::number(row)));
    }
  }

  // A bar set in place shows on screen what a bar painted whole shows, as it
  // counts down over its text and up to its end.
  void bar_set_in_place_matches_whole_paint() {
    ovg_progress_bar bar;
    bar.setStyleSheet(QStringLiteral("QProgressBar { text-align: center;}"));
    bar.setFormat(QStringLiteral("%v sec"));
    bar.setRange(0, 60);
    bar.setValue(60);
    bar.resize(300, 24);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    for (int value : {59, 58, 31, 30, 29, 1, 0, 60}) {
      bar.set_value_in_place(value);
      QCoreApplication::processEvents();
      const QImage shown = bar.screen()->grabWindow(bar.winId()).toImage().convertToFormat(QImage::Format_RGB32);
      QCOMPARE(bar.value(), value);
      QVERIFY2(shown == bar.grab().toImage().convertToFormat(QImage::Format_RGB32), qPrintable(bar.text()));
    }
  }

  // Untagged parts are left out rather than shown as a lone separator.
  void track_info_texts() {
    const struct {
      const char *path, *title, *album, *artist, *first, *second;
    } cases[] = {{"/m/x.mp3", "Song", "Album", "Artist", "Song", "Album / Artist"},
                 {"/m/Night Drive.v2.mp3", "", "", "", "Night Drive.v2", ""},
                 {"/m/x.mp3", "Song", "Album", "", "Song", "Album"},
                 {"/m/x.mp3", "Song", "", "Artist", "Song", "Artist"}};
    ovgv_track_info info;
    for (const auto& c : cases) {
      const ov_track track(1, 0, ov_tag_data::from_values(c.path, c.title, c.album, c.artist, 0, 60));
      info.set_track(&track);
      QCOMPARE(info.title_link()->text(), QString::fromUtf8(c.first));
      QCOMPARE(info.second_link()->text(), QString::fromUtf8(c.second));
      QCOMPARE(info.second_label()->text(), QString::fromUtf8(c.second));
    }
  }

  // A cover that cannot be shown gives the default picture, the tags stay
  // (a good cover: track_info_shows_and_clears).
  void bad_cover_shows_the_default() {
    const std::pair<const char*, QByteArray> cases[] = {{"not_an_image", QByteArray(4000, 'x')}, {"none", {}}};
    for (const auto& [name, picture] : cases) {
      auto track = mp3_track(QStringLiteral("cover-") + QLatin1String(name), picture);
      QVERIFY2(track && track->is_valid(), "lame is needed");
      ovgv_track_info info;
      info.set_track(track.get());
      QVERIFY2(info.large_picture()->shows_no_image(), name);
      QCOMPARE(info.large_picture()->image(), QImage(QString::fromLatin1(ovg_attached_picture::no_image_path)));
      QCOMPARE(info.title_link()->text(), track->tags().title());
    }
  }
};

QTEST_MAIN(test_table_views)
#include "test_table_views.moc"
