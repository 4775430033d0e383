#pragma once
// The process-wide flags of the main window that every page consults before touching the panel.
#include <cstdint>

struct AppFlags {
    bool connected = false;     // the link is open and the panel counts as connected
    bool tabsCreated = false;   // the pages exist as tabs
    bool fileImported = false;  // a configuration file was opened since the last Connect
    bool storeOnly = false;     // downloads and uploads only touch the value store
    int panelVersion = 0;       // low 10 bits of 10/67: the software version x 100
    int versionHighBits = 0;    // bits 10..15 of 10/67: the sub-version
    // The link register 11/239 as last read (by Connect's test or the Comm Get): 1 or 2 limit
    // which communication settings the Regulator and Comm page may send.
    int32_t linkValue = 0;
};

AppFlags& Flags();
// Back to the start-up state (for tests; the tool never resets them).
void ResetFlags();

// Splits the panel's version word into panelVersion and versionHighBits.
void SetPanelVersionWord(int32_t word);
