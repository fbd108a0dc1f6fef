#pragma once

#include <QString>

// Whether libmpg123 decodes at least one sample from a file: what decides
// whether a file is music. TagLib opens any file named .mp3, and a stream
// may hold only tags, zeros, a picture, a cut-off frame or frames that
// gapless trimming removes whole; free-format streams count, as libmpg123
// plays them. The search is bounded (probe_bytes of audio data after the
// leading ID3v2 tags), so a large file of junk is refused at once.
//
// fd: an open regular file; it is read from its start and left open.
bool ov_decodes_mpeg_audio(int fd, QString* reason = nullptr);

// How far into the audio data the search goes.
constexpr long long ov_mpeg_probe_bytes = 1024 * 1024;
