#pragma once
// Resetting the panel's recorded minima and maxima (metering, forward and reverse demand, tap
// position), as the Metering page and the Configuration page offer it.
#include "pages/kit/user_prompts.h"

inline constexpr char kResetMinMaxQuestion[] =
    "This Will Reset Meter, Fwd Demand and Rev Demand and Tap Position Min Max Values\n Are You "
    "you want to Continue?";
inline constexpr char kResetMinMaxCaption[] = "RESET MIN MAX VALUES";

// Asks first; on Yes sends the reset request for bank 8 (min/max records) and then for bank 3
// (demand). The reply values land in the store's slots 8/71 and 3/0 and are not shown. There is
// no connection test: without a link the requests simply get no reply. True when answered Yes.
bool ResetMinMax(UserPrompts& prompts);
