#include "ov_playlist_fixture.h"
#include "ov_setting_int.h"
#include "ov_settings_group.h"
#include "ov_test_mp3.h"
#include "ovg_attached_picture.h"
#include "ovg_delegate_score.h"
#include "ovg_next_track_box.h"
#include "ovg_point_effect.h"
#include "ovg_slider.h"
#include "ovg_table_palette.h"
#include "ovgv_favorite_engine.h"
#include "ovgv_next_tracks.h"
#include "ovgv_playback.h"
#include "ovgv_track_info.h"
#include "ovgv_track_info_link_label.h"
#include "ovgv_volume.h"

#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

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

// Behaviour of the playback, volume, track information and next-tracks views.
class test_gui_views : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  ov_playlist_fixture fx_;

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
    return fx_.add(ov_playlist_fixture::track_values{QStringLiteral("long"), {}, {}, 0, 0, seconds});
  }

private slots:
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
    auto list = fx_.playlist(7);
    list->add_track(fx_.add(QStringLiteral("one")));
    list->add_track(fx_.add(QStringLiteral("two")));
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
    auto list = fx_.playlist(9);
    list->add_track(fx_.add(QStringLiteral("four")));
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

    auto info = std::make_unique<ovgv_track_info>();
    info->run_point_effect(50);
    QPointer<ovg_point_effect> on_picture = info->point_effect_host()->findChild<ovg_point_effect*>();
    QVERIFY(on_picture);
    info.reset();
    QVERIFY(on_picture.isNull());
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

  // Untagged parts are left out rather than shown as a lone separator; the
  // title stays bold however often the pointer passes over it.
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
      QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
      QApplication::sendEvent(info.title_link(), &enter);
      QVERIFY(info.title_link()->font().underline());
      QEvent leave(QEvent::Leave);
      QApplication::sendEvent(info.title_link(), &leave);
      QVERIFY(info.title_link()->font().bold() && !info.title_link()->font().underline());
    }
  }

  // A cover that cannot be shown gives the default picture, the tags stay.
  void bad_cover_shows_the_default() {
    const QByteArray good = ov_test::png_of_at_least(5000);
    const struct {
      const char* name;
      QByteArray picture;
      bool usable;
    } cases[] = {{"good", good, true}, {"not_an_image", QByteArray(4000, 'x'), false}, {"none", {}, false}};
    for (const auto& c : cases) {
      auto track = mp3_track(QStringLiteral("cover-") + QLatin1String(c.name), c.picture);
      QVERIFY2(track && track->is_valid(), "lame is needed");
      ovgv_track_info info;
      info.set_track(track.get());
      QVERIFY2(info.large_picture()->shows_no_image() == !c.usable, c.name);
      if (!c.usable)
        QCOMPARE(info.large_picture()->image(), QImage(QString::fromLatin1(ovg_attached_picture::no_image_path)));
      QCOMPARE(info.title_link()->text(), track->tags().title());
    }
  }
};

QTEST_MAIN(test_gui_views)
#include "test_gui_views.moc"
