#pragma once
// A dialog's data exchange made explicit: one record per control id that the behaviour reads
// and writes, and that a view copies to and from its widgets.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kLightGrey{211, 211, 211};
inline constexpr Rgb kGreen{0, 255, 0};

struct ControlState {
    std::string text;
    int selected = -1;  // index into items, -1 for none
    std::vector<std::string> items;
    bool enabled = true;
    bool readOnly = false;
    bool visible = true;
    std::string caption;  // buttons, group boxes, labels
    std::optional<Rgb> background;

    // The selected item's text, "" when nothing is selected.
    std::string SelectedText() const;
    // Selects the first item that begins with `prefix` (a combo box's select-by-text);
    // false and no change when none does.
    bool SelectString(const std::string& prefix);
};

class FormModel {
  public:
    // The record of a control, created empty on first use.
    ControlState& operator[](int id) { return controls_[id]; }
    const ControlState* Find(int id) const;
    std::vector<int> Ids() const;

    // Blanks every control's text, as when a page's window is destroyed.
    void EmptyTexts();

    // The view listens; the behaviour calls Changed() once it is done with a batch of edits.
    void SetChangeListener(std::function<void()> listener) { listener_ = std::move(listener); }
    void Changed() const;

  private:
    std::map<int, ControlState> controls_;
    std::function<void()> listener_;
};
