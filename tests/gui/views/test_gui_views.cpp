#include "../../playlist/ov_playlist_fixture.h"
#include "ov_setting_int.h"
#include "ov_settings_group.h"
#include "ov_test_mp3.h"
#include "ovg_attached_picture.h"
#include "ovg_next_track_box.h"
#include "ovg_point_effect.h"
#include "ovg_slider.h"
#include "ovgv_next_tracks.h"
#include "ovgv_playback.h"
#include "ovgv_track_info.h"
#include "ovgv_track_info_link_label.h"
#include "ovgv_volume.h"

#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QToolButton>
#include <QtEndian>
#include <QtTest>

namespace {
quint32 crc32(const QByteArray& data) {
  quint32 crc = 0xffffffffu;
  for (char c : data) {
    crc ^= static_cast<quint8>(c);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

// A valid PNG whose header claims a picture of side x side pixels.
QByteArray png_claiming(int side) {
  QByteArray png = ov_test::png_of_at_least(4000);
  qToBigEndian<quint32>(side, png.data() + 16);
  qToBigEndian<quint32>(side, png.data() + 20);
  qToBigEndian<quint32>(crc32(png.mid(12, 17)), png.data() + 29);
  return png;
}

QPoint centre(QWidget* w) { return w->rect().center(); }
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

  void slider_milliseconds_of_long_tracks_data() {
    QTest::addColumn<int>("seconds");
    QTest::addColumn<int>("value");
    QTest::addColumn<qint64>("ms");
    QTest::newRow("4 minutes, half") << 240 << 500 << qint64(120000);
    QTest::newRow("40 minutes, end") << 2400 << 1000 << qint64(2400000);
    QTest::newRow("40 minutes, 999") << 2400 << 999 << qint64(2397600);
    QTest::newRow("10 hours, end") << 36000 << 1000 << qint64(36000000);
    QTest::newRow("zero length") << 0 << 700 << qint64(0);
  }
  void slider_milliseconds_of_long_tracks() {
    QFETCH(int, seconds);
    QFETCH(int, value);
    QFETCH(qint64, ms);
    ovgv_playback view;
    view.set_track(long_track(seconds));
    QCOMPARE(view.ms_of_value(value), ms);
    QCOMPARE(view.value_of_ms(ms), seconds ? value : 0);
    QSignalSpy seeks(&view, &ovgv_playback::esignal_slider_position_released);
    view.position_slider()->setValue(value);
    view.islot_slider_position_released();
    QCOMPARE(seeks.at(0).at(0).toLongLong(), ms);
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
    QSignalSpy plays(&view, &ovgv_playback::esignal_action_play_triggered);
    view.play_button()->click();
    QCOMPARE(plays.count(), 1);
    view.use_compact();
    QCOMPARE(view.position_slider()->parentWidget(), view.compact_widget());
    view.use_wide();
    QCOMPARE(view.position_slider()->parentWidget(), view.wide_widget());
  }

  void volume_reads_and_writes_the_setting_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("shown");
    QTest::newRow("missing") << QString() << 100;
    QTest::newRow("100") << "100" << 100;
    QTest::newRow("40") << "40" << 40;
    QTest::newRow("out of range") << "140" << 100;
  }
  void volume_reads_and_writes_the_setting() {
    QFETCH(QString, stored);
    QFETCH(int, shown);
    const QString file = dir_.filePath(QStringLiteral("main-%1.ini").arg(QTest::currentDataTag()));
    ov_settings_group group(file, QStringLiteral("volume"));
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

  void next_tracks_entries_and_clicks() {
    auto list = fx_.playlist(7);
    list->add_track(fx_.add(QStringLiteral("one")));
    list->add_track(fx_.add(QStringLiteral("two")));
    ovgv_next_tracks panel(4);
    panel.set_entries(list->items());
    const auto& boxes = panel.boxes();
    QCOMPARE(boxes.size(), 4);
    QCOMPARE(boxes[1]->title_label()->text(), QStringLiteral("two"));
    for (int i : {2, 3}) {
      QVERIFY(!boxes[i]->entry() && !boxes[i]->is_selectable());
      QVERIFY(boxes[i]->picture()->shows_no_image());
    }
    QVERIFY(panel.contains(list->item_at(0)));
    QCOMPARE(panel.shown_entries_except(list->item_at(0)), QList<ov_playlist_item*>{list->item_at(1)});

    panel.container()->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel.container()));
    QSignalSpy clicks(&panel, &ovgv_next_tracks::esignal_box_clicked);
    QSignalSpy doubles(&panel, &ovgv_next_tracks::esignal_box_double_clicked);

    // A press and a release outside the box do not pick it.
    QTest::mousePress(boxes[0], Qt::LeftButton, {}, QPoint(-5, -5));
    QTest::mouseRelease(boxes[0], Qt::LeftButton, {}, QPoint(-5, -5));
    QCOMPARE(clicks.count(), 0);

    QTest::mouseClick(boxes[1], Qt::LeftButton, {}, centre(boxes[1]));
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(clicks.at(0).at(0).value<ov_playlist_item*>(), list->item_at(1));
    QTest::mouseClick(boxes[0], Qt::LeftButton, {}, centre(boxes[0]));
    QCOMPARE(clicks.count(), 1);
    QTest::mouseDClick(boxes[0], Qt::LeftButton, {}, centre(boxes[0]));
    QCOMPARE(doubles.count(), 0);
    QTest::mouseDClick(boxes[1], Qt::LeftButton, {}, centre(boxes[1]));
    QCOMPARE(doubles.count(), 1);
    QCOMPARE(doubles.at(0).at(0).value<ov_playlist_item*>(), list->item_at(1));

    // A double click on a fresh box picks it and plays it at once.
    panel.set_entries(list->items());
    QTest::mouseClick(boxes[0], Qt::LeftButton, {}, centre(boxes[0]));
    QTest::mouseDClick(boxes[0], Qt::LeftButton, {}, centre(boxes[0]));
    QTest::mouseRelease(boxes[0], Qt::LeftButton, {}, centre(boxes[0]));
    QCOMPARE(clicks.count(), 2);
    QCOMPARE(doubles.count(), 2);
    QCOMPARE(doubles.at(1).at(0).value<ov_playlist_item*>(), list->item_at(0));
  }

