#include "ov_mainwindow_fixture.h"
#include "ov_medley_preset.h"
#include "ov_playlist.h"
#include "ov_track.h"
#include "ovg_table_view_playlist.h"
#include "ovgp_medley_preset.h"
#include "ovgp_model_presets.h"
#include "ovgv_search_bar.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>
#include <QtTest>

#include <fcntl.h>
#include <unistd.h>

// Closes the next modal dialog that opens, accepting or rejecting it, and
// keeps the text of its message.
class dialog_answer : public QObject {
public:
  explicit dialog_answer(bool accept) : accept_(accept) {
    connect(&poll_, &QTimer::timeout, this, [this] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      poll_.stop();
      if (auto* label = dialog->findChild<QLabel*>(QStringLiteral("remove_message"))) text = label->text();
      accept_ ? dialog->accept() : dialog->reject();
    });
    poll_.start(1);
  }
  QString text;

private:
  bool accept_;
  QTimer poll_;
};

// The editing flows as the user meets them in the window: what a
// destructive action takes and how it asks, what adding and searching
// report, the hint of an empty library and the Japanese texts.
class test_mainwindow_edit : public QObject {
  Q_OBJECT

  QTemporaryDir data_;
  QString music_;
  QString old_cwd_;
  using run = ov_mainwindow_run;

  // The message, when the shown window has room for all of it.
  static QString status(const run& r) {
    const auto* label = r.window->findChild<QLabel*>(QStringLiteral("window_message"));
    QCoreApplication::sendPostedEvents();
    const bool fits =
        label->isVisible() && label->contentsRect().width() >= label->fontMetrics().horizontalAdvance(label->text());
    return !r.window->isVisible() || fits ? label->text() : QStringLiteral("(cut) ") + label->text();
  }
  static QString title(const run& r, int row) { return r.area()->selected()->track_at(row)->tags().title(); }

private slots:
  void initTestCase() {
    qputenv("ORVANTIS_PCM_DEVICE", "null");
    music_ = data_.filePath(QStringLiteral("music"));
    QVERIFY(QDir().mkpath(music_));
    QVERIFY(ov_make_tagged_mp3s(QDir(music_), 12));
    old_cwd_ = QDir::currentPath();
    QVERIFY(QDir::setCurrent(data_.path()));
  }
  void cleanupTestCase() { QDir::setCurrent(old_cwd_); }
  void init() {
    QDir(QStringLiteral("conf")).removeRecursively();
    QVERIFY(QDir().mkpath(QStringLiteral("conf")));
  }

  // After a restart the stored row of a long playlist is in view; removing
  // takes the selection only from the track table with the focus, and every
  // question names what goes.
  void destructive_actions_take_the_visible_selection() {
    {
      run r;
      r.window->islot_create_new_playlist();
      for (int i = 0; i < 4; ++i) r.window->islot_add_files({music_});
      QCOMPARE(r.area()->selected()->count(), 48);
    }
    {
      QSettings ini(QStringLiteral("conf/main.ini"), QSettings::IniFormat);
      ini.setValue(QStringLiteral("window/selected_table_row"), 47);
      ini.setValue(QStringLiteral("window/selected_table_slider_position"), 0);
    }
    run r;
    r.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(r.window.get()));
    QCoreApplication::processEvents();
    ovg_table_view_tracks* view = r.area()->selected_view();
    QCOMPARE(r.area()->selected_row(), 1);
    QCOMPARE(view->selected_rows().size(), 1);
    QCOMPARE(view->selected_rows().first().row(), 47);
    QVERIFY(view->viewport()->rect().contains(view->visualRect(view->model()->index(47, 1)).center()));

    // The playlist table has the focus: the track selection is not taken.
    r.area()->playlist_view()->setFocus();
    r.action(ovg_main_actions::delete_from_playlist)->trigger();
    QCOMPARE(r.area()->selected()->count(), 48);
    QCOMPARE(status(r), QStringLiteral("Select tracks in the track table first."));

    view->setFocus();
    {
      const QString question = QStringLiteral("Remove \"%1\" from the playlist \"New Playlist\"?\n").arg(title(r, 47));
      dialog_answer answer(true);
      r.action(ovg_main_actions::delete_from_playlist)->trigger();
      QCOMPARE(answer.text, question + QStringLiteral("The tracks stay in the library."));
    }
    QCOMPARE(r.area()->selected()->count(), 47);

    r.select_rows({0, 1, 2, 3, 4});
    {
      dialog_answer answer(false);
      r.action(ovg_main_actions::delete_from_library)->trigger();
      const QString titles = QStringLiteral("\"%1\", \"%2\", \"%3\" and 2 more\n");
      QCOMPARE(answer.text, QStringLiteral("Remove 5 tracks from the library?\n") +
                                titles.arg(title(r, 0), title(r, 1), title(r, 2)) +
                                QStringLiteral("Score info will be removed too."));
    }
    QCOMPARE(r.library->paths().size(), 12);

