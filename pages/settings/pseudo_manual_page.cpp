#include "pages/settings/pseudo_manual_page.h"

#include "pages/page_notes.h"

CPPSix::CPPSix() : RegisterTablePage("Pseudo Manual", 110, {300, 200}, {}, kNoRegistersNote) {}
