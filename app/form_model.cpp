#include "app/form_model.h"

std::string ControlState::SelectedText() const {
    if (selected < 0 || selected >= static_cast<int>(items.size())) {
        return {};
    }
    return items[static_cast<std::size_t>(selected)];
}

bool ControlState::SelectString(const std::string& prefix) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].compare(0, prefix.size(), prefix) == 0) {
            selected = static_cast<int>(i);
            text = items[i];
            return true;
        }
    }
    return false;
}

const ControlState* FormModel::Find(int id) const {
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : &it->second;
}

std::vector<int> FormModel::Ids() const {
    std::vector<int> ids;
    for (const auto& [id, state] : controls_) {
        ids.push_back(id);
    }
    return ids;
}

void FormModel::EmptyTexts() {
    for (auto& [id, state] : controls_) {
        state.text.clear();
    }
}

void FormModel::Changed() const {
    if (listener_) {
        listener_();
    }
}
