// The listening history: what the two controllers record while they play
// real files on the ALSA "null" device, kept across a restart; a process
// killed while it records; a damaged file under the real program.
#include "ov_controller_fixture.h"
#include "ov_listening_history.h"
#include "ov_test_env.h"
#include "ov_test_program.h"
#include "ovg_controller_manual_medley.h"
#include "ovg_controller_normal.h"

#include <QDir>
#include <QProcess>
#include <QtTest>

namespace {

// The rows of a table in the order they were written, one text each.
QStringList rows(ov_database* db, const QString& table) {
  const bool awards = table == QLatin1String("awards");
  const int columns = awards ? 5 : 4;
  ov_statement st = db->prepare(awards ? QStringLiteral("SELECT time, track_id, kind, points, grade  FROM awards  "
                                                        "ORDER BY rowid;")
                                       : QStringLiteral("SELECT time, track_id, seconds, mode  FROM plays  ORDER BY "
                                                        "rowid;"));
  QStringList out;
  while (st.step_row()) {
    QStringList row;
    for (int c = 0; c < columns; ++c) row << QString::number(st.column_int64(c));
    out << row.join(QLatin1Char(' '));
  }
  return out;
}

QByteArray bytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class test_listening_history : public QObject {
  Q_OBJECT

private slots:
  // Rusty: play new, like and a pick are worth 1, dislike -1, a pass-over
  // -1 and the pick the sum of the losses; the engine then waits on play new.
  void controllers_record_awards_and_plays() {
    ov_controller_fixture f;
    QVERIFY(f.make(QList<double>(4, 1.0)));
    ov_history_opening opened = ov_open_listening_history(f.dir.path());
    QVERIFY(opened.history);
    QVERIFY(opened.kept_as.isEmpty());
    qint64 now = 1000;
    QList<ov_playlist_item*> shown;
    {
      ovg_controller_normal c(f.views.ports(), f.library.get(), f.engine.get());
      c.set_clock([&now] { return now; });
      c.set_history(opened.history.get());
      c.islot_play_new(f.playlist.get(), 1);
      c.islot_pause();
      c.islot_button_like_clicked();
      c.islot_button_dislike_clicked();
      for (int s = 0; s < 3; ++s) {
        ++now;
        c.islot_update_time_position();
        if (s == 0) QVERIFY(opened.history->commit());  // the play's row is written, then grows
      }
      c.islot_go_next();
      c.islot_toggle_play_pause();
      for (int s = 0; s < 2; ++s) {
        ++now;
        c.islot_update_time_position();
      }
      f.views.controls.type = ov_play::play_shuffle;
      c.islot_play_type_changed();
      c.islot_play_new(f.playlist.get(), 0);
      shown = f.views.nexts.entries;
      QCOMPARE(shown.size(), 3);
      for (ov_playlist_item* i : shown) i->track()->add_score(1000);
      c.islot_next_track_clicked(shown[0]);
    }
    {
      ovg_controller_manual_medley m(f.views.ports(), &f.views.controls, f.library.get(), f.engine.get());
      m.set_clock([&now] { return now; });
      m.set_history(opened.history.get());
      m.islot_play_new(f.playlist.get(), 3);
      for (int s = 0; s < 2; ++s) {
        ++now;
        m.islot_update_time_position();
      }
    }
    // Closing commits what is pending; a new start reads it all back.
    opened.history.reset();
    ov_history_opening again = ov_open_listening_history(f.dir.path());
    QVERIFY(again.history);
    QVERIFY(again.kept_as.isEmpty());
    const auto id = [&](int i) { return QString::number(shown[i]->track()->id()); };
    QCOMPARE(rows(again.history->database(), QStringLiteral("awards")),
             (QStringList{"1000 2 1 1 1", "1000 2 3 1 1", "1000 2 4 -1 1", "1005 1 1 0 1", "1005 " + id(1) + " 2 -1 1",
                          "1005 " + id(2) + " 2 -1 1", "1005 " + id(0) + " 2 2 1", "1005 4 1 0 1"}));
    QCOMPARE(rows(again.history->database(), QStringLiteral("plays")),
             (QStringList{"1000 2 3 1", "1003 3 2 1", "1005 4 2 2"}));
  }

  // Killed at once after recording: everything up to the last commit it
  // reported is in the file, and the file opens as it is.
  void kill_loses_at_most_the_uncommitted_second() {
    QTemporaryDir dir;
    QProcess p;
    p.setReadChannel(QProcess::StandardError);
    p.start(ov_test::binary_dir() + QStringLiteral("/tests/history/history_recorder"), {dir.path()});
    QString err;
    QVERIFY2(ov_test::wait_for(p, err, QStringLiteral("ready")), qPrintable(err));
    p.write("award 100 1\nplay 100 7 1\naward 101 2\n");
    QVERIFY2(ov_test::wait_for(p, err, QStringLiteral("committed through 3")), qPrintable(err));
    p.write("play 100 7 2\naward 102 3\n");
    QVERIFY2(ov_test::wait_for(p, err, QStringLiteral("recorded 5")), qPrintable(err));
    p.kill();
    p.waitForFinished();

    ov_history_opening opened = ov_open_listening_history(dir.path());
    QVERIFY(opened.history);
    QVERIFY(opened.kept_as.isEmpty());
    const QStringList awards = rows(opened.history->database(), QStringLiteral("awards"));
    const QStringList plays = rows(opened.history->database(), QStringLiteral("plays"));
    QCOMPARE(awards.mid(0, 2), (QStringList{"100 1 3 1 1", "101 2 3 1 1"}));
    QVERIFY(awards.size() == 2 || awards == (QStringList{"100 1 3 1 1", "101 2 3 1 1", "102 3 3 1 1"}));
    QVERIFY2(plays == QStringList{"100 7 1 1"} || plays == QStringList{"100 7 2 1"}, qPrintable(plays.join('|')));
  }

  // A history.db that is not a database: the program starts, keeps it aside
  // (and in the backup it took first), tells of it beside the window and
  // records into a new file.
  void damaged_file_is_put_aside() {
    QTemporaryDir home, runtime;
    const QByteArray garbage("these bytes are not an SQLite file, nor anything else");
    QVERIFY(ov_test::write_file(home.filePath(QStringLiteral("conf/main.ini")), "[main]\nlang=english\n"));
    QVERIFY(ov_test::write_file(home.filePath(QStringLiteral("conf/history.db")), garbage));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ORVANTIS_HOME"), home.path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("ORVANTIS_AUTOTEST"), QStringLiteral("accept"));
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent/bus"));
    auto p = ov_test::start_program({}, env);
    QString err;
    QVERIFY2(ov_test::wait_for(*p, err, QStringLiteral("window shown")), qPrintable(err));
    QVERIFY2(ov_test::wait_for(*p, err, QStringLiteral("warning shown: The listening history could not be read")),
             qPrintable(err));
    p->terminate();
    QCOMPARE(ov_test::run_to_end(*p, err), 0);

    const QDir conf(home.filePath(QStringLiteral("conf")));
    const QStringList aside = conf.entryList({QStringLiteral("history.db.damaged-*")}, QDir::Files);
    QCOMPARE(aside.size(), 1);
    QCOMPARE(bytes(conf.filePath(aside.first())), garbage);
    QVERIFY(err.contains(QStringLiteral("conf/") + aside.first()));
    QVERIFY(ov_test::log_text(home.path())
                .contains(QStringLiteral("\tWARNING\thistory\tthe listening history was damaged; a new one is "
                                         "started.  kept the old file as conf/") +
                          aside.first() + QLatin1Char('\n')));
    const QStringList backups =
        QDir(home.filePath(QStringLiteral("conf_backup"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCOMPARE(backups.size(), 1);
    QCOMPARE(bytes(home.filePath(QStringLiteral("conf_backup/") + backups.first() + QStringLiteral("/history.db"))),
             garbage);

    ov_history_opening opened = ov_open_listening_history(conf.path());
    QVERIFY(opened.history);
    QVERIFY(opened.kept_as.isEmpty());
    opened.history->record_award(5, 6, 3, 1, 1);
    QVERIFY(opened.history->commit());
    QCOMPARE(rows(opened.history->database(), QStringLiteral("awards")), QStringList{"5 6 3 1 1"});
  }
};

QTEST_MAIN(test_listening_history)
#include "test_listening_history.moc"
