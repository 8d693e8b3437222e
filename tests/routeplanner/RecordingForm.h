#pragma once
// Rovandel2's main window in memory, built from the same control table as
// the real one, recording what the logic does to it. Closing it goes
// through the logic's close steps, as the real window's close does.
#include <functional>
#include <string>
#include <vector>

#include "routeplanner/Rovandel2Controls.h"
#include "routeplanner/clRovandel2.h"
#include "ui/RecordingForm.h"

class RecordingRovandel2 : public RecordingForm, public IRovandel2Window {
public:
    RecordingRovandel2() : RecordingForm(Rovandel2Controls::All(), "Rovandel2") {}

    clRovandel2* logic = nullptr;  // for the close steps
    bool closed = false;
    int ended = 0, infos = 0, signals = 0, settings = 0;
    std::function<void()> onInfo, onSettings;

    // The list's chosen entry, "" when none is chosen.
    std::string Selected(ui::DropDownId list) const {
        const int index = ListIndex(list);
        return index < 0 ? std::string() : ItemText(list, index);
    }

    // The design names of the controls that take no input now, in the window's order.
    std::vector<std::string> Disabled() const {
        std::vector<std::string> names;
        for (const ui::ControlEntry& control : Rovandel2Controls::All()) {
            if (control.id != 0 && !Enabled(ui::ControlId{control.id})) names.emplace_back(control.name);
        }
        return names;
    }

    // "close", then the close steps unless the logic keeps the window open.
    void Close() override {
        RecordingForm::Close();
        if (logic != nullptr && logic->Form_QueryUnload()) {
            logic->Form_Unload();
            closed = true;
        }
    }
    void SetStatusPicture(int number) override { log.push_back("picture " + std::to_string(number)); }
    void SetStatusPicture(std::string_view key) override { log.push_back("picture " + std::string(key)); }
    void EndProgram() override { ++ended; }
    void ShowInfo() override {
        ++infos;
        if (onInfo) onInfo();
    }
    void ShowSettings() override {
        ++settings;
        if (onSettings) onSettings();
    }
    void Signal() override {
        ++signals;
        log.push_back("signal");
    }
};
