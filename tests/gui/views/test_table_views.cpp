#include "ov_model.h"
#include "ov_model_playlist.h"
#include "ov_playlist_fixture.h"
#include "ovd_track.h"
#include "ovg_delegate_score.h"
#include "ovg_delegate_text.h"
#include "ovg_mime_data_drag_playlist.h"
#include "ovg_mime_data_drag_tracks.h"
#include "ovg_table_view_playlist.h"
#include "ovg_table_view_tracks.h"
#include "ovg_tableview_tracks_hheader.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QSignalSpy>
#include <QStandardItemModel>
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
    for (const ovd_track::column& c : ovd_track::instance().columns()) {
      QAction* action = header->column_action(c.number);
      QCOMPARE(action->text(), c.tooltip);
      QCOMPARE(action->isEnabled(), c.toggleable);
      QCOMPARE(action->isChecked(), c.visible_by_default);
      QCOMPARE(view->isColumnHidden(c.number), !c.visible_by_default);
      if (!c.toggleable) continue;
      for (bool flipped : {true, false}) {
        action->trigger();
        QCOMPARE(view->isColumnHidden(c.number), c.visible_by_default == flipped);
      }
    }
    header->column_action(ovd_track::col_count_n)->trigger();
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
};

QTEST_MAIN(test_table_views)
#include "test_table_views.moc"
