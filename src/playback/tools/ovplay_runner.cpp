#include "ovplay_runner.h"

#include "ov_playback_normal.h"
#include "ov_playline.h"

#include <QTimer>

#include <cstdio>

namespace {
const char* state_name(ove_playback::status s) {
  static const char* names[] = {"ready", "playing", "paused", "stopped", "finished", "closed"};
  return s >= 0 && s <= 5 ? names[s] : "unknown";
}

bool to_ms(const QString& text, int* out) {
  bool ok = false;
  const int v = text.toInt(&ok);
  if (!ok || v < 0) return false;
  *out = v;
  return true;
}
}  // namespace

bool ovplay_runner::parse(const QStringList& args, options* out, QString* error) {
  const QMap<QString, int*> numbers = {{"--volume", &out->volume},     {"--global-volume", &out->global_volume},
                                       {"--start", &out->start},       {"--fade-in", &out->fade_in},
                                       {"--flatline", &out->flatline}, {"--fade-out", &out->fade_out}};
  for (int i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    if (numbers.contains(a)) {
      if (i + 1 >= args.size() || !to_ms(args[i + 1], numbers.value(a))) {
        *error = QStringLiteral("%1 needs a number of 0 or more").arg(a);
        return false;
      }
      ++i;
    } else if (a.startsWith(QLatin1String("--"))) {
      *error = QStringLiteral("unknown option %1").arg(a);
      return false;
    } else {
      out->files << a;
    }
  }
  if (out->files.isEmpty()) {
    *error = QStringLiteral("no file given");
    return false;
  }
  return true;
}

QString ovplay_runner::usage() {
  return QStringLiteral(
      "usage: ovplay [--volume N] [--global-volume N] [--start MS] [--fade-in MS] [--flatline MS] "
      "[--fade-out MS] FILE...\n"
      "Plays the files one after another through one play line. With a fade length the line runs\n"
      "the medley phases (fade-in, flatline, fade-out) from the start position; otherwise each file\n"
      "plays whole. Exit status: 0 when the last file has finished, 2 when a file cannot be loaded.\n");
}

ovplay_runner::ovplay_runner(const options& o) : options_(o), line_(new ov_playline) {
  line_->setParent(this);
  connect(line_->playback(), &ov_playback_normal::signal_state_changed, this, &ovplay_runner::on_state);
  connect(line_, &ov_playline::esignal_fadein_finished, this, [this](ov_playline*, int id) { on_fadein(id); });
  connect(line_, &ov_playline::esignal_flatline_finished, this, [this](ov_playline*, int id) { on_flatline(id); });
  connect(line_, &ov_playline::esignal_fadeout_finished, this, [this](ov_playline*, int id) { on_fadeout(id); });
  connect(line_, &ov_playline::esignal_play_finished, this, [this](ov_playline*, int id) { on_play_finished(id); });
}

// The line goes first, while its state reports can still be printed.
ovplay_runner::~ovplay_runner() {
  delete line_;
  line_ = nullptr;
}

bool ovplay_runner::medley() const {
  return options_.fade_in >= 0 || options_.flatline >= 0 || options_.fade_out >= 0;
}

void ovplay_runner::start() {
  line_->set_global_volume(options_.global_volume);
  next_file();
}

void ovplay_runner::print(const QString& line) {
  std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
  std::fflush(stdout);
}

void ovplay_runner::next_file() {
  if (++index_ >= options_.files.size()) {
    emit finished(0);
    return;
  }
  const QString& file = options_.files[index_];
  line_->reset();
  if (!line_->load_file(file)) {
    print(QStringLiteral("cannot load %1").arg(file));
    emit finished(2);
    return;
  }
  print(QStringLiteral("file %1").arg(file));
  if (medley()) {
    line_->apply_lengths({{QStringLiteral("fadein_length"), qMax(0, options_.fade_in)},
                          {QStringLiteral("flatline_length"), qMax(0, options_.flatline)},
                          {QStringLiteral("fadeout_length"), qMax(0, options_.fade_out)},
                          {QStringLiteral("start_position"), qMax(0, options_.start)}});
    line_->prepare_fadein();
    line_->play();
    line_->start_fadein();
    return;
  }
  if (options_.volume >= 0) line_->playback()->set_volume(options_.volume);
  if (options_.start >= 0) line_->seek(options_.start);
  line_->play();
}

void ovplay_runner::on_state(ove_playback::status old_state, ove_playback::status new_state) {
  print(
      QStringLiteral("state %1 -> %2").arg(QLatin1String(state_name(old_state)), QLatin1String(state_name(new_state))));
  // A whole file is done with its last report, the change to finished.
  if (!medley() && new_state == ove_playback::finished) QTimer::singleShot(0, this, &ovplay_runner::next_file);
}

void ovplay_runner::on_fadein(int id) {
  print(QStringLiteral("fadein_finished %1").arg(id));
  if (!medley() || id != line_->current_id()) return;
  line_->prepare_flatline();
  line_->start_flatline();
}

void ovplay_runner::on_flatline(int id) {
  print(QStringLiteral("flatline_finished %1").arg(id));
  if (!medley() || id != line_->current_id()) return;
  line_->prepare_fadeout();
  line_->start_fadeout();
}

void ovplay_runner::on_fadeout(int id) {
  print(QStringLiteral("fadeout_finished %1").arg(id));
  if (!medley() || id != line_->current_id()) return;
  QTimer::singleShot(0, this, &ovplay_runner::next_file);
}

void ovplay_runner::on_play_finished(int id) {
  print(QStringLiteral("play_finished %1").arg(id));
}
