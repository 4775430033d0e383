#include "pages/kit/app_flags.h"
#include "protocol/panel_registers.h"

AppFlags& Flags() {
    static AppFlags flags;
    return flags;
}

void ResetFlags() {
    Flags() = AppFlags{};
}

void SetPanelVersionWord(int32_t word) {
    Flags().panelVersion = PanelVersion(word);
    Flags().versionHighBits = VersionHighBits(word);
}