    r.area()->playlist_view()->setFocus();
    {
      dialog_answer answer(true);
      r.area()->playlist_view()->islot_remove_playlist();
      QCOMPARE(answer.text, QStringLiteral("Remove the playlist \"New Playlist\"?\nIts tracks stay in the library."));
    }
    QCOMPARE(r.area()->playlists().size(), 1);
  }

  // The empty library carries a hint until its first track; adding tells
  // what was added and what was no music; a search that finds nothing says
  // so until the word changes.
  void adding_and_searching_report_what_happened() {
    const QString mixed = data_.filePath(QStringLiteral("mixed"));
    QVERIFY(QDir().mkpath(mixed));
    QVERIFY(ov_make_tagged_mp3s(QDir(mixed), 3));
    QFile notes(QDir(mixed).filePath(QStringLiteral("notes.mp3")));
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.write("not music at all\n");
    notes.close();
    // A name that is not text in the file name encoding: no path reaches it.
    const QByteArray odd = QFile::encodeName(mixed) + "/\xff\xfe.mp3";
    const int fd = ::open(odd.constData(), O_CREAT | O_WRONLY, 0644);
    QVERIFY(fd >= 0);
    ::close(fd);

    run r;
    QLabel* hint = r.area()->selected_view()->empty_label();
    QCOMPARE(hint->text(), QStringLiteral("Drop music files or folders here, or use File > Add…"));
    QVERIFY(hint->isVisibleTo(r.area()->selected_view()));
    r.window->islot_add_files({mixed});
    QCOMPARE(status(r), QStringLiteral("3 added, 2 skipped (not music)"));
    QVERIFY(!hint->isVisibleTo(r.area()->selected_view()));

    ovgv_search_bar* bar = r.window->search_bar();
    r.window->islot_search_next_after_current_position(QStringLiteral("no such words"));
    QCOMPARE(bar->note(), QStringLiteral("Not found"));
    r.window->islot_search_previous_after_current_position(QStringLiteral("title 2"));
    QCOMPARE(bar->note(), QString());
    const ov_track* found = r.library->track_by_path(QDir(mixed).filePath(QStringLiteral("t02.mp3")));
    QCOMPARE(r.area()->selected_view()->currentIndex().row(), r.area()->selected()->index_of_track(found));
  }

  // Start-up's database messages, the built-in preset names (shown only:
  // the stored name stays) and the key list follow the chosen language.
  void japanese_texts() {
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral(":/tr/ov_jp.qm")));
    QCoreApplication::installTranslator(&translator);
    {
      const ov_databases dbs = ov_open_databases(QStringLiteral("conf_ja"));
      QCOMPARE(dbs.library->information_messages(),
               QStringList({QString::fromUtf8("ファイル conf_ja/library.db はありませんでした。"),
                            QString::fromUtf8("新しいファイルを作成しました。")}));
    }
    ovgp_preset_list presets;
    for (const ov_medley_preset& p : ov_medley_preset::built_in())
      presets.push_back(std::make_unique<ovgp_medley_preset>(p, ovgp_medley_preset::layout_kind::compact));
    ovgp_model_presets model(&presets);
    const QModelIndex sabi = model.index(3);
    QCOMPARE(sabi.data().toString(), QString::fromUtf8("サビメドレー"));
    QVERIFY(model.setData(sabi, QString::fromUtf8("サビメドレー"), Qt::EditRole));
    QCOMPARE(presets[3]->record().name, QStringLiteral("Sabi Medley"));
    QVERIFY(model.setData(sabi, QStringLiteral("Chorus"), Qt::EditRole));
    QCOMPARE(sabi.data().toString(), QStringLiteral("Chorus"));
    QCOMPARE(ov_medley_preset::shown_name(7, QStringLiteral("Long")), QStringLiteral("Long"));
    QCoreApplication::removeTranslator(&translator);

    run r;
    QCOMPARE(r.window->keys_document(), QStringLiteral("doc/keys.txt"));
    QSettings(QStringLiteral("conf/main.ini"), QSettings::IniFormat)
        .setValue(QStringLiteral("main/lang"), QStringLiteral("japanese"));
    run japanese;
    QCOMPARE(japanese.window->keys_document(), QStringLiteral("doc/keys_ja.txt"));
    QFile keys(QStringLiteral(":/doc/keys_ja.txt"));
    QVERIFY(keys.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(keys.readAll()).contains(QString::fromUtf8("ショートカットキー")));
  }
};

QTEST_MAIN(test_mainwindow_edit)
#include "test_mainwindow_edit.moc"
