#pragma once
// The form of each tab page: builds a page's widgets from its .ui file by template id. Every
// form names its widgets "id<number>_..." so the binder finds them.
#include <vector>

#include "app/view/form_binder.h"

class QWidget;

// Builds the widgets into `root` and returns the names of controls that carry no id in their
// object names.
std::vector<ControlName> SetUpPageForm(int templateId, QWidget* root);