  void next_tracks_disabled_and_resized() {
    auto list = fx_.playlist(8);
    list->add_track(fx_.add(QStringLiteral("three")));
    ovgv_next_tracks panel(1);
    QCOMPARE(panel.number_of_boxes(), 4);
    panel.container()->resize(300, 80);
    panel.container()->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel.container()));
    panel.set_enabled(false);
    QLabel* label = panel.disabled_label();
    QVERIFY(label->isVisible());
    QCOMPARE(label->text(), QStringLiteral("Disabled"));
    QVERIFY(qAbs(label->geometry().center().x() - panel.container()->rect().center().x()) <= 1);
    panel.set_entries(list->items());
    QSignalSpy clicks(&panel, &ovgv_next_tracks::esignal_box_clicked);
    QTest::mouseClick(panel.boxes()[0], Qt::LeftButton, {}, centre(panel.boxes()[0]));
    QCOMPARE(clicks.count(), 0);
    panel.set_enabled(true);
    QVERIFY(!label->isVisible());

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
    QVERIFY(info.like_button()->isHidden() && !info.like_button()->isEnabled());
    QVERIFY(info.title_link()->isHidden());
    info.set_track(track.get());
    QVERIFY(!info.large_picture()->shows_no_image());
    QCOMPARE(info.small_picture()->image(), info.large_picture()->image());
    QCOMPARE(info.title_link()->text(), QStringLiteral("covered"));
    QCOMPARE(info.second_link()->text(), QStringLiteral("Album / Artist"));
    QVERIFY(!info.title_link()->isHidden());
    QVERIFY(!info.rank_icon()->pixmap().isNull());

    QSignalSpy titles(&info, &ovgv_track_info::esignal_title_clicked);
    QTest::mouseClick(info.title_link(), Qt::LeftButton);
    QCOMPARE(titles.count(), 1);

    info.set_picture(track.get());
    info.show_incoming(50);
    QVERIFY(!info.incoming_picture()->isHidden());
    QCOMPARE(info.incoming_picture()->geometry(), QRect(1, 71, 70, 70));
    info.hide_incoming();
    QVERIFY(info.incoming_picture()->isHidden());

    info.clear();
    QVERIFY(info.title_link()->text().isEmpty() && info.title_link()->isHidden());
    QVERIFY(info.rank_icon()->pixmap().isNull());
    QCOMPARE(info.large_picture()->image(), QImage(QString::fromLatin1(ovg_attached_picture::no_track_path)));
    QTest::mouseClick(info.title_link(), Qt::LeftButton);
    QCOMPARE(titles.count(), 1);

    QSignalSpy likes(&info, &ovgv_track_info::esignal_button_like_clicked);
    QSignalSpy dislikes(&info, &ovgv_track_info::esignal_button_dislike_clicked);
    info.eslot_enabled_like_buttons(true);
    QVERIFY(!info.like_button()->isHidden() && info.dislike_button()->isEnabled());
    info.like_button()->click();
    info.dislike_button()->click();
    QCOMPARE(likes.count() + dislikes.count(), 2);
    info.eslot_enabled_like_buttons(false);
    QVERIFY(!info.like_button()->isEnabled());
  }

  void bad_cover_shows_the_default_data() {
    QTest::addColumn<QByteArray>("picture");
    QTest::addColumn<bool>("usable");
    const QByteArray good = ov_test::png_of_at_least(5000);
    QTest::newRow("good") << good << true;
    QTest::newRow("truncated") << good.left(good.size() / 2) << false;
    QTest::newRow("not an image") << QByteArray(4000, 'x') << false;
    QTest::newRow("huge") << png_claiming(30000) << false;
    QTest::newRow("none") << QByteArray() << false;
  }
  void bad_cover_shows_the_default() {
    QFETCH(QByteArray, picture);
    QFETCH(bool, usable);
    auto track = mp3_track(QStringLiteral("cover-%1").arg(QTest::currentDataTag()).replace(' ', '_'), picture);
    QVERIFY2(track && track->is_valid(), "lame is needed");
    ovgv_track_info info;
    info.set_track(track.get());
    QCOMPARE(info.large_picture()->shows_no_image(), !usable);
    if (!usable)
      QCOMPARE(info.large_picture()->image(), QImage(QString::fromLatin1(ovg_attached_picture::no_image_path)));
    QCOMPARE(info.title_link()->text(), track->tags().title());
  }
};

QTEST_MAIN(test_gui_views)
#include "test_gui_views.moc"
