#pragma once

#include <QList>
#include <QString>

#include <memory>
#include <unordered_map>

class ov_track;

// Tracks of one album (album text + directory) or one artist; the related
// tracks over which awards are spread. Non-owning.
struct ov_track_group {
  QString name;       // album or artist text
  QString directory;  // album groups: the directory of the files
  int number = 0;
  QList<ov_track*> tracks;
};

// Process-wide album or artist groups, keyed as the library store keys them.
using ov_group_map = std::unordered_map<QString, std::unique_ptr<ov_track_group>>;
