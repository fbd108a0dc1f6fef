#include "ov_globals.h"

ov_group_map* ov_globals::album_groups = nullptr;
ov_group_map* ov_globals::artist_groups = nullptr;
ov_library* ov_globals::library = nullptr;
ov_playback_normal* ov_globals::playback_normal = nullptr;
QString ov_globals::seed;
