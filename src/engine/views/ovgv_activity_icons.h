#pragma once

#include "ov_favorite_engine.h"

#include <QString>

#include <array>

// The four activities the engine's views show with an icon, in the order
// they are shown. Like and dislike share the push-button icon.
namespace ovgv_activity_icons {

struct entry {
  int kind;  // ov_favorite_engine::kind
  const char* path;
};

inline constexpr std::array<entry, 4> all{{
    {ov_favorite_engine::play_new, ":/icons/atk-play_new.png"},
    {ov_favorite_engine::selected, ":/icons/atk-selected_on_nexts.png"},
    {ov_favorite_engine::like, ":/icons/atk-push_button.png"},
    {ov_favorite_engine::play_through, ":/icons/atk-play_through.png"},
}};

// ":/icons/atk-doubled-<multiplier>.png"
inline QString multiplier_path(int multiplier) {
  return QStringLiteral(":/icons/atk-doubled-") + QString::number(multiplier) + QStringLiteral(".png");
}

}  // namespace ovgv_activity_icons
