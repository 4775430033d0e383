#include "pages/kit/form_model.h"

std::string ControlState::SelectedText() const {
    if (selected < 0 || selected >= static_cast<int>(items.size())) {
        return {};
    }
    return items[static_cast<std::size_t>(selected)];
}

void ControlState::Select(int index) {
    if (index < 0 || index >= static_cast<int>(items.size())) {
        selected = -1;
        text.clear();
        return;
    }
    selected = index;
    text = items[static_cast<std::size_t>(index)];
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

void FormModel::Reset() {
    for (auto& [id, state] : controls_) {
        ControlState fresh;
        fresh.items = std::move(state.items);
        state = std::move(fresh);
    }
    shown_.clear();
}

void FormModel::Changed() const {
    if (listener_) {
        listener_();
    }
}
