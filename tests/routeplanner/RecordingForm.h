#pragma once
// Rovandel2's main window in memory, built from the same control table as
// the real one, recording what the logic does to it.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "routeplanner/Rovandel2Controls.h"
#include "routeplanner/Rovandel2Form.h"
#include "routeplanner/clRovandel2.h"

class RecordingForm : public IRovandel2Form {
public:
    struct Control {
        Rovandel2Controls::Kind kind;
        std::string tag, text;
        bool enabled = true, checked = false;
        std::vector<std::string> items;
        int index = -1;
    };

    RecordingForm() {
        for (const auto& entry : Rovandel2Controls::All()) {
            m_Order.emplace_back(entry.name);
            Control c{entry.kind, std::string(entry.tag), std::string(entry.caption)};
            c.checked = entry.selected;
            m_Controls[std::string(entry.name)] = c;
        }
    }

    clRovandel2* logic = nullptr;  // for the close steps
    Control& At(std::string_view name) { return m_Controls.at(std::string(name)); }
    const Control& At(std::string_view name) const { return m_Controls.at(std::string(name)); }
    std::string Selected(std::string_view name) const {
        const Control& c = At(name);
        return c.index < 0 ? std::string() : c.items.at(static_cast<std::size_t>(c.index));
    }

    // What happened, one line each: "enable cmdInfo 0", "hourglass 1", "status ...", "progress 25", ...
    std::vector<std::string> log;
    std::vector<std::string> Lines(std::string_view prefix) const {
        std::vector<std::string> out;
        for (const auto& line : log) {
            if (line.rfind(prefix, 0) == 0) out.push_back(line.substr(prefix.size()));
        }
        return out;
    }
    bool closed = false;
    int ended = 0, infos = 0, signals = 0;
    std::function<void()> onInfo;

    std::vector<std::string> ControlNames() const override { return m_Order; }
    std::string Tag(std::string_view name) const override { return At(name).tag; }
    std::string Text(std::string_view name) const override { return At(name).text; }
    void SetText(std::string_view name, std::string_view text) override { At(name).text = std::string(text); }
    bool Enabled(std::string_view name) const override { return At(name).enabled; }
    void SetEnabled(std::string_view name, bool enabled) override {
        At(name).enabled = enabled;
        log.push_back("enable " + std::string(name) + (enabled ? " 1" : " 0"));
    }
    void AddItem(std::string_view name, std::string_view text) override { At(name).items.emplace_back(text); }
    int ListCount(std::string_view name) const override { return static_cast<int>(At(name).items.size()); }
    std::string ItemText(std::string_view name, int index) const override {
        return At(name).items.at(static_cast<std::size_t>(index));
    }
    int ListIndex(std::string_view name) const override { return At(name).index; }
    void SetListIndex(std::string_view name, int index) override {
        if (index >= 0 && index < ListCount(name)) At(name).index = index;
    }
    bool Checked(std::string_view name) const override { return At(name).checked; }
    void SetChecked(std::string_view name, bool checked) override { At(name).checked = checked; }
    std::string Caption() const override { return "Rovandel2"; }
    platform::WindowHandle Handle() const override { return 0x4711; }
    void SetHourglass(bool hourglass) override { log.push_back(hourglass ? "hourglass 1" : "hourglass 0"); }
    void SetStatusText(std::string_view text) override {
        m_Status = std::string(text);
        log.push_back("status " + m_Status);
    }
    std::string StatusText() const override { return m_Status; }
    void SetStatusPicture(int index) override { log.push_back("picture " + std::to_string(index)); }
    void SetStatusPicture(std::string_view key) override { log.push_back("picture " + std::string(key)); }
    void SetProgress(int value) override {
        m_Progress = value;
        log.push_back("progress " + std::to_string(value));
    }
    int Progress() const override { return m_Progress; }
    void CloseWindow() override {
        log.push_back("close");
        if (logic != nullptr && logic->Form_QueryUnload()) {
            logic->Form_Unload();
            closed = true;
        }
    }
    void EndProgram() override { ++ended; }
    void ShowInfo() override {
        ++infos;
        if (onInfo) onInfo();
    }
    void Signal() override {
        ++signals;
        log.push_back("signal");
    }

private:
    std::vector<std::string> m_Order;
    std::map<std::string, Control, std::less<>> m_Controls;
    std::string m_Status;
    int m_Progress = 0;
};
