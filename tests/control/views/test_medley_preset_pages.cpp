#include "ov_database.h"
#include "ov_medley_preset_store.h"
#include "ov_schema.h"
#include "ov_statement.h"
#include "ovg_mimedata_drag_preset.h"
#include "ovg_pref_dialog_medley_preset.h"
#include "ovg_spinbox.h"
#include "ovgp_medley_preset.h"
#include "ovgp_medley_presets.h"
#include "ovgp_tableview_presets.h"

#include <QApplication>
#include <QCheckBox>
#include <QDropEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

QStringList names_of(const QList<ov_medley_preset>& list) {
  QStringList names;
  for (const auto& p : list) names << p.name;
  return names;
}

// Drags the preset of row from over the point of the view's viewport and
// drops it there; true when the view accepted the drag at that point.
bool drop(ovgp_medley_presets& page, int from, QPoint at) {
  ovg_mimedata_drag_preset data(page.model()->index(from, 0));
  QDragEnterEvent enter(at, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(page.view()->viewport(), &enter);  // makes the view the drag's target
  if (!enter.isAccepted()) return false;
  QDragMoveEvent move(at, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(page.view()->viewport(), &move);
  QDropEvent dropped(at, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(page.view()->viewport(), &dropped);
  return move.isAccepted();
}

QPoint centre_of(ovgp_medley_presets& page, int row) {
  return page.view()->visualRect(page.model()->index(row, 0)).center();
}

}  // namespace

class test_medley_preset_pages : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QList<ov_medley_preset> five() { return ov_medley_preset::built_in().mid(0, 5); }

private slots:
  void page_round_trips_values_in_both_layouts() {
    for (const ov_medley_preset& p : ov_medley_preset::built_in())
      for (auto layout : {ovgp_medley_preset::layout_kind::compact, ovgp_medley_preset::layout_kind::full}) {
        ovgp_medley_preset page(p, layout);
        QCOMPARE(page.record(), p);
        QCOMPARE(page.copy(ovgp_medley_preset::layout_kind::full)->record(), p);
      }
  }

  void radio_pairs_enable_their_fields() {
    ov_medley_preset p = ov_medley_preset::built_in()[1];  // flatline and start in percent
    ovgp_medley_preset page(p, ovgp_medley_preset::layout_kind::full);
    const auto radios = page.widget()->findChildren<QRadioButton*>();
    const auto percents = page.widget()->findChildren<ovg_spinbox*>();  // fl min, fl max, sp min, sp max
    QCOMPARE(radios.size(), 4);
    QVERIFY(percents[0]->isEnabled() && percents[3]->isEnabled());
    radios[0]->setChecked(true);  // flatline in seconds
    QVERIFY(!percents[0]->isEnabled() && !percents[1]->isEnabled());
    QVERIFY(percents[2]->isEnabled());
    QVERIFY(page.record().fl_senabled && !page.record().sp_senabled);
  }

  void option_boxes_say_what_they_do() {
    ovgp_medley_preset page(ov_medley_preset::built_in()[0], ovgp_medley_preset::layout_kind::full);
    QStringList texts;
    for (const QCheckBox* box : page.widget()->findChildren<QCheckBox*>()) texts << box->text();
    QCOMPARE(texts, QStringList({"Try to adjust fade in/out length", "No fade on begin/end of track",
                                 "Make playtime longer on high scored ones"}));
  }

  void default_keeps_its_name() {
    ovgp_medley_presets page(five(), nullptr);
    page.model()->setData(page.model()->index(0, 0), QStringLiteral("X"), Qt::EditRole);
    page.model()->setData(page.model()->index(2, 0), QStringLiteral("Mine"), Qt::EditRole);
    QCOMPARE(names_of(page.presets()).mid(0, 3), QStringList({"Default", "Long", "Mine"}));
    QVERIFY(!(page.model()->flags(page.model()->index(0, 0)) & Qt::ItemIsEditable));
  }

  void dragging_moves_rows() {
    ovgp_medley_presets page(five(), nullptr);
    page.widget()->resize(600, 400);
    page.widget()->show();
    QVERIFY(drop(page, 3, centre_of(page, 1)));
    QCOMPARE(names_of(page.presets()), QStringList({"Default", "Sabi Medley", "Long", "Short", "Game Soundtrack"}));
    QCOMPARE(page.current_row(), 1);
    QVERIFY(drop(page, 1, centre_of(page, 4) + QPoint(0, 60)));  // below the last row
    const QStringList moved{"Default", "Long", "Short", "Game Soundtrack", "Sabi Medley"};
    QCOMPARE(names_of(page.presets()), moved);
    QCOMPARE(page.current_row(), 4);
    QVERIFY(!drop(page, 2, centre_of(page, 0)));  // row 0 refuses the drop
    QVERIFY(drop(page, 2, centre_of(page, 2)));   // onto itself: nothing
    QCOMPARE(names_of(page.presets()), moved);
  }

  void moves_out_of_range_do_nothing() {
    ovgp_medley_presets page(five(), nullptr);
    for (const auto& [from, to] : QList<QPair<int, int>>{{0, 2}, {2, 0}, {5, 1}, {1, 6}, {2, 3}})
      page.islot_move_preset(from, to);
    QCOMPARE(page.presets(), five());
  }

  void removal_selects_the_right_row() {
    ovgp_medley_presets page(five(), nullptr);
    page.view()->setCurrentIndex(page.model()->index(0, 0));
    QVERIFY(!page.remove_button()->isEnabled());
    page.islot_remove_selected_preset();  // the default stays
    QCOMPARE(page.count(), 5);
    page.view()->setCurrentIndex(page.model()->index(4, 0));
    page.islot_remove_selected_preset();  // the last: the one above becomes current
    QCOMPARE(page.current_row(), 3);
    QCOMPARE(page.current_page(), page.preset_at(3)->widget());
    page.view()->setCurrentIndex(page.model()->index(1, 0));
    page.islot_remove_selected_preset();  // else the one below moves up
    QCOMPARE(page.current_row(), 1);
    QCOMPARE(page.preset_at(1)->name(), QStringLiteral("Short"));
    QCOMPARE(page.removed_ids(), QList<int>({4, 1}));
  }

  void added_preset_takes_the_next_id() {
    auto db = ov_open_database(dir_.path(), QStringLiteral("presets"));
    const QList<ov_medley_preset> loaded = ov_medley_preset_store(db.get()).load().presets;
    ovgp_medley_presets page(loaded, db.get());
    page.islot_add_new_preset();
    QCOMPARE(page.count(), 7);
    QCOMPARE(page.current_row(), 6);
    QCOMPARE(page.preset_at(6)->id(), 7);
    QCOMPARE(page.preset_at(6)->name(), QStringLiteral("New Preset"));
    QVERIFY(page.preset_at(6)->layout() == ovgp_medley_preset::layout_kind::compact);
  }

  void accepted_dialog_stores_positions_in_list_order() {
    QFile::remove(ov_database_path(dir_.path(), QStringLiteral("presets")));
    auto db = ov_open_database(dir_.path(), QStringLiteral("presets"));
    QList<ov_medley_preset> presets = ov_medley_preset_store(db.get()).load().presets;
    QTimer::singleShot(0, [] {
      auto* dialog = qobject_cast<ovg_pref_dialog_medley_preset*>(QApplication::activeModalWidget());
      QVERIFY(dialog);
      QCOMPARE(dialog->windowTitle(), QStringLiteral("Pref (Medley Presets)"));
      dialog->page()->islot_move_preset(5, 1);
      dialog->page()->view()->setCurrentIndex(dialog->page()->model()->index(3, 0));
      dialog->page()->islot_remove_selected_preset();  // "Short", id 2
      dialog->accept();
    });
    QCOMPARE(ovg_edit_medley_presets(presets, db.get(), nullptr), int(QDialog::Accepted));
    QCOMPARE(names_of(presets), QStringList({"Default", "Random Half", "Long", "Sabi Medley", "Game Soundtrack"}));
    ov_statement s = db->prepare(QStringLiteral("SELECT id, position FROM presets ORDER BY position;"));
    QList<int> ids, positions;
    while (s.step_row()) ids << s.column_int(0), positions << s.column_int(1);
    QCOMPARE(ids, QList<int>({0, 5, 1, 3, 4}));
    QCOMPARE(positions, QList<int>({0, 1, 2, 3, 4}));
  }

  void cancelled_dialog_writes_nothing() {
    auto db = ov_open_database(dir_.path(), QStringLiteral("presets"));
    QList<ov_medley_preset> presets = ov_medley_preset_store(db.get()).load().presets;
    const QList<ov_medley_preset> before = presets;
    QTimer::singleShot(0, [] {
      auto* dialog = qobject_cast<ovg_pref_dialog_medley_preset*>(QApplication::activeModalWidget());
      QVERIFY(dialog);
      dialog->page()->islot_move_preset(4, 1);
      dialog->reject();
    });
    QCOMPARE(ovg_edit_medley_presets(presets, db.get(), nullptr), int(QDialog::Rejected));
    QCOMPARE(presets, before);
    QCOMPARE(ov_medley_preset_store(db.get()).load().presets, before);
  }
};

QTEST_MAIN(test_medley_preset_pages)
#include "test_medley_preset_pages.moc"
