#pragma once
// A dialog's data exchange made explicit: one record per control id that the behaviour reads
// and writes, and that a view copies to and from its widgets.
//
// A control's static presentation (caption, hidden, read-only as the page's form draws it)
// lives in the form's .ui file only. The behaviour overrides it with a Setting when its rules
// say so; a Setting never set leaves the widget as the form made it, and Reset() goes back to
// that state, as a page window re-created from its form would.
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
// The connection indicator while the last panel action left requests without a reply.
inline constexpr Rgb kAmber{255, 191, 0};

// A presentation property the behaviour may set. Deliberately without a conversion to bool:
// `if (state.enabled)` would ask whether it was set, not what it says.
template <typename T>
class Setting {
  public:
    Setting& operator=(T value) {
        value_ = std::move(value);
        return *this;
    }
    bool IsSet() const { return value_.has_value(); }
    // Only when IsSet().
    const T& Value() const { return *value_; }
    // The value set, or `formValue` (what the form has) when nothing was set.
    T Or(T formValue) const { return value_ ? *value_ : formValue; }
    // True only when set to `value`.
    bool operator==(const T& value) const { return value_ && *value_ == value; }
    void Reset() { value_.reset(); }

  private:
    std::optional<T> value_;
};

struct ControlState {
    std::string text;
    int selected = -1;  // index into items, -1 for none; a check box: 1 when ticked
    std::vector<std::string> items;
    Setting<bool> enabled;
    Setting<bool> readOnly;
    Setting<bool> visible;
    Setting<std::string> caption;  // buttons, group boxes, labels
    Setting<Rgb> background;
    // The text a Get last filled an edit with; while `text` still equals it the user has not
    // changed the edit, and a Set sends the values it was shown from.
    std::optional<std::string> shownText;

    // The selected item's text, "" when nothing is selected.
    std::string SelectedText() const;
    // Selects item `index` (and takes its text); -1 or an index past the items selects none.
    void Select(int index);
};

class FormModel {
  public:
    // The record of a control, created empty on first use.
    ControlState& operator[](int id) { return controls_[id]; }
    const ControlState* Find(int id) const;
    std::vector<int> Ids() const;

    // As a page window newly made from its form: every text empty, nothing selected, every
    // Setting back to the form's, nothing shown. The lists keep their items, which are the
    // page's data.
    void Reset();

    // What the form was last filled from, per register (key: bank x 256 + register): the value
    // and whether the store held it as given. A pick in a list changes it as it changes the
    // store, so it is always the value the form shows.
    struct ShownValue {
        int32_t value = 0;
        bool held = false;
    };
    std::map<int, ShownValue>& Shown() { return shown_; }

    // The view listens; the behaviour calls Changed() once it is done with a batch of edits.
    void SetChangeListener(std::function<void()> listener) { listener_ = std::move(listener); }
    void Changed() const;

  private:
    std::map<int, ControlState> controls_;
    std::map<int, ShownValue> shown_;
    std::function<void()> listener_;
};
