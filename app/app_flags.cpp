#include "app/app_flags.h"

AppFlags& Flags() {
    static AppFlags flags;
    return flags;
}

void ResetFlags() {
    Flags() = AppFlags{};
}

void SetPanelVersionWord(int32_t word) {
    Flags().panelVersion = word & 0x3FF;
    Flags().versionHighBits = (word >> 10) & 0x3F;
}
