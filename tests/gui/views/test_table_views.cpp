#include "ov_model.h"
#include "ov_model_playlist.h"
#include "ov_playlist_fixture.h"
#include "ovd_track.h"
#include "ovg_delegate_rank.h"
#include "ovg_delegate_score.h"
#include "ovg_delegate_text.h"
#include "ovg_mime_data_drag_playlist.h"
#include "ovg_mime_data_drag_tracks.h"
#include "ovg_table_view_playlist.h"
#include "ovg_table_view_tracks.h"
#include "ovg_tableview_tracks_hheader.h"
#include "ovg_widget.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QMenu>
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

private slots:
  void initTestCase() {
    for (const char* title : {"delta", "alpha", "charlie", "bravo", "echo"}) list->add_track(f.add(title, 150));
  }

  // Pixels just inside both ends of the bar show the colour of the highest
  // rank group the score reaches.
  void score_bar_edges_data() {
    QTest::addColumn<int>("score");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("0: empty") << 0 << k_background;
    QTest::newRow("199: first group full") << 199 << QColor("#7a70cc");
    QTest::newRow("200: second group starts empty") << 200 << QColor("#7a70cc");
    QTest::newRow("1499: second group full") << 1499 << QColor("#70cca0");
    QTest::newRow("99999999: top group full") << 99999999 << QColor("#e8d35a");
  }
  void score_bar_edges() {
    QFETCH(int, score);
    QFETCH(QColor, colour);
    ovg_delegate_score delegate;
    const QSize size(120, 21);
    const QImage image = paint_cell(delegate, score, size);
    const QRect bar = ovg_delegate_score::bar_rect(QRect(QPoint(0, 0), size));
    QCOMPARE(bar, QRect(QPoint(35, 4), QPoint(112, 16)));
    QCOMPARE(image.pixelColor(bar.left() + 1, bar.top() + 1), colour);
    QCOMPARE(image.pixelColor(bar.right() - 1, bar.top() + 1), colour);
    QCOMPARE(image.pixelColor(bar.right() - 1, bar.bottom() - 1), colour);
    QCOMPARE(image.pixelColor(bar.right() + 2, bar.top() + 1), k_background);
  }

  void score_segment_widths_data() {
    QTest::addColumn<int>("score");
    QTest::addColumn<int>("lower");
    QTest::addColumn<int>("upper");
    QTest::addColumn<int>("width");
    QTest::newRow("0 in E+") << 0 << 0 << 199 << 0;
    QTest::newRow("199 in E+") << 199 << 0 << 199 << 78;
    QTest::newRow("199 in C+") << 199 << 199 << 1499 << 0;
    QTest::newRow("849 in C+ (half)") << 849 << 199 << 1499 << 39;
    QTest::newRow("1500 in C+ (past)") << 1500 << 199 << 1499 << 78;
    QTest::newRow("99999999 in SS") << 99999999 << 499999 << 99999999 << 78;
  }
  void score_segment_widths() {
    QFETCH(int, score);
    QFETCH(int, lower);
    QFETCH(int, upper);
    QFETCH(int, width);
    QCOMPARE(ovg_delegate_score::segment_width(score, lower, upper, 78), width);
  }

  void score_small_cell_paints_only_background() {
    ovg_delegate_score delegate;
    for (const QSize size : {QSize(49, 21), QSize(120, 13)}) {
      const QImage image = paint_cell(delegate, 99999999, size);
      QImage expected(size, QImage::Format_ARGB32);
      expected.fill(k_background);
      QCOMPARE(image, expected);
    }
  }

  void rank_icons_differ_by_rank() {
    ovg_delegate_rank delegate;
    const QImage f_rank = paint_cell(delegate, 0, QSize(44, 21));
    const QImage ss_rank = paint_cell(delegate, 99999999, QSize(44, 21));
    QVERIFY(f_rank.pixelColor(22, 10) != k_background);
    QVERIFY(f_rank != ss_rank);
  }

  // Texts drawn without eliding must fit; anything doubtful is elided.
  void text_cells_elide_when_in_doubt_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("fits");
    QTest::newRow("short, wide cell") << "0:07" << 57 << true;
    QTest::newRow("long, narrow cell") << "Lapis Philosophorum Overture" << 40 << false;
    QTest::newRow("CJK, wide cell") << QString::fromUtf8("空と海") << 250 << true;
    QTest::newRow("Arabic, never sure") << QString::fromUtf8("سلام") << 250 << false;
  }
  void text_cells_elide_when_in_doubt() {
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(bool, fits);
    ovg_delegate_text delegate;
    QStyleOptionViewItem option;
    option.font = QApplication::font();
    option.fontMetrics = QFontMetrics(option.font);
    QCOMPARE(delegate.surely_fits(option, text, width), fits);
    if (fits) QVERIFY(option.fontMetrics.horizontalAdvance(text) <= width);
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

  void uri_drops_data() {
    QTest::addColumn<QStringList>("names");  // "?" marks a path that does not exist
    QTest::addColumn<QStringList>("emitted");
    QTest::newRow("file and directory") << QStringList{"a.mp3", "sub"} << QStringList{"a.mp3", "sub"};
    QTest::newRow("missing left out") << QStringList{"?gone.mp3", "a.mp3"} << QStringList{"a.mp3"};
    QTest::newRow("nothing left") << QStringList{"?gone.mp3", "?sub/none"} << QStringList{};
  }
  void uri_drops() {
    QFETCH(QStringList, names);
    QFETCH(QStringList, emitted);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("sub"));
    QFile file(dir.filePath("a.mp3"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QList<QUrl> urls;
    for (QString name : names) urls << QUrl::fromLocalFile(dir.filePath(name.remove('?')));
    urls << QUrl("http://example.invalid/x.mp3");  // never a local path
    QStringList expected;
    for (const QString& name : emitted) expected << dir.filePath(name);

    auto view = shown_view();
    QSignalSpy spy(view.get(), &ovg_table_view_tracks::signal_filepaths_dropped);
    QMimeData data;
    data.setUrls(urls);
    drop(view->viewport(), &data, row_point(*view, 0));
    QCOMPARE(spy.count(), expected.isEmpty() ? 0 : 1);
    if (!expected.isEmpty()) QCOMPARE(spy.at(0).at(0).toStringList(), expected);
  }

  void track_payload_drops_move_rows() {
    auto view = shown_view();
    QSignalSpy moves(view.get(), &ovg_table_view_tracks::esignal_move_tracks);
    view->selectionModel()->select(view->model()->index(3, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    view->selectionModel()->select(view->model()->index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
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

  void header_menu_toggles_columns() {
    auto view = shown_view();
    ovg_tableview_tracks_hheader* header = view->tracks_header();
    QCOMPARE(header->height(), 26);
    const QList<QAction*> entries = header->column_menu()->actions();
    QCOMPARE(entries.size(), 17 + 3);
    for (int at : {2, 8, 12}) QVERIFY(entries.at(at)->isSeparator());
    for (const ovd_track::column& c : ovd_track::instance().columns()) {
      QAction* action = header->column_action(c.number);
      QCOMPARE(action->text(), c.tooltip);
      QCOMPARE(action->isEnabled(), c.toggleable);
      QCOMPARE(action->isChecked(), c.visible_by_default);
      QCOMPARE(view->isColumnHidden(c.number), !c.visible_by_default);
      if (!c.toggleable) continue;
      action->trigger();
      QCOMPARE(view->isColumnHidden(c.number), c.visible_by_default);
      action->trigger();
      QCOMPARE(view->isColumnHidden(c.number), !c.visible_by_default);
    }
    // A restored state shows in the menu.
    header->column_action(ovd_track::col_count_n)->trigger();
    ovg_table_view_tracks second(list.get());
    second.horizontalHeader()->restoreState(header->saveState());
    second.tracks_header()->sync_actions();
    QVERIFY(!second.isColumnHidden(ovd_track::col_count_n));
    QVERIFY(second.tracks_header()->column_action(ovd_track::col_count_n)->isChecked());
  }

  void header_click_sorts_playlist() {
    auto view = shown_view();
    QHeaderView* header = view->horizontalHeader();
    const QPoint title(header->sectionViewportPosition(ovd_track::col_title) + 10, 10);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, title);
    QCOMPARE(f.titles(*list).first(), QStringLiteral("alpha"));
    QCOMPARE(view->model()->index(0, ovd_track::col_title).data().toString(), QStringLiteral("alpha"));
  }

  void track_view_keys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("global");
    QTest::addColumn<bool>("left");
    QTest::addColumn<int>("kicked");  // row, -1 none
    QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier) << true << false << -1;
    QTest::newRow("Shift+Space") << int(Qt::Key_Space) << int(Qt::ShiftModifier) << true << false << -1;
    QTest::newRow("Ctrl+Left") << int(Qt::Key_Left) << int(Qt::ControlModifier) << true << false << -1;
    QTest::newRow("Ctrl+Right") << int(Qt::Key_Right) << int(Qt::ControlModifier) << true << false << -1;
    QTest::newRow("Ctrl+Tab") << int(Qt::Key_Tab) << int(Qt::ControlModifier) << true << false << -1;
    QTest::newRow("Left") << int(Qt::Key_Left) << int(Qt::NoModifier) << false << true << -1;
    QTest::newRow("Ctrl+Shift+Left") << int(Qt::Key_Left) << int(Qt::ControlModifier | Qt::ShiftModifier) << false
                                     << false << -1;
    QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier) << false << false << 2;
    QTest::newRow("Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << false << false << 2;
    QTest::newRow("Down") << int(Qt::Key_Down) << int(Qt::NoModifier) << false << false << -1;
  }
  void track_view_keys() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, global);
    QFETCH(bool, left);
    QFETCH(int, kicked);
    auto view = shown_view();
    view->setCurrentIndex(view->model()->index(2, 2));
    QSignalSpy globals(view.get(), &ovg_table_view_tracks::esignal_global_key_pressed);
    QSignalSpy lefts(view.get(), &ovg_table_view_tracks::esignal_left_key_pressed);
    QSignalSpy kicks(view.get(), &ovg_table_view_tracks::esignal_track_kicked);
    QTest::keyClick(view.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(globals.count(), global ? 1 : 0);
    if (global) QCOMPARE(globals.at(0).at(0).toInt(), key);
    QCOMPARE(lefts.count(), left ? 1 : 0);
    QCOMPARE(kicks.count(), kicked >= 0 ? 1 : 0);
    if (kicked >= 0) QCOMPARE(kicks.at(0).at(0).toInt(), kicked);
    if (key == Qt::Key_Down) QCOMPARE(view->currentIndex().row(), 3);
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

  void playlist_view_keys_and_remove_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<int>("removed");  // -1 none
    QTest::newRow("accepted") << 2 << QByteArray("accept") << 2;
    QTest::newRow("rejected") << 2 << QByteArray("reject") << -1;
    QTest::newRow("library row") << 0 << QByteArray("accept") << -1;
  }
  void playlist_view_keys_and_remove() {
    QFETCH(int, row);
    QFETCH(QByteArray, answer);
    QFETCH(int, removed);
    auto library = f.playlist(0);
    auto second = f.playlist(2);
    const QList<ov_playlist*> lists{library.get(), list.get(), second.get()};
    ov_model_playlist model(&lists);
    ovg_table_view_playlist view;
    view.setModel(&model);
    QSignalSpy changed(&view, &ovg_table_view_playlist::signal_current_item_changed);
    view.setCurrentIndex(model.index(row, 1));
    QCOMPARE(changed.count(), 1);
    QSignalSpy removals(&view, &ovg_table_view_playlist::esignal_playlist_removed);
    qputenv("ORVANTIS_AUTOTEST", answer);
    QTest::keyClick(&view, Qt::Key_Delete);
    qunsetenv("ORVANTIS_AUTOTEST");
    QCOMPARE(removals.count(), removed >= 0 ? 1 : 0);
    if (removed >= 0) QCOMPARE(removals.at(0).at(0).toInt(), removed);

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

  void playlist_view_drops() {
    auto library = f.playlist(0);
    auto second = f.playlist(2);
    auto third = f.playlist(3);
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

  void widget_reports_size() {
    ovg_widget w;
    QSignalSpy spy(&w, &ovg_widget::esignal_resized);
    w.resize(321, 123);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(!spy.isEmpty());
    QCOMPARE(spy.last().at(0).toInt(), 321);
    QCOMPARE(spy.last().at(1).toInt(), 123);
  }
};

QTEST_MAIN(test_table_views)
#include "test_table_views.moc"
