#pragma once
// A window's controls as one table: every window of the programs is built
// from one (see README, "Finding your way"). Per control it holds its kind
// and identifier (given as a typed handle, below), its design name, its
// caption, its place, the settings key under which the window keeps its
// value where it keeps one, and whether a running task of the window locks
// it. The Win32 window creates its controls from the table; the window's
// logic (its presenter) addresses them by their typed handles and finds
// what the table says of them here, never by their names.
//
//   namespace c {
//   inline constexpr ui::TextBoxId txbName{301};
//   inline constexpr ui::ButtonId cmdOK{302};
//   }
//   constexpr ui::ControlEntry kControls[] = {
//       ui::make::Label("lbName", {120, 120, 1200, 255}, "&Name"),
//       ui::make::TextBox(c::txbName, "txbName", {1440, 120, 2400, 285}).Kept("Name", 1).LockedWhileBusy(),
//       ui::make::Button(c::cmdOK, "cmdOK", {2640, 600, 1200, 375}, "OK").Default(),
//   };
#include <span>
#include <string_view>

#include "ui/Place.h"
#include "ui/Twips.h"

namespace ui {

enum class Kind {
    Frame,
    Label,
    TextBox,
    DropDown,
    Button,
    PictureButton,
    CheckBox,
    Option,
    Picture,
    ListView,
    Progress,
    Status
};

// Typed handles: a control's identifier in its window, typed by what can be
// asked of it. Every handle is a ControlId too (text, enabled state, focus).
struct ControlId {
    int id = 0;
    constexpr bool operator==(const ControlId&) const = default;
};
struct LabelId : ControlId {};
struct TextBoxId : ControlId {};
struct ButtonId : ControlId {};
struct DropDownId : ControlId {};
struct ToggleId : ControlId {};  // check boxes and option buttons
struct PictureId : ControlId {};
struct ListViewId : ControlId {};
struct ProgressId : ControlId {};
struct StatusId : ControlId {};

struct ControlEntry {
    Kind kind = Kind::Label;
    int id = 0;  // 0: the window gives it one (a control nobody addresses)
    std::string_view name;  // the design name
    Place place;  // twips; a status bar's height alone counts
    std::string_view caption;  // a text box's sample text
    std::string_view settingsKey;  // where the window keeps the control's value; empty: not kept
    int keptAs = 0;  // the control's turn when the kept values are restored and stored (1 and on)
    bool lockedWhileBusy = false;  // disabled while a task of the window runs
    bool isDefault = false;  // the button that Enter presses
    bool selected = false;  // an option button chosen at start
    bool firstOfGroup = false;  // an option button that begins a group
    bool plainText = false;  // a label whose "&" is shown as it is, not as an access key
    bool bordered = false;  // a picture with a sunken border
    std::string_view tip;  // the tool tip; empty: none

    constexpr ControlEntry Kept(std::string_view key, int turn) const {
        ControlEntry copy = *this;
        copy.settingsKey = key;
        copy.keptAs = turn;
        return copy;
    }
    constexpr ControlEntry LockedWhileBusy() const {
        ControlEntry copy = *this;
        copy.lockedWhileBusy = true;
        return copy;
    }
    constexpr ControlEntry Default() const {
        ControlEntry copy = *this;
        copy.isDefault = true;
        return copy;
    }
    constexpr ControlEntry Selected() const {
        ControlEntry copy = *this;
        copy.selected = true;
        return copy;
    }
    constexpr ControlEntry FirstOfGroup() const {
        ControlEntry copy = *this;
        copy.firstOfGroup = true;
        return copy;
    }
    constexpr ControlEntry PlainText() const {
        ControlEntry copy = *this;
        copy.plainText = true;
        return copy;
    }
    constexpr ControlEntry Bordered() const {
        ControlEntry copy = *this;
        copy.bordered = true;
        return copy;
    }
    constexpr ControlEntry Tip(std::string_view text) const {
        ControlEntry copy = *this;
        copy.tip = text;
        return copy;
    }
};

using ControlTable = std::span<const ControlEntry>;

// The entry of `control` in `table`, or nullptr.
constexpr const ControlEntry* Find(ControlTable table, ControlId control) {
    for (const ControlEntry& entry : table) {
        if (entry.id != 0 && entry.id == control.id) return &entry;
    }
    return nullptr;
}

// One builder per kind: the kind follows from the handle.
namespace make {

constexpr ControlEntry Make(Kind kind, int id, std::string_view name, Place place, std::string_view caption = {}) {
    ControlEntry made;
    made.kind = kind;
    made.id = id;
    made.name = name;
    made.place = place;
    made.caption = caption;
    return made;
}

constexpr ControlEntry Frame(std::string_view name, Place place, std::string_view caption) {
    return Make(Kind::Frame, 0, name, place, caption);
}
constexpr ControlEntry Label(std::string_view name, Place place, std::string_view caption) {
    return Make(Kind::Label, 0, name, place, caption);
}
// A label the logic writes to.
constexpr ControlEntry Label(LabelId id, std::string_view name, Place place, std::string_view caption = {}) {
    return Make(Kind::Label, id.id, name, place, caption);
}
constexpr ControlEntry TextBox(TextBoxId id, std::string_view name, Place place, std::string_view sample = {}) {
    return Make(Kind::TextBox, id.id, name, place, sample);
}
constexpr ControlEntry DropDown(DropDownId id, std::string_view name, Place place) {
    return Make(Kind::DropDown, id.id, name, place);
}
constexpr ControlEntry Button(ButtonId id, std::string_view name, Place place, std::string_view caption) {
    return Make(Kind::Button, id.id, name, place, caption);
}
// A button that shows a picture; `name` is what a screen reader says of it.
constexpr ControlEntry PictureButton(ButtonId id, std::string_view name, Place place, std::string_view caption = {}) {
    return Make(Kind::PictureButton, id.id, name, place, caption);
}
constexpr ControlEntry CheckBox(ToggleId id, std::string_view name, Place place, std::string_view caption) {
    return Make(Kind::CheckBox, id.id, name, place, caption);
}
constexpr ControlEntry Option(ToggleId id, std::string_view name, Place place, std::string_view caption) {
    return Make(Kind::Option, id.id, name, place, caption);
}
constexpr ControlEntry Picture(PictureId id, std::string_view name, Place place) {
    return Make(Kind::Picture, id.id, name, place);
}
constexpr ControlEntry ListView(ListViewId id, std::string_view name, Place place) {
    return Make(Kind::ListView, id.id, name, place);
}
constexpr ControlEntry ProgressBar(ProgressId id, std::string_view name, Place place) {
    return Make(Kind::Progress, id.id, name, place);
}
// Docked at the window's bottom, `heightPixels` high at 96 DPI, with one panel.
constexpr ControlEntry StatusBar(StatusId id, std::string_view name, int heightPixels) {
    return Make(Kind::Status, id.id, name, {0, 0, 0, heightPixels * kTwipsPerPixelAt96Dpi});
}

}  // namespace make
}  // namespace ui
