#include "ov_general_settings.h"

ov_general_settings::ov_general_settings(ov_settings_group* g)
    : ctrll_follow_panel(g, QStringLiteral("ctrll_follow_panel"), true),
      control_key_sent_to(g, QStringLiteral("control_key_sent_to"),
                          {{selected, QStringLiteral("selected")}, {playing, QStringLiteral("playing")}}, selected) {}
