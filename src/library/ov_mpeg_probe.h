#pragma once

#include <QByteArray>
#include <QString>

// Whether libmpg123 finds and reads at least one whole MPEG audio frame from
// the start of the file (after tags and up to its usual resync distance of
// junk). TagLib opens any file named .mp3, so this is what tells audio from
// a file that only holds tags, zeros, a picture or a cut-off frame.
bool ov_has_mpeg_audio(const QString& path);
// The same check on bytes already read, starting where the audio begins.
bool ov_has_mpeg_audio_data(const QByteArray& data);
