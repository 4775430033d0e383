#include "pages/data/min_max_reset.h"

#include "protocol/requests.h"
#include "protocol/value_store.h"

bool ResetMinMax(UserPrompts& prompts) {
    if (!AskYesNo(prompts, kResetMinMaxQuestion, kResetMinMaxCaption)) {
        return false;
    }
    SendResetCommand(8, &StoreSlot(8, 71));
    SendResetCommand(3, &StoreSlot(3, 0));
    return true;
}
